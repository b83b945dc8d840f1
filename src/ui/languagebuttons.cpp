// The language buttons of the main window: the choice is written for the next start.
#include "ui/MainUnit.h"
#include "ui/localize_unit.h"

namespace kv::ui {

void TKavintamainform::B_lng_DEClick() { chooseLanguage(kLanguageGerman); }

void TKavintamainform::B_lng_ENClick() { chooseLanguage(kLanguageEnglish); }

// A failed write leaves through RegistryError to the window's error box, without the notice.
void TKavintamainform::chooseLanguage(const std::wstring& code) {
    SetInterfaceLanguage(s_.registry, s_.executablePath, code);
    warn(MessageType::Information, formatText(text(TextId::SpracheEingestellt), code));
}

}  // namespace kv::ui

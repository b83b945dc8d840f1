// Creating, selecting and deleting categories, and assigning a file and a caption to a slot.
#include "app/strutil.h"
#include "library/IniFile.h"
#include "library/categoryname.h"
#include "ui/MainUnit.h"

namespace kv::ui {

void TKavintamainform::KAT_neuClick() {
    std::wstring name = text(TextId::MeineJingles);
    if (!s_.dialogs.inputQuery(text(TextId::NeueKategorie), text(TextId::BitteNameEingeben), name)) return;
    if (kategorie.indexOf(name, true) >= 0) return;
    if (!isUsableCategoryName(name, sameName())) {
        warn(MessageType::Information, text(TextId::NameNichtVerwendbar));
        return;
    }
    kategorie.setItemIndex(kategorie.addItem(name));
    kategorieChange();
    // Saved at once: otherwise only the category shown at the next save would reach the file.
    konfigspeichern();
}

void TKavintamainform::kategorieChange() {
    konfigladenjingles();
    measureShownCategory();
}

void TKavintamainform::Kat_loeschenClick() {
    if (kategorie.itemIndex() < 0) return;
    const std::wstring name = kategorie.text();
    if (!s_.dialogs.confirm(formatText(text(TextId::WirklichLoeschen), name))) return;
    IniFile ini(profile_, configFile());
    if (!ini.eraseSection(name)) {
        warn(MessageType::Error, formatText(text(TextId::KannNichtSchreiben), ini.path()));
        return;
    }
    kategorie.deleteItem(kategorie.itemIndex());
    kategorie.setItemIndex(-1);
    kategorieChange();
}

void TKavintamainform::JingleButtonMouseDown(Button& sender, MouseButton button) {
    if (!categoryExists()) {
        warn(MessageType::Information, text(TextId::ErstKategorieAnlegen));
        return;
    }
    if (button != MouseButton::Right) return;
    std::wstring file;
    if (!s_.dialogs.openFile(text(TextId::MediendateienFilter), folderOf(sender.hint()), file)) return;
    std::wstring caption = withoutLastExtension(fileNameOf(file));
    if (!s_.dialogs.inputQuery(text(TextId::JingleAendern), text(TextId::BitteBezeichnungEingeben), caption))
        return;
    sender.setHint(file);
    sender.setMarker(L"");
    sender.setText(caption);
    preloadSlots();
    konfigspeichern();
}

}  // namespace kv::ui

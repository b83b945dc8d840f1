#include "app/os_api_unit.h"

namespace kv {

std::wstring formatVersion(const FileVersion& version) {
    std::wstring text = std::to_wstring(version.major) + L".";
    if (version.minor < 10) text += L'0';
    text += std::to_wstring(version.minor);
    if (version.release > 0) text += static_cast<wchar_t>(96 + version.release);
    return text;
}

std::wstring GetAppVersionStr(const IVersionSource& source, kv::IDialogs& dialogs,
                              const kv::ITexts& texts) {
    std::wstring error;
    const std::optional<FileVersion> version = source.fileVersion(error);
    if (!version) {
        dialogs.showMessage(kv::MessageType::Warning, texts.text(kv::TextId::VersionFehler) + error);
        return {};
    }
    return formatVersion(*version);
}

}  // namespace kv

#include "ui/localize_unit.h"

#include "app/strutil.h"

namespace kv::ui {

namespace {

// Two or three letters: a code can never name another folder or file type.
bool isLanguageCode(const std::wstring& code) {
    if (code.size() < 2 || code.size() > 3) return false;
    for (wchar_t c : code)
        if (!((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'))) return false;
    return true;
}

std::wstring withExtension(const std::wstring& path, const std::wstring& extension) {
    const size_t slash = path.find_last_of(L"\\/");
    const size_t dot = path.find_last_of(L'.');
    const bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + L"." + extension;
}

}  // namespace

void SetInterfaceLanguage(IRegistry& registry, const std::wstring& valueName, const std::wstring& value) {
    registry.writeString(kLocalesKey, valueName, value);
}

std::optional<std::wstring> languageModulePath(const IRegistry& registry, const std::wstring& exePath) {
    const std::optional<std::wstring> code = registry.readString(kLocalesKey, exePath);
    if (!code || !isLanguageCode(*code)) return std::nullopt;
    if (equalsIgnoreCase(*code, kLanguageGerman)) return std::nullopt;
    return withExtension(exePath, *code);
}

}  // namespace kv::ui

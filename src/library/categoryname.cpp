#include "library/categoryname.h"

#include "app/strutil.h"
#include "library/duckrecords.h"

namespace kv {

bool isUsableCategoryName(const std::wstring& name,
                          const std::function<bool(const std::wstring&, const std::wstring&)>& sameName) {
    if (name.empty() || trimmed(name) != name) return false;
    for (wchar_t c : name)
        if (c < L' ' || c == 0x7F || c == L']') return false;
    // Sections of these names hold settings, not a category.
    for (const wchar_t* reserved : {L"KONFIG", kDuckSection})
        if (sameName(name, reserved)) return false;
    return upperCase(name.substr(0, 4)) != L"FORM";
}

static size_t afterLastDelimiter(const std::wstring& path) {
    const size_t at = path.find_last_of(L"\\:");
    return at == std::wstring::npos ? 0 : at + 1;
}

std::wstring folderOf(const std::wstring& path) {
    return path.substr(0, afterLastDelimiter(path));
}

std::wstring fileNameOf(const std::wstring& path) {
    return path.substr(afterLastDelimiter(path));
}

std::wstring withoutLastExtension(const std::wstring& name) {
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace kv

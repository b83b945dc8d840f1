#include "app/strutil.h"

#include <cwctype>

namespace kv {

std::wstring trimmed(const std::wstring& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && text[first] <= L' ') ++first;
    while (last > first && text[last - 1] <= L' ') --last;
    return text.substr(first, last - first);
}

bool isBlank(const std::wstring& text) {
    return trimmed(text).empty();
}

std::wstring upperCase(const std::wstring& text) {
    std::wstring result = text;
    for (wchar_t& c : result) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
    return result;
}

bool equalsIgnoreCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && upperCase(a) == upperCase(b);
}

std::wstring withTrailingBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path;
    return path + L'\\';
}

std::wstring withoutTrailingBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path.substr(0, path.size() - 1);
    return path;
}

}  // namespace kv

#pragma once
#include <string>

namespace kv {

// Removes leading and trailing blanks and control characters (every character up to U+0020).
std::wstring trimmed(const std::wstring& text);
bool isBlank(const std::wstring& text);  // empty once trimmed

std::wstring upperCase(const std::wstring& text);  // ASCII and Latin letters
bool equalsIgnoreCase(const std::wstring& a, const std::wstring& b);

std::wstring withTrailingBackslash(const std::wstring& path);
std::wstring withoutTrailingBackslash(const std::wstring& path);

}  // namespace kv

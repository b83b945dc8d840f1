#pragma once
// The list of look names offered in the style box.
#include <string>
#include <vector>

namespace kv::ui {

extern const wchar_t* const kSystemStyleName;  // "Windows"
extern const wchar_t* const kStyleSeparator;   // "------------"

// The names of the built-in styles, as the style engine knows them.
const std::vector<std::wstring>& BuiltinStyleNames();

// "Windows", the separator, then every other known style name sorted without regard to case.
std::vector<std::wstring> StyleNameList(const std::vector<std::wstring>& known = BuiltinStyleNames());

}  // namespace kv::ui

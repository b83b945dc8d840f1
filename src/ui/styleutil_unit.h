#pragma once
// The list of look names offered in the style box.
#include <functional>
#include <string>
#include <vector>

#include "app/strutil.h"

namespace kv::ui {

extern const wchar_t* const kSystemStyleName;  // "Windows"
extern const wchar_t* const kStyleSeparator;   // "------------"

// The names of the built-in styles, as the style engine knows them.
const std::vector<std::wstring>& BuiltinStyleNames();

// "Windows", the separator, then every other known style name sorted without regard to case;
// a known name that is the same name as "Windows" by sameName is not listed twice.
std::vector<std::wstring> StyleNameList(const std::vector<std::wstring>& known = BuiltinStyleNames(),
                                        const std::function<bool(const std::wstring&, const std::wstring&)>&
                                            sameName = equalsIgnoreCase);

}  // namespace kv::ui

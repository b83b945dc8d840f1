#pragma once
#include <functional>
#include <string>

namespace kv {

// Whether a name can be a category: KV.ini must carry it as a section name, and the list
// must not hide it at the next start (KONFIG, DUCK and the FORM… placement sections are hidden).
// sameName is the file's rule for names that are one section.
bool isUsableCategoryName(const std::wstring& name,
                          const std::function<bool(const std::wstring&, const std::wstring&)>& sameName);

// File-name parts as the slot assignment needs them.
std::wstring folderOf(const std::wstring& path);              // up to the last '\' or ':', included
std::wstring fileNameOf(const std::wstring& path);            // after the last '\' or ':'
std::wstring withoutLastExtension(const std::wstring& name);  // "a.b.mp3" -> "a.b"

}  // namespace kv

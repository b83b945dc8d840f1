#pragma once
// The Windows private-profile functions, the only way KV.ini is read and written.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "library/IniDocument.h"

namespace kv {

class IProfileFile {
public:
    virtual ~IProfileFile() = default;
    // The stored text, whole, or def when the file, section or key is missing.
    virtual std::wstring readString(const std::wstring& file, const std::wstring& section,
                                    const std::wstring& key, const std::wstring& def) const = 0;
    // Every key of a section with the value readString gives for it, in file order, read in
    // one pass; nothing when the section cannot be read that way (then read key by key).
    // A missing file or section gives an empty list.
    using Entries = std::vector<std::pair<std::wstring, std::wstring>>;
    virtual std::optional<Entries> readSection(const std::wstring& file, const std::wstring& section) const = 0;
    // All section names in file order; none for a missing file.
    virtual std::vector<std::wstring> sectionNames(const std::wstring& file) const = 0;
    // Creates file, section or key as needed; false when the write failed.
    virtual bool writeString(const std::wstring& file, const std::wstring& section,
                             const std::wstring& key, const std::wstring& value) = 0;
    // Removes the section with all its keys; false when that failed.
    virtual bool eraseSection(const std::wstring& file, const std::wstring& section) = 0;
    // Every write of the list, in its order, as one change of the file: all of them reach
    // it or, when this returns false, none.
    virtual bool writeSections(const std::wstring& file, const std::vector<SectionWrite>& writes) = 0;
    // Whether the file takes two section or key names for the same name. This is the one
    // rule by which the program compares names ignoring case: the category list, the
    // duplicate-name check and the style list follow it, so that two names the program
    // tells apart never land in one section.
    virtual bool sameName(const std::wstring& a, const std::wstring& b) const = 0;
};

}  // namespace kv

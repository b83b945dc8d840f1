#pragma once
// The text of an INI file, changed section by section as the private-profile functions
// change it: sections and keys match by the file's rule for names, an existing key is
// replaced where it stands, a new key goes after the last line of its section, a new
// section at the end of the file. Every line that is not changed stays as it was.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

using NameRule = std::function<bool(const std::wstring&, const std::wstring&)>;
using IniEntries = std::vector<std::pair<std::wstring, std::wstring>>;

// What a write does to one section: erase it first (erase = true), then set the values
// in their order. An erase with no values leaves no section behind.
struct SectionWrite {
    std::wstring section;
    IniEntries values;
    bool erase = false;
};

class IniDocument {
public:
    IniDocument(std::wstring text, NameRule sameName);
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    void apply(const SectionWrite& write);
    // Lines end with CR LF; a text with lines ends with a line end.
    std::wstring text() const;
    // The same text as UTF-16LE after its byte-order mark, made in one pass where wide
    // characters are UTF-16 units (a large file is not copied twice).
    std::vector<std::uint8_t> utf16LeWithMark() const;

    // The section names in file order, and the values of the first section of a name;
    // as the profile functions read them (names and values without surrounding blanks).
    std::vector<std::wstring> sectionNames() const;
    IniEntries values(const std::wstring& section) const;

private:
    struct Range {
        std::size_t header;  // the line of "[name]"; lines_.size() when there is none
        std::size_t end;     // the line after the section's last
    };
    Range find(const std::wstring& section) const;
    std::size_t nextHeader(std::size_t from) const;
    void setValue(Range& range, const std::wstring& key, const std::wstring& value);
    std::wstring_view own(std::wstring line);

    // The lines point into text_, or into owned_ for the lines this document wrote: a file
    // of many thousand lines is split without a copy of each.
    std::wstring text_;
    std::deque<std::wstring> owned_;
    std::vector<std::wstring_view> lines_;
    NameRule sameName_;
};

}  // namespace kv

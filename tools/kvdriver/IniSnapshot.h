#pragma once
// A read-only view of an INI file as it lies on disk: sections and keys in file order,
// names matched without regard to case (as the profile functions match them).
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvdriver {

enum class TextEncoding { Ansi, Utf16Le };

class IniSnapshot {
public:
    struct Section {
        std::wstring name;
        std::vector<std::pair<std::wstring, std::wstring>> entries;  // key, value
    };

    // Decodes bytes (UTF-16LE when they begin with its byte-order mark, else the ANSI
    // code page) and parses the lines.
    static IniSnapshot parse(const std::vector<std::uint8_t>& bytes);
    // nullopt when the file cannot be read.
    static std::optional<IniSnapshot> load(const std::wstring& path);

    TextEncoding encoding() const { return encoding_; }
    const std::vector<Section>& sections() const { return sections_; }
    std::vector<std::wstring> sectionNames() const;
    const Section* section(const std::wstring& name) const;
    std::vector<std::wstring> keys(const std::wstring& sectionName) const;
    std::optional<std::wstring> value(const std::wstring& sectionName, const std::wstring& key) const;
    // Lines that are neither blank, a comment, a section header nor a key=value line of a
    // section (the profile functions skip them): what a torn write leaves behind.
    const std::vector<std::wstring>& strayLines() const { return stray_; }

private:
    TextEncoding encoding_ = TextEncoding::Ansi;
    std::vector<Section> sections_;
    std::vector<std::wstring> stray_;
};

// Reads a whole file; nullopt when it cannot be opened.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::wstring& path);

// Text as a UTF-16LE file with byte-order mark, as a test prepares a KV.ini.
std::vector<std::uint8_t> utf16LeWithBom(const std::wstring& text);
bool writeFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

bool equalsIgnoreCase(const std::wstring& a, const std::wstring& b);

}  // namespace kvdriver

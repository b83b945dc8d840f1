#pragma once
// One INI file with typed values: strings as they are, booleans as "1" and "0",
// integers in decimal.
#include <optional>
#include <string>
#include <vector>

#include "library/ProfileFile.h"

namespace kv {

// Reads an integer as the INI conventions do: decimal with an optional sign, or hexadecimal
// after "0x" or "$"; anything else gives def.
int parseIniInteger(const std::wstring& text, int def);

// One section's values, read in one pass; each read gives what IniFile's read of the same
// key would give.
class IniSection {
public:
    IniSection(const IProfileFile& profile, std::wstring path, std::wstring section);

    std::wstring readString(const std::wstring& key, const std::wstring& def) const;
    int readInteger(const std::wstring& key, int def) const;
    bool readBool(const std::wstring& key, bool def) const;

private:
    const IProfileFile& profile_;
    std::wstring path_;
    std::wstring section_;
    std::optional<IProfileFile::Entries> entries_;  // none: read key by key
};

class IniFile {
public:
    IniFile(IProfileFile& profile, std::wstring path) : profile_(profile), path_(std::move(path)) {}

    const std::wstring& path() const { return path_; }

    std::vector<std::wstring> sections() const { return profile_.sectionNames(path_); }
    // The values of one section, for reading many of its keys.
    IniSection section(const std::wstring& name) const { return IniSection(profile_, path_, name); }
    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& def) const;
    int readInteger(const std::wstring& section, const std::wstring& key, int def) const;
    bool readBool(const std::wstring& section, const std::wstring& key, bool def) const;

    bool writeString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    bool writeInteger(const std::wstring& section, const std::wstring& key, int value);
    bool writeBool(const std::wstring& section, const std::wstring& key, bool value);
    bool eraseSection(const std::wstring& section);

private:
    IProfileFile& profile_;
    std::wstring path_;
};

}  // namespace kv

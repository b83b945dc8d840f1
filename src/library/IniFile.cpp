#include "library/IniFile.h"

#include <climits>

#include "app/strutil.h"

namespace kv {

static int digitValue(wchar_t c, int base) {
    int v = -1;
    if (c >= L'0' && c <= L'9') v = c - L'0';
    else if (c >= L'a' && c <= L'f') v = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F') v = c - L'A' + 10;
    return v < base ? v : -1;
}

int parseIniInteger(const std::wstring& text, int def) {
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    int base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return def;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const int d = digitValue(text[i], base);
        if (d < 0) return def;
        value = value * base + d;
        // Hexadecimal texts may name the full 32-bit pattern; decimal ones must fit.
        if (value > (base == 16 ? 0xFFFFFFFFLL : static_cast<long long>(INT_MAX) + 1)) return def;
    }
    if (base == 16 && !negative) return static_cast<int>(static_cast<unsigned>(value));
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return def;
    return static_cast<int>(value);
}

std::wstring IniFile::readString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& def) const {
    return profile_.readString(path_, section, key, def);
}

int IniFile::readInteger(const std::wstring& section, const std::wstring& key, int def) const {
    const std::wstring text = profile_.readString(path_, section, key, L"");
    return text.empty() ? def : parseIniInteger(text, def);
}

bool IniFile::readBool(const std::wstring& section, const std::wstring& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

IniSection::IniSection(const IProfileFile& profile, std::wstring path, std::wstring section)
    : profile_(profile),
      path_(std::move(path)),
      section_(std::move(section)),
      entries_(profile_.readSection(path_, section_)) {}

// Keys match ignoring case and the first of equal keys counts, as for the profile functions.
std::wstring IniSection::readString(const std::wstring& key, const std::wstring& def) const {
    if (!entries_) return profile_.readString(path_, section_, key, def);
    for (const auto& [name, value] : *entries_)
        if (profile_.sameName(name, key)) return value;
    return def;
}

int IniSection::readInteger(const std::wstring& key, int def) const {
    const std::wstring text = readString(key, L"");
    return text.empty() ? def : parseIniInteger(text, def);
}

bool IniSection::readBool(const std::wstring& key, bool def) const {
    return readInteger(key, def ? 1 : 0) != 0;
}

bool IniFile::writeString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) {
    return profile_.writeString(path_, section, key, value);
}

bool IniFile::writeInteger(const std::wstring& section, const std::wstring& key, int value) {
    return writeString(section, key, std::to_wstring(value));
}

bool IniFile::writeBool(const std::wstring& section, const std::wstring& key, bool value) {
    return writeString(section, key, value ? L"1" : L"0");
}

bool IniFile::eraseSection(const std::wstring& section) {
    return profile_.eraseSection(path_, section);
}

}  // namespace kv

#pragma once
// KV.ini through the Windows private-profile functions. A file this class creates, or finds
// empty, begins with a UTF-16LE byte-order mark, so the profile functions keep it in UTF-16
// and any name survives. An existing ANSI file stays ANSI until a write needs a character
// its code page lacks; then it is converted to UTF-16LE first (see ProfileEncoding.h).
#include "library/ProfileFile.h"

namespace kv {

class Win32ProfileFile final : public IProfileFile {
public:
    // Values are read whole, however long.
    std::wstring readString(const std::wstring& file, const std::wstring& section,
                            const std::wstring& key, const std::wstring& def) const override;
    // One GetPrivateProfileSectionW instead of a call per key (each call opens the file
    // again). Quoted values, which GetPrivateProfileStringW unquotes, are read key by key;
    // a section larger than one such read returns is left to key-by-key reads altogether.
    std::optional<Entries> readSection(const std::wstring& file, const std::wstring& section) const override;
    std::vector<std::wstring> sectionNames(const std::wstring& file) const override;
    bool writeString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override;
    // A missing file holds no section: erasing succeeds without creating it.
    bool eraseSection(const std::wstring& file, const std::wstring& section) override;
    // Ordinal, ignoring case by the system's upper-case table and blanks at either end. The
    // profile functions ignore those blanks too; whether they fold letters beyond ASCII
    // differs between systems, so the rule folds all letters: two names it tells apart are
    // never one section, and no locale rule ever makes two different names one.
    bool sameName(const std::wstring& a, const std::wstring& b) const override;
};

// Splits a list of null-terminated texts that ends with an empty one.
std::vector<std::wstring> splitNullSeparated(const wchar_t* list, std::size_t length);

}  // namespace kv

#pragma once
// KV.ini, read through the Windows private-profile functions and written as a whole (see
// IniStore.h): every read and write holds the file's lock, so that copies of the program
// sharing the file take turns. A file this class creates, or finds empty, begins with a
// UTF-16LE byte-order mark, so any name survives. An existing ANSI file stays ANSI until a
// write needs a character its code page lacks; then it becomes UTF-16LE, its content kept.
#include "app/FileLock.h"
#include "app/FileSystem.h"
#include "library/IniStore.h"
#include "library/ProfileFile.h"

namespace kv {

class Win32ProfileFile final : public IProfileFile {
public:
    Win32ProfileFile(IFileSystem& files, IFileLocks& locks);

    // Values are read whole, however long.
    std::wstring readString(const std::wstring& file, const std::wstring& section,
                            const std::wstring& key, const std::wstring& def) const override;
    // One GetPrivateProfileSectionW instead of a call per key (each call opens the file
    // again). Quoted values, which GetPrivateProfileStringW unquotes, are read key by key;
    // a section larger than one such read returns is left to key-by-key reads altogether.
    std::optional<Entries> readSection(const std::wstring& file, const std::wstring& section) const override;
    std::vector<std::wstring> sectionNames(const std::wstring& file) const override;
    // One change of the file each (IniStore::apply).
    bool writeString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override;
    // A missing file holds no section: erasing succeeds without creating it.
    bool eraseSection(const std::wstring& file, const std::wstring& section) override;
    bool writeSections(const std::wstring& file, const std::vector<SectionWrite>& writes) override;
    // Ordinal, ignoring case by the system's upper-case table and blanks at either end. The
    // profile functions ignore those blanks too; whether they fold letters beyond ASCII
    // differs between systems, so the rule folds all letters: two names it tells apart are
    // never one section, and no locale rule ever makes two different names one.
    bool sameName(const std::wstring& a, const std::wstring& b) const override;

private:
    // Held for one read; a read goes on without it when another copy holds it too long
    // (reading never fails, and the file is only ever replaced whole).
    std::unique_ptr<FileLock> lockForReading(const std::wstring& file) const;

    IFileSystem& files_;
    IFileLocks& locks_;
    IniStore store_;
};

// Splits a list of null-terminated texts that ends with an empty one.
std::vector<std::wstring> splitNullSeparated(const wchar_t* list, std::size_t length);

}  // namespace kv

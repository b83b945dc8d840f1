#include "library/win32/Win32ProfileFile.h"

#include <windows.h>

#include "app/strutil.h"

namespace kv {

namespace {

constexpr DWORD kFirstValueBufferSize = 2048;  // grown until the value fits
constexpr DWORD kFirstListBufferSize = 65536;  // grown until every section name fits; each
                                                // call reads the whole file again
constexpr DWORD kSectionBufferSize = 32767;    // the most one section read returns

}  // namespace

Win32ProfileFile::Win32ProfileFile(IFileSystem& files, IFileLocks& locks)
    : files_(files), locks_(locks), store_(files, locks, [this](const std::wstring& a, const std::wstring& b) {
          return sameName(a, b);
      }) {}

std::unique_ptr<FileLock> Win32ProfileFile::lockForReading(const std::wstring& file) const {
    return locks_.acquire(file, kFileLockWaitMs);
}

std::vector<std::wstring> splitNullSeparated(const wchar_t* list, std::size_t length) {
    std::vector<std::wstring> items;
    std::size_t start = 0;
    while (start < length && list[start] != L'\0') {
        std::size_t end = start;
        while (end < length && list[end] != L'\0') ++end;
        items.emplace_back(list + start, end - start);
        start = end + 1;
    }
    return items;
}

std::wstring Win32ProfileFile::readString(const std::wstring& file, const std::wstring& section,
                                          const std::wstring& key, const std::wstring& def) const {
    const auto lock = lockForReading(file);
    std::wstring buffer(kFirstValueBufferSize, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer.data(), size, file.c_str());
        // A value that did not fit is reported as size - 1 characters long.
        if (length + 1 < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(static_cast<std::size_t>(size) * 2, L'\0');
    }
}

std::optional<IProfileFile::Entries> Win32ProfileFile::readSection(const std::wstring& file,
                                                                  const std::wstring& section) const {
    const auto lock = lockForReading(file);
    std::wstring buffer(kSectionBufferSize, L'\0');
    const DWORD length = GetPrivateProfileSectionW(section.c_str(), buffer.data(), kSectionBufferSize, file.c_str());
    if (length + 2 >= kSectionBufferSize) return std::nullopt;  // did not fit
    Entries entries;
    for (const std::wstring& line : splitNullSeparated(buffer.data(), length)) {
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) return std::nullopt;  // a key without a value
        std::wstring key = line.substr(0, equals);
        std::wstring value = line.substr(equals + 1);
        const bool quoted = !value.empty() && (value.front() == L'"' || value.front() == L'\'');
        if (quoted) value = readString(file, section, key, L"");
        entries.emplace_back(std::move(key), std::move(value));
    }
    return entries;
}

std::vector<std::wstring> Win32ProfileFile::sectionNames(const std::wstring& file) const {
    const auto lock = lockForReading(file);
    std::wstring buffer(kFirstListBufferSize, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileSectionNamesW(buffer.data(), size, file.c_str());
        // A list that did not fit is reported as size - 2 characters long.
        if (length + 2 < size) return splitNullSeparated(buffer.data(), length);
        buffer.assign(static_cast<std::size_t>(size) * 2, L'\0');
    }
}

bool Win32ProfileFile::writeString(const std::wstring& file, const std::wstring& section,
                                   const std::wstring& key, const std::wstring& value) {
    return store_.apply(file, {SectionWrite{section, {{key, value}}, false}});
}

bool Win32ProfileFile::writeSections(const std::wstring& file, const std::vector<SectionWrite>& writes) {
    return store_.apply(file, writes);
}

bool Win32ProfileFile::sameName(const std::wstring& a, const std::wstring& b) const {
    const std::wstring x = trimmed(a), y = trimmed(b);
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()),
                                TRUE) == CSTR_EQUAL;
}

bool Win32ProfileFile::eraseSection(const std::wstring& file, const std::wstring& section) {
    if (!files_.fileExists(file)) return true;
    return store_.apply(file, {SectionWrite{section, {}, true}});
}

}  // namespace kv

#pragma once
// Files and folders through the Win32 file API. Paths longer than 259 characters are not
// supported: every operation on them fails (returns false) whatever the system allows.
#include "app/FileSystem.h"

namespace kv {

class Win32FileSystem final : public IFileSystem {
public:
    bool directoryExists(const std::wstring& path) const override;
    bool fileExists(const std::wstring& path) const override;
    FileAccess readAccess(const std::wstring& path) const override;
    bool createDirectories(const std::wstring& path) override;
    bool writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override;
    bool deleteFile(const std::wstring& path) override;
    bool appendAnsiText(const std::wstring& path, const std::wstring& text) override;
};

// The text in the system's ANSI code page; characters it cannot hold become its default
// character (no best-fit look-alikes).
std::string toAnsi(const std::wstring& text);

}  // namespace kv

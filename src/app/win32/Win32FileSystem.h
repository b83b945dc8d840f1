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
    bool isReadOnly(const std::wstring& path) const override;
    FileContent readFile(const std::wstring& path, std::size_t limit) const override;
    std::wstring writeTemporaryBeside(const std::wstring& beside, const std::vector<std::uint8_t>& bytes) override;
    // MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
    bool replaceFile(const std::wstring& from, const std::wstring& to) override;
    bool appendBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override;
    // No best-fit look-alikes: a character the code page lacks is not held.
    std::optional<std::string> toAnsi(const std::wstring& text) const override;
    std::wstring fromAnsi(const std::string& bytes) const override;
    // Also for paths of any length (jingles may lie that deep).
    std::optional<FileStamp> fileStamp(const std::wstring& path) const override;
};

}  // namespace kv

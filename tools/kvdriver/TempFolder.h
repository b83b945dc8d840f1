#pragma once
// A fresh, uniquely named folder under %TEMP%, removed with all its content on destruction.
#include <string>
#include <vector>

namespace kvdriver {

class TempFolder {
public:
    explicit TempFolder(const std::wstring& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder without a trailing "\".
    const std::wstring& path() const { return path_; }
    // path() + "\" + relative.
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

// Creates the folder and its parents; throws std::runtime_error on failure.
void createFolders(const std::wstring& path);
bool folderExists(const std::wstring& path);
bool fileExists(const std::wstring& path);
// Removes a tree, clearing read-only attributes first; errors are ignored.
void removeTree(const std::wstring& path);
// Sets or clears the read-only attribute of a file.
bool setReadOnly(const std::wstring& path, bool readOnly);
// The entries (files and folders) directly in a folder, by name.
std::vector<std::wstring> folderEntries(const std::wstring& path);

}  // namespace kvdriver

#include "kvdriver/TempFolder.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "kvdriver/Text.h"

namespace kvdriver {
namespace {

std::wstring tempBase() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring base(buffer, n);
    while (!base.empty() && (base.back() == L'\\' || base.back() == L'/')) base.pop_back();
    return base;
}

std::wstring uniqueName(const std::wstring& prefix) {
    static std::atomic<unsigned> counter{0};
    return prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter);
}

}  // namespace

TempFolder::TempFolder(const std::wstring& prefix) : path_(tempBase() + L"\\" + uniqueName(prefix)) {
    createFolders(path_);
}

TempFolder::~TempFolder() { removeTree(path_); }

void createFolders(const std::wstring& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path), error);
    if (!folderExists(path)) throw std::runtime_error("cannot create folder " + toUtf8(path));
}

bool folderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool fileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void removeTree(const std::wstring& path) {
    std::error_code error;
    const std::filesystem::path root(path);
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(root, error);
}

bool setReadOnly(const std::wstring& path, bool readOnly) {
    return SetFileAttributesW(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

std::vector<std::wstring> folderEntries(const std::wstring& path) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator(std::filesystem::path(path), error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error))
        names.push_back(it->path().filename().wstring());
    return names;
}

}  // namespace kvdriver

#include "app/win32/Win32FileSystem.h"

#include <windows.h>

#include <optional>

#include "app/win32/UniqueHandle.h"

namespace kv {

namespace {

constexpr std::size_t kMaxPathLength = MAX_PATH - 1;

bool usablePath(const std::wstring& path) {
    return !path.empty() && path.size() <= kMaxPathLength;
}

// Attributes of what path finally names: a symbolic link or junction is followed by
// opening it, so a dangling link names nothing.
std::optional<DWORD> followedAttributes(const std::wstring& path) {
    if (!usablePath(path)) return std::nullopt;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return attributes;
    const UniqueHandle target(CreateFileW(path.c_str(), 0,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!target || !GetFileInformationByHandle(target.get(), &info)) return std::nullopt;
    return info.dwFileAttributes;
}

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool writeAll(HANDLE file, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

}  // namespace

std::string toAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    // Best-fit mapping would turn, say, a letter with a stroke into its plain look-alike;
    // the code page's default character is wanted instead. UTF-8 as ANSI code page takes
    // no flags (and can hold everything anyway).
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

bool Win32FileSystem::directoryExists(const std::wstring& path) const {
    const std::optional<DWORD> attributes = followedAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::fileExists(const std::wstring& path) const {
    const std::optional<DWORD> attributes = followedAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FileAccess Win32FileSystem::readAccess(const std::wstring& path) const {
    if (directoryExists(path)) return FileAccess::Unreadable;
    // The sharing the profile functions need: others may go on reading and writing.
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return FileAccess::Readable;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileAccess::Missing;
    return FileAccess::Unreadable;
}

bool Win32FileSystem::createDirectories(const std::wstring& path) {
    if (!usablePath(path)) return false;
    // Create every prefix that ends before a separator, then the whole path. Prefixes that
    // are roots, drives or already exist fail harmlessly; only the final state counts.
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (isSeparator(path[i]) && !isSeparator(path[i - 1]))
            CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
    return directoryExists(path);
}

bool Win32FileSystem::writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    if (!usablePath(path)) return false;
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && writeAll(file.get(), bytes.data(), bytes.size());
}

bool Win32FileSystem::deleteFile(const std::wstring& path) {
    return usablePath(path) && DeleteFileW(path.c_str()) != 0;
}

bool Win32FileSystem::appendAnsiText(const std::wstring& path, const std::wstring& text) {
    if (!usablePath(path)) return false;
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.get(), end, nullptr, FILE_END)) return false;
    const std::string ansi = toAnsi(text);
    if (!text.empty() && ansi.empty()) return false;  // conversion failed
    return writeAll(file.get(), ansi.data(), ansi.size());
}

}  // namespace kv

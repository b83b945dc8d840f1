#include "app/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "app/win32/UniqueHandle.h"
#include "playback/PlaybackErrors.h"

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

bool Win32FileSystem::isReadOnly(const std::wstring& path) const {
    const std::optional<DWORD> attributes = followedAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

FileContent Win32FileSystem::readFile(const std::wstring& path, std::size_t limit) const {
    if (!usablePath(path) || directoryExists(path)) return {FileAccess::Unreadable, {}};
    // Others may go on reading, writing and replacing the file meanwhile.
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileAccess::Missing : FileAccess::Unreadable, {}};
    }
    FileContent content{FileAccess::Readable, {}};
    LARGE_INTEGER size{};
    // One read of the size the file has, then on until its end (it may have grown).
    std::size_t wanted = 65536;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart >= 0 && size.QuadPart < 0x40000000)
        wanted = static_cast<std::size_t>(size.QuadPart) + 1;
    for (;;) {
        const std::size_t have = content.bytes.size();
        const std::size_t chunk = std::min(wanted, limit - have);
        if (chunk == 0) break;
        content.bytes.resize(have + chunk);
        DWORD read = 0;
        if (!ReadFile(file.get(), content.bytes.data() + have, static_cast<DWORD>(chunk), &read, nullptr))
            return {FileAccess::Unreadable, {}};
        content.bytes.resize(have + read);
        if (read == 0) break;
        wanted = 65536;
    }
    return content;
}

std::wstring Win32FileSystem::writeTemporaryBeside(const std::wstring& beside, const std::vector<std::uint8_t>& bytes) {
    const std::size_t slash = beside.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : beside.substr(0, slash);
    wchar_t name[MAX_PATH] = {};
    if (!usablePath(beside) || GetTempFileNameW(folder.c_str(), L"KV", 0, name) == 0) return {};
    bool written = false;
    {
        const UniqueHandle file(CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                            nullptr));
        written = file && writeAll(file.get(), bytes.data(), bytes.size()) && FlushFileBuffers(file.get());
    }
    if (written) return name;
    DeleteFileW(name);
    return {};
}

bool Win32FileSystem::replaceFile(const std::wstring& from, const std::wstring& to) {
    if (!usablePath(from) || !usablePath(to)) return false;
    // A reader that is not one of ours (a virus scanner) may hold the file for a moment.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return false;
        Sleep(10);
    }
    return false;
}

bool Win32FileSystem::appendBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    if (!usablePath(path)) return false;
    const UniqueHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && writeAll(file.get(), bytes.data(), bytes.size());
}

std::wstring Win32FileSystem::fromAnsi(const std::string& bytes) const {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
    return text;
}

std::optional<std::string> Win32FileSystem::toAnsi(const std::wstring& text) const {
    if (text.empty()) return std::string();
    // Best-fit mapping would turn, say, a letter with a stroke into its plain look-alike.
    // UTF-8 as ANSI code page takes no flags.
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), size, nullptr, nullptr);
    // A character the code page lacks came out as its default character.
    if (fromAnsi(ansi) != text) return std::nullopt;
    return ansi;
}

std::optional<FileStamp> Win32FileSystem::fileStamp(const std::wstring& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(extendedLengthPath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    const auto wide = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return FileStamp{wide(data.nFileSizeHigh, data.nFileSizeLow),
                     wide(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

}  // namespace kv

#include "app/win32/Win32VersionSource.h"

#include <windows.h>
#include <winver.h>

#include <memory>
#include <vector>

namespace kv {

namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t* text) const noexcept { LocalFree(text); }
};

std::optional<FileVersion> readFileVersion(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<std::uint8_t> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
    void* value = nullptr;
    UINT valueSize = 0;
    if (!VerQueryValueW(block.data(), L"\\", &value, &valueSize)) return std::nullopt;
    if (value == nullptr || valueSize < sizeof(VS_FIXEDFILEINFO)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return std::nullopt;
    }
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}

}  // namespace

std::wstring systemErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreeDeleter> owner(buffer);
    std::wstring text = length > 0 && buffer ? std::wstring(buffer, length) : std::wstring();
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? std::to_wstring(code) : text;
}

std::wstring ownExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
}

std::optional<FileVersion> Win32VersionSource::fileVersion(std::wstring& errorText) const {
    const std::wstring path = path_.empty() ? ownExecutablePath() : path_;
    std::optional<FileVersion> version;
    if (!path.empty()) version = readFileVersion(path);
    if (!version) errorText = systemErrorText(GetLastError());
    return version;
}

}  // namespace kv

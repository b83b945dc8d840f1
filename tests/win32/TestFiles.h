#pragma once
// Files for the Win32 tests: a temporary folder that cleans up after itself, and whole-file
// byte reads and writes.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace kv::test {

// A new empty folder below the system's temporary folder, removed with its content (read-only
// files included) when the test ends.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& prefix = L"kvtest_") {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, base);
        static int counter = 0;
        path_ = std::wstring(base) + prefix + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        // Errors end the walk instead of throwing: a destructor must not throw, and under Wine
        // a step of the walk can fail after the MCI player has run.
        std::error_code ignored;
        namespace fs = std::filesystem;
        for (fs::recursive_directory_iterator it(path_, ignored); !ignored && it != fs::recursive_directory_iterator();
             it.increment(ignored))
            SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

inline std::string readBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << bytes;
}

}  // namespace kv::test

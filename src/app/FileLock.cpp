#include "app/FileLock.h"

#include <cstdint>

namespace kv {

namespace {

class NoLock final : public FileLock {};

class UnsharedFiles final : public IFileLocks {
public:
    std::unique_ptr<FileLock> acquire(const std::wstring&, int) override { return std::make_unique<NoLock>(); }
};

}  // namespace

IFileLocks& unsharedFiles() {
    static UnsharedFiles locks;
    return locks;
}

// FNV-1a over the UTF-16 units: the path itself may hold backslashes and be longer than
// a kernel object name may be.
std::wstring fileLockName(const std::wstring& foldedPath) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (wchar_t c : foldedPath) {
        const auto unit = static_cast<std::uint32_t>(c);
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (unit >> shift) & 0xFF;
            hash *= 1099511628211ULL;
        }
    }
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring name = L"Kavinta.FileLock.";
    for (int shift = 60; shift >= 0; shift -= 4) name += digits[(hash >> shift) & 0xF];
    return name;
}

}  // namespace kv

#include "app/win32/Win32FileLocks.h"

#include <windows.h>

#include "app/win32/UniqueHandle.h"

namespace kv {

namespace {

class HeldMutex final : public FileLock {
public:
    explicit HeldMutex(UniqueHandle mutex) : mutex_(std::move(mutex)) {}
    ~HeldMutex() override { ReleaseMutex(mutex_.get()); }
    HeldMutex(const HeldMutex&) = delete;
    HeldMutex& operator=(const HeldMutex&) = delete;

private:
    UniqueHandle mutex_;
};

}  // namespace

std::wstring foldedFullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.assign(length + 1, L'\0');
        length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) full = path;
    else full.resize(length);
    if (!full.empty()) CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    return full;
}

std::unique_ptr<FileLock> Win32FileLocks::acquire(const std::wstring& path, int timeoutMs) {
    const std::wstring name = fileLockName(foldedFullPath(path));
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, name.c_str()));
    if (!mutex) return nullptr;
    const DWORD waited = WaitForSingleObject(mutex.get(), timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return nullptr;
    return std::make_unique<HeldMutex>(std::move(mutex));
}

}  // namespace kv

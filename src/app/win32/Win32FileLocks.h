#pragma once
// File locks as named mutexes, one per file, shared by every process of the session.
#include "app/FileLock.h"

namespace kv {

class Win32FileLocks final : public IFileLocks {
public:
    // A mutex left by a process that ended while holding it is taken over: the file
    // operations replace the file in one step, so it was left whole.
    std::unique_ptr<FileLock> acquire(const std::wstring& path, int timeoutMs) override;
};

// The full path of path, folded to upper case ordinally; the lock's identity.
std::wstring foldedFullPath(const std::wstring& path);

}  // namespace kv

#pragma once
// One writer at a time for a file that several copies of the program share: a lock per
// file, taken by every process that reads or writes the file, for one operation at a time.
#include <memory>
#include <string>

namespace kv {

// Held while it lives.
class FileLock {
public:
    virtual ~FileLock() = default;
};

class IFileLocks {
public:
    virtual ~IFileLocks() = default;
    // The lock of the file at path, the same for every spelling of the path in any case;
    // waits at most timeoutMs for another holder to let go. Nothing when the wait ran out.
    // A thread that holds the lock may take it again.
    virtual std::unique_ptr<FileLock> acquire(const std::wstring& path, int timeoutMs) = 0;
};

// The longest a save or a log entry waits for another copy before it counts as failed.
inline constexpr int kFileLockWaitMs = 2000;

// A lock that is always had at once: for a process that shares no file with another.
IFileLocks& unsharedFiles();

// The name of a lock shared by all processes for a file whose full path, folded to one
// case, is foldedPath: no backslash in it, and short enough for any path.
std::wstring fileLockName(const std::wstring& foldedPath);

}  // namespace kv

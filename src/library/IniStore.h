#pragma once
// Writes of an INI file that several copies of the program share. Each write is one
// transaction under the file's lock: the file is read as it is on disk at that moment,
// only the sections written change, and the whole result goes to a new file in the same
// folder that then takes the old one's place. A failure at any step leaves the old file
// whole; no reader ever sees a file half-written.
#include <vector>

#include "app/FileLock.h"
#include "app/FileSystem.h"
#include "library/IniDocument.h"

namespace kv {

class IniStore {
public:
    IniStore(IFileSystem& files, IFileLocks& locks, NameRule sameName)
        : files_(files), locks_(locks), sameName_(std::move(sameName)) {}

    // False when the file is read-only, the lock was not had within kFileLockWaitMs, the
    // file could not be read, or the new file could not be written or put in its place.
    // The file keeps its form: a new or empty file becomes UTF-16LE with its mark, and an
    // ANSI file becomes UTF-16LE once it must hold a character the code page lacks.
    bool apply(const std::wstring& file, const std::vector<SectionWrite>& writes);

private:
    IFileSystem& files_;
    IFileLocks& locks_;
    NameRule sameName_;
};

}  // namespace kv

#pragma once
#include <string>

#include "app/Clock.h"
#include "app/FileLock.h"
#include "app/FileSystem.h"

namespace kv {

struct JinglePathParts {
    std::wstring name;  // after the last backslash
    std::wstring path;  // up to and including the last backslash; the whole text without one
};

// Splits at the last backslash only; a forward slash is an ordinary character.
JinglePathParts splitJinglePath(const std::wstring& jingle);

std::wstring formatLogDate(const LocalTime& t);                               // "05.03.2024"
std::wstring formatLogTime(const LocalTime& t, const std::wstring& separator);  // "14:07:09"

// Appends one line (with its line end) to the log under the file's lock. A missing file is
// created as UTF-8 with a byte-order mark, beginning with header. A file in the system's
// ANSI code page stays so while the code page holds the line; the first line it cannot
// hold converts the whole file to UTF-8 with a mark, every character kept, in one step.
// False when the line could not be written.
bool appendLogLine(IFileSystem& files, IFileLocks& locks, const std::wstring& file, const std::wstring& header,
                   const std::wstring& line);

}  // namespace kv

#pragma once
// The environment and file-system operations the program asks of the platform.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class IEnvironment {
public:
    virtual ~IEnvironment() = default;
    // The value of an environment variable; empty when it is unset.
    virtual std::wstring variable(const std::wstring& name) const = 0;
};

// What a reader finds at a path: nothing, a file it can open, or something it cannot read
// now (a folder, a file another program holds without sharing it, a file it may not read).
enum class FileAccess { Missing, Readable, Unreadable };

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // True when path names an existing folder (links and junctions followed).
    virtual bool directoryExists(const std::wstring& path) const = 0;
    // True when path names an existing file (links followed).
    virtual bool fileExists(const std::wstring& path) const = 0;
    // Whether the file at path can be opened for reading now, tried once.
    virtual FileAccess readAccess(const std::wstring& path) const = 0;
    // Creates the folder with all missing parents; true when it exists afterwards.
    virtual bool createDirectories(const std::wstring& path) = 0;
    // Creates or replaces the file and writes bytes to it; false on any failure.
    virtual bool writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) = 0;
    virtual bool deleteFile(const std::wstring& path) = 0;
    // Appends text, converted to the system's ANSI code page, at the end of the file,
    // creating the file when it does not exist; false on any failure.
    virtual bool appendAnsiText(const std::wstring& path, const std::wstring& text) = 0;
};

}  // namespace kv

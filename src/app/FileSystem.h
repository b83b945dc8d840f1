#pragma once
// The environment and file-system operations the program asks of the platform.
#include <cstddef>
#include <cstdint>
#include <optional>
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

inline constexpr std::size_t kWholeFile = static_cast<std::size_t>(-1);

// A whole file as one read found it: bytes holds it when access is Readable.
struct FileContent {
    FileAccess access = FileAccess::Missing;
    std::vector<std::uint8_t> bytes;
};

// A file's size and last-write time (the system's 100-ns units since 1601): a file
// changed on disk since has another stamp.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // True when path names an existing folder (links and junctions followed).
    virtual bool directoryExists(const std::wstring& path) const = 0;
    // True when path names an existing file (links followed).
    virtual bool fileExists(const std::wstring& path) const = 0;
    // Whether the file at path can be opened for reading now, tried once.
    virtual FileAccess readAccess(const std::wstring& path) const = 0;
    // True when the file at path is marked read-only.
    virtual bool isReadOnly(const std::wstring& path) const = 0;
    // Creates the folder with all missing parents; true when it exists afterwards.
    virtual bool createDirectories(const std::wstring& path) = 0;
    // Creates or replaces the file and writes bytes to it; false on any failure.
    virtual bool writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) = 0;
    virtual bool deleteFile(const std::wstring& path) = 0;
    // The file in one read: its first limit bytes, or all of it.
    virtual FileContent readFile(const std::wstring& path, std::size_t limit) const = 0;
    // A new file with a name of its own in the folder of beside, holding bytes and flushed
    // to the disk; its path, or empty when it could not be written whole (then nothing of
    // it is left).
    virtual std::wstring writeTemporaryBeside(const std::wstring& beside, const std::vector<std::uint8_t>& bytes) = 0;
    // Puts the file from in the place of to in one step, replacing to when it exists; false
    // when that failed, and then both are as they were.
    virtual bool replaceFile(const std::wstring& from, const std::wstring& to) = 0;
    // Appends bytes at the end of the file, creating the file when it does not exist;
    // false on any failure.
    virtual bool appendBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) = 0;
    // The text in the system's ANSI code page; nothing when a character of it has no
    // place there.
    virtual std::optional<std::string> toAnsi(const std::wstring& text) const = 0;
    virtual std::wstring fromAnsi(const std::string& bytes) const = 0;
    // The stamp of the file at path (any length); nothing when it is not there.
    virtual std::optional<FileStamp> fileStamp(const std::wstring& path) const {
        (void)path;
        return std::nullopt;
    }
};

}  // namespace kv

#pragma once
// Which files are kept prepared in memory for their press, and how much of each: the
// bookkeeping of the engine's preloading, apart from the decoding and the threads. Files
// are prepared in the order given (slot order), each within its share of a fixed budget;
// a file changed on disk since it was prepared (size or last-write time) is not used from
// memory and is prepared again.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "playback/SampleConverter.h"

namespace kv {

struct PreloadLimits {
    std::size_t budgetBytes = 64'000'000;  // for all prepared files together
    int headSeconds = 5;                   // what a file too long for its share keeps
};

// The frames of a file to keep in memory, in the output's format: as many as the share
// holds when the whole file (its declared length) fits in it, else its first seconds, never
// more than the share. A file that declares no length counts as long.
std::size_t framesToKeep(std::size_t shareBytes, int headSeconds, AudioFormat output, std::int64_t durationMs);

class PreloadPlan {
public:
    explicit PreloadPlan(PreloadLimits limits = {});

    // The files wanted from now on (empty paths and repeats left out). Returns the files
    // whose prepared memory must go: those no longer wanted, and those holding more than
    // the new, smaller share (they are prepared again).
    std::vector<std::wstring> setFiles(const std::vector<std::wstring>& files);

    // The next file to prepare, in the order given, and the bytes it may hold.
    std::optional<std::wstring> next() const;
    std::size_t shareBytes() const;
    const PreloadLimits& limits() const { return limits_; }
    // The worker took the file: next() passes it over until its outcome is recorded.
    void begin(const std::wstring& file);

    // The outcome of preparing a file at the version it had before the decoding began.
    // False when the file is no longer wanted or holds more than its share now: the caller
    // drops what it prepared.
    bool prepared(const std::wstring& file, FileStamp version, std::size_t bytes);
    // The file could not be prepared; it is tried again only once it has changed.
    void failed(const std::wstring& file, std::optional<FileStamp> version);

    // At a press: whether the file's prepared memory may be used, given its version on disk
    // now (nothing: it cannot be read). A file that changed is prepared again.
    bool usable(const std::wstring& file, std::optional<FileStamp> onDisk);

    // Everything is prepared again (the output's format changed).
    std::vector<std::wstring> restart();

    std::size_t bytesHeld() const;
    bool isPrepared(const std::wstring& file) const;
    bool isPreparing(const std::wstring& file) const;

private:
    enum class State { Wanted, Preparing, Prepared, Failed };
    struct Entry {
        State state = State::Wanted;
        std::optional<FileStamp> version;
        std::size_t bytes = 0;
    };
    Entry* find(const std::wstring& file);
    const Entry* find(const std::wstring& file) const;

    PreloadLimits limits_;
    std::vector<std::wstring> order_;
    std::map<std::wstring, Entry> entries_;
};

}  // namespace kv

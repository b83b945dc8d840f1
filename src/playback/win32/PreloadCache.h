#pragma once
// The slots' files prepared ahead of their press: a worker thread opens each file of the
// list, decodes its beginning (or all of it) and converts it to the output's format, so
// that a press only copies frames from memory. What is kept, how much, and whether a kept
// copy is still the file on disk is decided by the PreloadPlan.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "playback/PreloadPlan.h"
#include "playback/SampleConverter.h"

namespace kv {

// A file's beginning, or all of it, in the output's format (interleaved float frames).
struct PreparedAudio {
    std::wstring file;
    AudioFormat format;
    std::vector<float> frames;
    bool whole = false;           // the file ends with these frames
    std::int64_t durationMs = 0;  // the length the file declares
    std::size_t frameCount() const {
        return format.channels > 0 ? frames.size() / static_cast<std::size_t>(format.channels) : 0;
    }
};

// The size and last-write time of a file; nothing when it cannot be read.
std::optional<FileStamp> fileStamp(const std::wstring& path);

// Decodes the file's first frames, at most framesToKeep() of them, converted to `output`.
// Nothing when the file does not decode or `keepGoing` says stop. Runs on a thread with COM
// and Media Foundation started.
std::shared_ptr<PreparedAudio> prepareAudio(const std::wstring& file, AudioFormat output, const PreloadLimits& limits,
                                            std::size_t shareBytes, const std::function<bool()>& keepGoing);

class PreloadCache {
public:
    explicit PreloadCache(PreloadLimits limits = {});
    ~PreloadCache();
    PreloadCache(const PreloadCache&) = delete;
    PreloadCache& operator=(const PreloadCache&) = delete;

    // The files to keep prepared from now on; returns at once.
    void setFiles(const std::vector<std::wstring>& files);
    // The format the output plays; the worker begins once it is known, and a new format
    // prepares everything again.
    void setOutputFormat(AudioFormat format);
    // At a press: the file's prepared frames when they are in this format and the file is
    // unchanged on disk; else nothing (and a changed file is prepared again).
    std::shared_ptr<const PreparedAudio> take(const std::wstring& file, AudioFormat output);
    // Whether the file's frames are in memory now.
    bool isPrepared(const std::wstring& file);

private:
    void workerMain();
    void drop(const std::vector<std::wstring>& files);

    std::mutex mutex_;
    std::condition_variable wake_;
    PreloadPlan plan_;
    std::map<std::wstring, std::shared_ptr<const PreparedAudio>> memory_;
    std::optional<AudioFormat> format_;
    bool quit_ = false;
    std::thread worker_;
};

}  // namespace kv

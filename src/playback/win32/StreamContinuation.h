#pragma once
// The rest of a file whose beginning plays from memory: a thread of its own opens the file
// and decodes it from the start, converted as the memory was, up to the frames the memory
// already holds. The player's thread then takes the file from there and decodes on, so a
// long jingle plays to its end while only its beginning was kept in memory.
#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "playback/SampleConverter.h"
#include "playback/win32/MfAudioFile.h"

namespace kv {

class StreamContinuation {
public:
    // skipFrames: the frames (in `output`'s format) that play from memory.
    StreamContinuation(std::wstring file, std::size_t skipFrames, AudioFormat output);
    // Stops the thread and waits for it.
    ~StreamContinuation();
    StreamContinuation(const StreamContinuation&) = delete;
    StreamContinuation& operator=(const StreamContinuation&) = delete;

    struct Rest {
        std::unique_ptr<MfAudioFile> file;  // positioned after the frames of `frames`
        std::optional<SampleConverter> converter;
        std::vector<float> frames;          // converted frames just after the skipped ones
        bool ended = false;                 // the file has nothing after `frames`
    };

    // Whether the thread has finished.
    bool ready() const { return ready_.load(); }
    // Once ready: the rest of the file; nothing when it could not be opened or read.
    std::optional<Rest> take();

private:
    void run(const std::wstring& file, std::size_t skipFrames, AudioFormat output);

    std::atomic<bool> cancel_{false};
    std::atomic<bool> ready_{false};
    std::optional<Rest> rest_;
    std::thread thread_;
};

}  // namespace kv

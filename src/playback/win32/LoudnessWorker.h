#pragma once
// Loudness measurements of whole files on a thread of their own, one file after another in
// the order asked for: each file decoded by Media Foundation and run through the meter, and
// the result handed to the caller's function on that thread.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "playback/JingleEngine.h"

namespace kv {

// The whole file decoded and measured as it will be heard (a mono file on both front
// speakers); nothing when it cannot be decoded or is silent. On a thread with COM and
// Media Foundation started. Gives up (nothing) as soon as keepGoing says no.
std::optional<LoudnessReading> measureFile(const std::wstring& path, const std::function<bool()>& keepGoing = {});

class LoudnessWorker {
public:
    LoudnessWorker() = default;
    // Stops the measurement under way at its next piece; the files still waiting are dropped
    // unmeasured.
    ~LoudnessWorker();
    LoudnessWorker(const LoudnessWorker&) = delete;
    LoudnessWorker& operator=(const LoudnessWorker&) = delete;

    // Returns at once; the thread starts with the first request.
    void measure(const std::wstring& file, IJingleEngine::LoudnessDone done);

private:
    void threadMain();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<std::wstring, IJingleEngine::LoudnessDone>> queue_;
    bool quit_ = false;
    std::atomic<bool> stopping_{false};  // read by the measurement without the lock
    std::thread thread_;
};

}  // namespace kv

#include "playback/win32/LoudnessWorker.h"

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "app/win32/ComApartment.h"
#include "playback/Loudness.h"
#include "playback/win32/MfAudioFile.h"

namespace kv {

std::optional<LoudnessReading> measureFile(const std::wstring& path, const std::function<bool()>& keepGoing) {
    MfAudioFile file;
    if (file.open(path) != PlaybackError::None) return std::nullopt;
    const AudioFormat format = file.format();
    const bool mono = format.channels == 1;
    LoudnessMeter meter(format.sampleRate, mono ? 2 : format.channels);
    std::vector<float> piece, pair;
    while (file.read(piece)) {
        if (keepGoing && !keepGoing()) return std::nullopt;
        if (mono) {
            pair.resize(piece.size() * 2);
            for (std::size_t i = 0; i < piece.size(); ++i) pair[2 * i] = pair[2 * i + 1] = piece[i];
            meter.add(pair.data(), piece.size());
        } else {
            meter.add(piece.data(), piece.size() / static_cast<std::size_t>(format.channels));
        }
        piece.clear();
    }
    const std::optional<double> lufs = meter.integratedLufs();
    if (file.failed() || !lufs) return std::nullopt;
    return LoudnessReading{*lufs, meter.samplePeak()};
}

LoudnessWorker::~LoudnessWorker() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
        stopping_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void LoudnessWorker::measure(const std::wstring& file, IJingleEngine::LoudnessDone done) {
    const std::lock_guard lock(mutex_);
    queue_.emplace_back(file, std::move(done));
    if (!thread_.joinable()) thread_ = std::thread([this] { threadMain(); });
    wake_.notify_one();
}

void LoudnessWorker::threadMain() {
    // Measuring gives way to playback and to the window.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    const ComApartment com(COINIT_MULTITHREADED);
    {
        const MediaFoundationScope mediaFoundation;
        for (;;) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return quit_ || !queue_.empty(); });
            if (quit_) break;
            auto [file, done] = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            try {
                std::optional<LoudnessReading> reading;
                if (mediaFoundation.started())
                    reading = measureFile(file, [this] { return !stopping_.load(); });
                if (stopping_) break;
                if (done) done(file, reading);
            } catch (...) {
                // Nothing of a failed measurement may end the program: the slot stays unmeasured.
            }
        }
    }
}

}  // namespace kv

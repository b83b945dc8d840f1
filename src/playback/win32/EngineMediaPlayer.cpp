#include "playback/win32/EngineMediaPlayer.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/win32/ComApartment.h"
#include "playback/PlaybackErrors.h"
#include "playback/SampleGain.h"
#include "playback/win32/MfAudioFile.h"
#include "playback/win32/PreloadCache.h"
#include "playback/win32/StreamContinuation.h"
#include "playback/win32/WasapiOutput.h"

namespace kv {

namespace {

// Pieces decoded in one turn of the device beyond what that turn writes.
constexpr int kReadsPerTurn = 2;

std::int32_t toMs(std::uint64_t frames, int rate) {
    if (rate <= 0) return 0;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(frames * 1000 / static_cast<std::uint64_t>(rate), INT32_MAX));
}

// Everything the player's thread owns: the output stream, the open file, its frames decoded
// and converted to the output's format but not yet written, and the count of frames written.
// A prepared file plays from its frames in memory first (memory_), while the rest of a long
// one is opened on the side (continuation_) and then decoded on like any other file.
class Session {
public:
    Session(EngineMediaPlayer::SharedState& shared, PreloadCache& preload) : shared_(shared), preload_(preload) {}

    // Ahead of the first press: Media Foundation with its decoders loaded, and the output stream.
    void warmUp() {
        if (!mediaFoundation_) {
            mediaFoundation_ = std::make_unique<MediaFoundationScope>();
            if (mediaFoundation_->started()) primeDecoders();
        }
        output_.open();
        if (output_.isOpen()) preload_.setOutputFormat(output_.format());
    }

    int open(const std::wstring& path) {
        close();
        if (!mediaFoundation_) mediaFoundation_ = std::make_unique<MediaFoundationScope>();
        if (!mediaFoundation_->started()) return static_cast<int>(PlaybackError::UnsupportedFormat);
        // The output's format first: the files prepared for the press are in it.
        if (output_.isOpen() || output_.open() == PlaybackError::None) {
            preload_.setOutputFormat(output_.format());
            if (auto prepared = preload_.take(path, output_.format())) return openPrepared(std::move(prepared));
        }
        auto file = std::make_unique<MfAudioFile>();
        if (const PlaybackError error = file->open(path); error != PlaybackError::None) return static_cast<int>(error);
        if (const PlaybackError error = output_.open(); error != PlaybackError::None) return static_cast<int>(error);
        converter_.emplace(file->format(), output_.format());
        preload_.setOutputFormat(output_.format());
        file_ = std::move(file);
        shared_.lengthMs.store(static_cast<std::int32_t>(std::min<std::int64_t>(file_->durationMs(), INT32_MAX)));
        shared_.positionMs.store(0);
        shared_.mode.store(MediaMode::Stopped);
        // The beginning is decoded now, so that a play only copies it to the device.
        decodeAhead(output_.bufferFrames());
        return 0;
    }

    int play() {
        if (!file_ && !memory_) return static_cast<int>(PlaybackError::NothingOpen);
        if (playing_) return 0;
        if (const PlaybackError error = output_.open(); error != PlaybackError::None) return static_cast<int>(error);
        if (!feed() || !output_.start()) {
            output_.close();
            return static_cast<int>(PlaybackError::OutputFailed);
        }
        playing_ = true;
        shared_.mode.store(MediaMode::Playing);
        return 0;
    }

    void close() {
        // A stream that does not play holds nothing of ours: an end or a failed start has
        // stopped and emptied it already, and every call into it costs a press time.
        if (playing_) output_.stop();
        gain_.reset();
        playing_ = false;
        continuation_.reset();
        memory_.reset();
        memoryAt_ = 0;
        file_.reset();
        converter_.reset();
        pending_.clear();
        pendingStart_ = 0;
        decodedAll_ = false;
        framesWritten_ = 0;
        shared_.mode.store(MediaMode::NotReady);
        shared_.positionMs.store(0);
        shared_.lengthMs.store(0);
    }

    bool playing() const { return playing_; }
    HANDLE deviceEvent() const { return output_.event(); }

    // One turn of the device: top up its buffer, publish the position, notice the end.
    void service() {
        if (!playing_) return;
        continueFromMemory();
        if (!feed()) {
            // The device went away: the jingle ends here; the next open opens a new stream.
            output_.close();
            finish(false);
            return;
        }
        const auto queued = output_.queuedFrames();
        const std::uint64_t played = framesWritten_ - std::min<std::uint64_t>(framesWritten_, queued.value_or(0));
        shared_.positionMs.store(std::min(toMs(played, output_.format().sampleRate), shared_.lengthMs.load()));
        if (sourceDone() && pendingFrames() == 0 && queued.value_or(0) == 0) finish(true);
        else if (gain_.silent() && queued.value_or(0) == 0) finish(false);  // a soft stop ends here
    }

private:
    std::size_t channels() const { return static_cast<std::size_t>(output_.format().channels); }
    // Decoded frames kept ahead of the device: about two seconds.
    std::size_t aheadLimit() const { return static_cast<std::size_t>(output_.format().sampleRate) * 2; }
    std::size_t pendingFrames() const { return (pending_.size() - pendingStart_) / channels(); }
    bool sourceDone() const { return (!file_ || decodedAll_) && !memory_; }

    // The press of a prepared file: no file is opened; its frames come from memory.
    int openPrepared(std::shared_ptr<const PreparedAudio> prepared) {
        memory_ = std::move(prepared);
        std::int64_t declared = memory_->durationMs;
        if (declared <= 0 && memory_->whole) declared = toMs(memory_->frameCount(), output_.format().sampleRate);
        shared_.lengthMs.store(static_cast<std::int32_t>(std::min<std::int64_t>(declared, INT32_MAX)));
        shared_.positionMs.store(0);
        shared_.mode.store(MediaMode::Stopped);
        decodedAll_ = true;  // nothing to decode until the rest of a long file is there
        copyFromMemory();
        return 0;
    }

    // Copies frames from memory while fewer than the decoding keeps ahead wait.
    void copyFromMemory() {
        compactPending();
        const std::size_t total = memory_->frameCount();
        const std::size_t wanted = aheadLimit() > pendingFrames() ? aheadLimit() - pendingFrames() : 0;
        const std::size_t count = std::min(wanted, total - memoryAt_);
        const auto begin = memory_->frames.begin() + static_cast<std::ptrdiff_t>(memoryAt_ * channels());
        pending_.insert(pending_.end(), begin, begin + static_cast<std::ptrdiff_t>(count * channels()));
        memoryAt_ += count;
    }

    // One turn of a file that plays from memory: more frames from memory; for a long file
    // its rest opened meanwhile, and taken over once the memory has run out.
    void continueFromMemory() {
        if (!memory_) return;
        copyFromMemory();
        const std::size_t total = memory_->frameCount();
        if (!memory_->whole && !continuation_)
            continuation_ = std::make_unique<StreamContinuation>(memory_->file, total, output_.format());
        if (memoryAt_ < total || (continuation_ && !continuation_->ready())) return;
        if (continuation_) {
            if (auto rest = continuation_->take()) {
                file_ = std::move(rest->file);
                converter_ = std::move(rest->converter);
                pending_.insert(pending_.end(), rest->frames.begin(), rest->frames.end());
                decodedAll_ = rest->ended;
            }
            continuation_.reset();
        }
        memory_.reset();
    }

    // Drops the frames already written from the front of the waiting ones.
    void compactPending() {
        if (pendingStart_ > 0 && pendingStart_ * 2 >= pending_.size()) {
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pendingStart_));
            pendingStart_ = 0;
        }
    }

    // Decodes until `frames` converted frames wait, the file has ended, or `reads` pieces
    // have been read.
    void decodeAhead(std::size_t frames, int reads = INT32_MAX) {
        compactPending();
        while (pendingFrames() < std::min(frames, aheadLimit()) && reads-- > 0) {
            decoded_.clear();
            if (!file_->read(decoded_)) {
                decodedAll_ = true;
                return;
            }
            converter_->convert(decoded_.data(), decoded_.size() / static_cast<std::size_t>(file_->format().channels),
                                pending_);
        }
    }

    // Writes as many waiting frames as the device has room for, then decodes ahead a little,
    // so that the next turns find their frames ready. False when the device has gone.
    bool feed() {
        takeLevel();
        const auto queued = output_.queuedFrames();
        if (!queued) return false;
        if (gain_.silent()) return true;  // faded out: nothing more is written
        const std::uint32_t room = output_.bufferFrames() - std::min(*queued, output_.bufferFrames());
        if (!decodedAll_ && pendingFrames() < room) decodeAhead(room);
        const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(room, pendingFrames()));
        if (count > 0) {
            gain_.apply(pending_.data() + pendingStart_, count, channels());
            if (!output_.write(pending_.data() + pendingStart_, count)) return false;
            pendingStart_ += count * channels();
            framesWritten_ += count;
        }
        if (!decodedAll_) decodeAhead(pendingFrames() + output_.bufferFrames(), kReadsPerTurn);
        return true;
    }

    // The gain the caller set, and a soft stop it asked for, from the next frame written on.
    void takeLevel() {
        gain_.setGainDb(shared_.gainDb.load());
        if (const int ms = shared_.fadeMs.exchange(0); ms > 0)
            gain_.startFade(static_cast<std::size_t>(ms) * static_cast<std::size_t>(output_.format().sampleRate) / 1000);
    }

    void finish(bool reachedEnd) {
        output_.stop();
        playing_ = false;
        if (reachedEnd) shared_.positionMs.store(shared_.lengthMs.load());
        shared_.mode.store(MediaMode::Stopped);
    }

    EngineMediaPlayer::SharedState& shared_;
    PreloadCache& preload_;
    std::unique_ptr<MediaFoundationScope> mediaFoundation_;
    WasapiOutput output_{&shared_.device};
    SampleGain gain_;
    std::unique_ptr<MfAudioFile> file_;
    std::optional<SampleConverter> converter_;
    std::vector<float> decoded_;
    std::vector<float> pending_;
    std::size_t pendingStart_ = 0;
    bool decodedAll_ = false;
    std::uint64_t framesWritten_ = 0;
    bool playing_ = false;
    std::shared_ptr<const PreparedAudio> memory_;
    std::size_t memoryAt_ = 0;  // frames of memory_ copied to pending_
    std::unique_ptr<StreamContinuation> continuation_;
};

}  // namespace

EngineMediaPlayer::EngineMediaPlayer(const ITexts& texts, unsigned warmUpAfterMs, PreloadLimits preloadLimits)
    : texts_(texts),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      preload_(std::make_unique<PreloadCache>(preloadLimits)) {
    thread_ = std::thread([this, warmUpAfterMs] { threadMain(warmUpAfterMs); });
}

EngineMediaPlayer::~EngineMediaPlayer() {
    run(CommandKind::Quit);
    if (thread_.joinable()) thread_.join();
}

int EngineMediaPlayer::run(CommandKind kind, const std::wstring& fileName) {
    const std::lock_guard oneCaller(callMutex_);
    std::unique_lock lock(mutex_);
    command_ = kind;
    commandFile_ = fileName;
    commandDone_ = false;
    SetEvent(wake_.get());
    done_.wait(lock, [this] { return commandDone_; });
    return commandResult_;
}

void EngineMediaPlayer::threadMain(unsigned warmUpAfterMs) {
    // Starting Media Foundation gives way to the program's own start; after that the
    // thread feeds the device ahead of the rest of the program.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    const ComApartment apartment(COINIT_MULTITHREADED);
    Session session(shared_, *preload_);
    bool warmedUp = false;
    const ULONGLONG warmUpAt = GetTickCount64() + warmUpAfterMs;
    for (;;) {
        const HANDLE handles[2] = {wake_.get(), session.deviceEvent()};
        const DWORD count = session.playing() && handles[1] ? 2 : 1;
        DWORD timeout = INFINITE;
        if (session.playing()) timeout = 50;  // also when the device's signal fails to come
        else if (!warmedUp) timeout = static_cast<DWORD>(warmUpAt > GetTickCount64() ? warmUpAt - GetTickCount64() : 0);
        const DWORD signalled = WaitForMultipleObjects(count, handles, FALSE, timeout);

        if (signalled == WAIT_OBJECT_0) {
            std::unique_lock lock(mutex_);
            const CommandKind kind = std::exchange(command_, CommandKind::None);
            const std::wstring file = commandFile_;
            lock.unlock();
            int result = 0;
            switch (kind) {
            case CommandKind::Open:
                result = session.open(file);
                if (!warmedUp) SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
                warmedUp = true;
                break;
            case CommandKind::Play: result = session.play(); break;
            case CommandKind::Close:
            case CommandKind::Quit: session.close(); break;
            case CommandKind::None: break;
            }
            lock.lock();
            commandResult_ = result;
            commandDone_ = true;
            done_.notify_all();
            if (kind == CommandKind::Quit) return;
            continue;
        }
        if (!warmedUp && !session.playing() && signalled == WAIT_TIMEOUT) {
            session.warmUp();
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
            warmedUp = true;
        }
        session.service();
    }
}

void EngineMediaPlayer::close() {
    // Nothing open (never opened, or closed since): no need to wake the thread.
    if (shared_.mode.load() != MediaMode::NotReady) run(CommandKind::Close);
    lastError_ = 0;
}

bool EngineMediaPlayer::open(const std::wstring& fileName) {
    shared_.gainDb.store(0.0);
    shared_.fadeMs.store(0);
    shared_.device.setUsedDefaultInstead(false);  // a file that does not open reaches no device
    lastError_ = run(CommandKind::Open, fileName);
    return lastError_ == 0;
}

bool EngineMediaPlayer::play() {
    lastError_ = run(CommandKind::Play);
    return lastError_ == 0;
}

void EngineMediaPlayer::preload(const std::vector<std::wstring>& files) { preload_->setFiles(files); }

bool EngineMediaPlayer::isPrepared(const std::wstring& file) { return preload_->isPrepared(file); }

std::wstring EngineMediaPlayer::errorMessage() const { return playbackErrorText(lastError_, texts_); }

bool EngineMediaPlayer::fadeOut(int ms) {
    if (shared_.mode.load() != MediaMode::Playing) return false;
    shared_.fadeMs.store(ms > 0 ? ms : 1);
    return true;
}

void EngineMediaPlayer::measureLoudness(const std::wstring& file, LoudnessDone done) {
    loudness_.measure(file, std::move(done));
}

}  // namespace kv

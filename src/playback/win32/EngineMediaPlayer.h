#pragma once
// The program's own media player: files decoded by Media Foundation and played through a
// shared-mode WASAPI stream on the chosen render device (by default the system's default).
// Decoding and output run on a thread of the player's own; each operation hands its command
// to that thread and waits for its result, and the state queries (mode, position, length) read values the thread
// keeps up to date, so they never wait for it. The gain and the soft stop are handed over
// the same way and taken up by the thread at its next turn of the device. The slots' files
// are prepared ahead of their press on a worker thread of the player (PreloadCache), and a
// press of a prepared file starts from memory.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/Texts.h"
#include "app/win32/UniqueHandle.h"
#include "playback/JingleEngine.h"
#include "playback/MediaPlayer.h"
#include "playback/PreloadPlan.h"
#include "playback/win32/LoudnessWorker.h"
#include "playback/win32/OutputDevices.h"

namespace kv {

class PreloadCache;

class EngineMediaPlayer final : public IMediaPlayer, public IJingleEngine {
public:
    // warmUpAfterMs: how long after construction the thread starts Media Foundation and the
    // output stream on its own, so that the first press finds them ready without the start of
    // the program waiting for them (a command before that time starts them at once).
    // preloadLimits: the memory of the files prepared ahead of their press.
    explicit EngineMediaPlayer(const ITexts& texts, unsigned warmUpAfterMs = 1500, PreloadLimits preloadLimits = {});
    ~EngineMediaPlayer() override;
    EngineMediaPlayer(const EngineMediaPlayer&) = delete;
    EngineMediaPlayer& operator=(const EngineMediaPlayer&) = delete;

    void close() override;
    bool open(const std::wstring& fileName) override;
    bool play() override;
    MediaMode mode() const override { return shared_.mode.load(); }
    std::int32_t position() const override { return shared_.positionMs.load(); }
    std::int32_t length() const override { return shared_.lengthMs.load(); }
    int error() const override { return lastError_; }
    std::wstring errorMessage() const override;

    // IJingleEngine
    void preload(const std::vector<std::wstring>& files) override;
    // Whether the file's beginning is in memory now, ready for its press.
    bool isPrepared(const std::wstring& file);
    void setGainDb(double db) override { shared_.gainDb.store(db); }
    bool fadeOut(int ms) override;
    std::vector<OutputDevice> outputDevices() override { return activeRenderDevices(); }
    void setOutputDevice(const std::wstring& endpointId) override { shared_.device.choose(endpointId); }
    bool lastOpenUsedDefaultInstead() const override { return shared_.device.usedDefaultInstead(); }
    void measureLoudness(const std::wstring& file, LoudnessDone done) override;

    // What the thread publishes for the state queries, and what the callers hand to it
    // beside the commands.
    struct SharedState {
        std::atomic<MediaMode> mode{MediaMode::NotReady};
        std::atomic<std::int32_t> positionMs{0};
        std::atomic<std::int32_t> lengthMs{0};
        std::atomic<double> gainDb{0.0};
        std::atomic<int> fadeMs{0};  // a soft stop asked for and not yet begun
        OutputDeviceChoice device;
    };

    enum class CommandKind { None, Open, Play, Close, Quit };

private:
    int run(CommandKind kind, const std::wstring& fileName = {});
    void threadMain(unsigned warmUpAfterMs);

    const ITexts& texts_;
    int lastError_ = 0;
    SharedState shared_;

    std::mutex callMutex_;  // one caller at a time
    // The one command in flight, handed over under the mutex.
    std::mutex mutex_;
    std::condition_variable done_;
    CommandKind command_ = CommandKind::None;
    std::wstring commandFile_;
    int commandResult_ = 0;
    bool commandDone_ = false;
    UniqueHandle wake_;  // auto-reset: a command is waiting

    std::unique_ptr<PreloadCache> preload_;

    std::thread thread_;
    LoudnessWorker loudness_;
};

}  // namespace kv

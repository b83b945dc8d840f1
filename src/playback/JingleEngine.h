#pragma once
// What the program's own playback engine offers beyond the media player's operations:
// slots prepared ahead of their press, a gain and a soft stop for the jingle that plays,
// a choice of output device, and a loudness measurement of a file. The MCI player offers
// none of it; a jingle that MCI plays ignores the gain, and fadeOut() refuses it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// An active render device: its endpoint id (stored in KV.ini) and the name it shows.
struct OutputDevice {
    std::wstring id;
    std::wstring name;
};

// A file's integrated loudness (LUFS) and its sample peak (linear, 1.0 = full scale).
struct LoudnessReading {
    double integratedLufs = 0;
    float samplePeak = 0;
};

class IJingleEngine {
public:
    virtual ~IJingleEngine() = default;

    // Prepares these files (a category's assigned slots) on a worker thread of the engine and
    // returns at once: opened, and their beginning decoded into memory within the engine's
    // budget. The list replaces the one before; files no longer in it are dropped. A later
    // open of a prepared file that is unchanged on disk (size and time) starts from memory.
    virtual void preload(const std::vector<std::wstring>& files) = 0;

    // The gain in dB applied to the samples of the file that is open, from now on; every open
    // starts at 0 dB.
    virtual void setGainDb(double db) = 0;

    // Fades the jingle that plays down to silence over `ms` milliseconds and then stops it,
    // as if it had ended there (mode Stopped). Returns at once; false when the engine plays
    // nothing (the caller closes the player instead).
    virtual bool fadeOut(int ms) = 0;

    // The active render devices, by name; the system's default device is not among them.
    virtual std::vector<OutputDevice> outputDevices() = 0;
    // The device the following opens play on; empty: the system's default device.
    virtual void setOutputDevice(const std::wstring& endpointId) = 0;
    // True when the last open asked for a device that is gone, and plays on the default
    // device instead.
    virtual bool lastOpenUsedDefaultInstead() const = 0;

    // Measures the whole file on a worker thread of the engine and returns at once. `done`
    // runs on that worker thread, with nothing when the file could not be decoded or is
    // silent: the caller hands the result on to its own thread.
    using LoudnessDone = std::function<void(const std::wstring& file, std::optional<LoudnessReading>)>;
    virtual void measureLoudness(const std::wstring& file, LoudnessDone done) = 0;
};

// An engine that offers nothing: no preloading, no gain, no soft stop, the default device
// only, no measurement.
IJingleEngine& noJingleEngine();

}  // namespace kv

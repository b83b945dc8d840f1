#pragma once
// The media player: one MCI device at a time; positions and lengths in milliseconds.
#include <cstdint>
#include <string>

namespace kv {

enum class MediaMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

class IMediaPlayer {
public:
    virtual ~IMediaPlayer() = default;
    // Closes the open device and waits for it; does nothing when none is open; never fails.
    virtual void close() = 0;
    // Closes any open device, then opens the file with the device type MCI picks from it.
    // False on failure; error() and errorMessage() then tell why.
    virtual bool open(const std::wstring& fileName) = 0;
    // Starts playback from the current position and returns at once; false on failure.
    virtual bool play() = 0;
    virtual MediaMode mode() const = 0;  // not playing when no device is open
    virtual std::int32_t position() const = 0;
    virtual std::int32_t length() const = 0;
    virtual int error() const = 0;                   // MCI error of the last command, 0 = none
    virtual std::wstring errorMessage() const = 0;   // system text for error()
};

}  // namespace kv

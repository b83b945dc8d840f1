#pragma once
// A shared-mode, event-driven output stream in the device's own mix format, on the device
// chosen (the default render device when none is, or when the chosen one is gone). Used on
// one thread, which has COM started.
#include <windows.h>
#include <audioclient.h>

#include <cstdint>
#include <optional>

#include "app/win32/ComPtr.h"
#include "app/win32/UniqueHandle.h"
#include "playback/PlaybackErrors.h"
#include "playback/SampleConverter.h"
#include "playback/win32/OutputDevices.h"

namespace kv {

class WasapiOutput {
public:
    // choice: where the device to open is read and what the open found is told; none: the
    // default device always.
    explicit WasapiOutput(OutputDeviceChoice* choice = nullptr) : choice_(choice) {}

    // Opens the stream unless one is open that is still usable and on the device chosen
    // now (a stream that fell back to the default is opened again once the chosen device
    // is back). None on success.
    PlaybackError open();
    void close();
    bool isOpen() const { return static_cast<bool>(client_); }

    AudioFormat format() const { return format_; }
    std::uint32_t bufferFrames() const { return bufferFrames_; }
    // Signalled by the device each time it wants more frames.
    HANDLE event() const { return event_.get(); }

    // Frames not yet played; nullopt when the device has gone (the stream must be opened again).
    std::optional<std::uint32_t> queuedFrames();
    // Writes interleaved float frames (at most bufferFrames() - queuedFrames()).
    bool write(const float* frames, std::uint32_t count);
    bool start();
    // Stops and drops what is queued.
    void stop();

private:
    bool keepsOpenStream(const std::wstring& wanted);
    PlaybackError openOn(IMMDevice& device);

    OutputDeviceChoice* choice_;
    std::wstring requested_;     // the endpoint id the open stream was asked for
    bool usedDefault_ = false;   // ... and it plays on the default device instead
    ComPtr<IAudioClient> client_;
    ComPtr<IAudioRenderClient> render_;
    UniqueHandle event_;
    AudioFormat format_;
    bool floatSamples_ = true;   // else 16-bit integers
    std::uint32_t bufferFrames_ = 0;
    bool running_ = false;
};

}  // namespace kv

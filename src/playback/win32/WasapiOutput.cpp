#include "playback/win32/WasapiOutput.h"

#include <audioclient.h>
#include <mmdeviceapi.h>
#include <mmreg.h>

#include <algorithm>
#include <cstring>

namespace kv {

namespace {

// The device's own buffer: room for the first frames at a press, and for the thread
// to be late a little without a gap.
constexpr REFERENCE_TIME kBufferDuration = 100 * 10000;  // 100-ns units

// The extensible format's sub-formats for float and integer samples: the format tag in the
// first field of the common base GUID (as ksmedia.h defines them, without its link library).
GUID subFormat(unsigned short tag) {
    return GUID{tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

struct MixFormat {
    WAVEFORMATEX* format = nullptr;
    ~MixFormat() { CoTaskMemFree(format); }
};

bool isFloatFormat(const WAVEFORMATEX& format) {
    if (format.wFormatTag == WAVE_FORMAT_IEEE_FLOAT) return true;
    if (format.wFormatTag != WAVE_FORMAT_EXTENSIBLE) return false;
    const auto& extensible = reinterpret_cast<const WAVEFORMATEXTENSIBLE&>(format);
    return IsEqualGUID(extensible.SubFormat, subFormat(WAVE_FORMAT_IEEE_FLOAT)) != 0;
}

bool isPcm16Format(const WAVEFORMATEX& format) {
    if (format.wBitsPerSample != 16) return false;
    if (format.wFormatTag == WAVE_FORMAT_PCM) return true;
    if (format.wFormatTag != WAVE_FORMAT_EXTENSIBLE) return false;
    const auto& extensible = reinterpret_cast<const WAVEFORMATEXTENSIBLE&>(format);
    return IsEqualGUID(extensible.SubFormat, subFormat(WAVE_FORMAT_PCM)) != 0;
}

}  // namespace

bool WasapiOutput::keepsOpenStream(const std::wstring& wanted) {
    if (!client_ || wanted != requested_ || !queuedFrames()) return false;
    if (!usedDefault_) return true;
    bool stillGone = false;
    renderDevice(wanted, stillGone);
    return stillGone;
}

PlaybackError WasapiOutput::open() {
    const std::wstring wanted = choice_ ? choice_->chosen() : std::wstring();
    if (keepsOpenStream(wanted)) {
        if (choice_) choice_->setUsedDefaultInstead(usedDefault_);
        return PlaybackError::None;
    }
    close();
    bool usedDefault = false;
    const ComPtr<IMMDevice> device = renderDevice(wanted, usedDefault);
    if (choice_) choice_->setUsedDefaultInstead(usedDefault);
    if (!device) return PlaybackError::NoOutputDevice;
    const PlaybackError result = openOn(*device.get());
    if (result == PlaybackError::None) {
        requested_ = wanted;
        usedDefault_ = usedDefault;
    }
    return result;
}

PlaybackError WasapiOutput::openOn(IMMDevice& device) {
    ComPtr<IAudioClient> client;
    if (FAILED(device.Activate(__uuidof(IAudioClient), CLSCTX_INPROC_SERVER, nullptr, client.putVoid())))
        return PlaybackError::NoOutputDevice;
    MixFormat mix;
    if (FAILED(client->GetMixFormat(&mix.format)) || !mix.format) return PlaybackError::OutputFailed;
    const bool isFloat = isFloatFormat(*mix.format) && mix.format->wBitsPerSample == 32;
    if (!isFloat && !isPcm16Format(*mix.format)) return PlaybackError::OutputFailed;

    UniqueHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    UINT32 frames = 0;
    ComPtr<IAudioRenderClient> render;
    if (!event ||
        FAILED(client->Initialize(AUDCLNT_SHAREMODE_SHARED,
                                  AUDCLNT_STREAMFLAGS_EVENTCALLBACK | AUDCLNT_STREAMFLAGS_NOPERSIST, kBufferDuration,
                                  0, mix.format, nullptr)) ||
        FAILED(client->SetEventHandle(event.get())) || FAILED(client->GetBufferSize(&frames)) ||
        FAILED(client->GetService(__uuidof(IAudioRenderClient), render.putVoid())))
        return PlaybackError::OutputFailed;

    format_ = {static_cast<int>(mix.format->nSamplesPerSec), static_cast<int>(mix.format->nChannels)};
    floatSamples_ = isFloat;
    bufferFrames_ = frames;
    event_ = std::move(event);
    render_ = std::move(render);
    client_ = std::move(client);
    running_ = false;
    return PlaybackError::None;
}

void WasapiOutput::close() {
    stop();
    render_.reset();
    client_.reset();
    event_.reset();
    bufferFrames_ = 0;
}

std::optional<std::uint32_t> WasapiOutput::queuedFrames() {
    UINT32 padding = 0;
    if (!client_ || FAILED(client_->GetCurrentPadding(&padding))) return std::nullopt;
    return padding;
}

bool WasapiOutput::write(const float* frames, std::uint32_t count) {
    if (!render_) return false;
    if (count == 0) return true;
    BYTE* data = nullptr;
    if (FAILED(render_->GetBuffer(count, &data))) return false;
    const std::size_t values = static_cast<std::size_t>(count) * static_cast<std::size_t>(format_.channels);
    if (floatSamples_) {
        std::memcpy(data, frames, values * sizeof(float));
    } else {
        auto* out = reinterpret_cast<std::int16_t*>(data);
        for (std::size_t i = 0; i < values; ++i)
            out[i] = static_cast<std::int16_t>(std::clamp(frames[i], -1.0f, 1.0f) * 32767.0f);
    }
    return SUCCEEDED(render_->ReleaseBuffer(count, 0));
}

bool WasapiOutput::start() {
    if (!client_) return false;
    running_ = SUCCEEDED(client_->Start());
    return running_;
}

void WasapiOutput::stop() {
    if (!client_) return;
    if (running_) client_->Stop();
    client_->Reset();
    running_ = false;
}

}  // namespace kv

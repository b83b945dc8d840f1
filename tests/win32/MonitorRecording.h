#pragma once
// Records what the sound server plays: the default capture device, which in the test
// session is the monitor of the null sink every program plays to. The first channel is kept.
#include <windows.h>
#include <audioclient.h>
#include <mmdeviceapi.h>
#include <mmreg.h>
#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include "app/win32/ComPtr.h"

namespace kv::test {

class MonitorRecording {
public:
    MonitorRecording() { thread_ = std::thread([this] { run(); }); }
    ~MonitorRecording() { stop(); }
    MonitorRecording(const MonitorRecording&) = delete;
    MonitorRecording& operator=(const MonitorRecording&) = delete;

    // Waits until the capture delivers (or failed to start); false when it cannot record.
    bool started() {
        while (state_.load() == State::Starting) Sleep(5);
        return state_.load() == State::Running;
    }
    // Stops and gives the samples recorded.
    const std::vector<float>& stop() {
        quit_ = true;
        if (thread_.joinable()) thread_.join();
        return samples_;
    }
    int rate() const { return rate_; }

    // The largest magnitude in the recording.
    static float peak(const std::vector<float>& samples) {
        float p = 0;
        for (float v : samples) p = std::max(p, std::fabs(v));
        return p;
    }

private:
    enum class State { Starting, Running, Failed };

    void run() {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        record();
        CoUninitialize();
    }

    void record() {
        ComPtr<IMMDeviceEnumerator> devices;
        ComPtr<IMMDevice> device;
        ComPtr<IAudioClient> client;
        ComPtr<IAudioCaptureClient> capture;
        WAVEFORMATEX* format = nullptr;
        if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                    __uuidof(IMMDeviceEnumerator), devices.putVoid())) ||
            FAILED(devices->GetDefaultAudioEndpoint(eCapture, eConsole, device.put())) ||
            FAILED(device->Activate(__uuidof(IAudioClient), CLSCTX_INPROC_SERVER, nullptr, client.putVoid())) ||
            FAILED(client->GetMixFormat(&format)) ||
            FAILED(client->Initialize(AUDCLNT_SHAREMODE_SHARED, 0, 10000000, 0, format, nullptr)) ||
            FAILED(client->GetService(__uuidof(IAudioCaptureClient), capture.putVoid())) || FAILED(client->Start())) {
            CoTaskMemFree(format);
            state_ = State::Failed;
            return;
        }
        rate_ = static_cast<int>(format->nSamplesPerSec);
        const int channels = format->nChannels;
        const bool isFloat = format->wBitsPerSample == 32;
        CoTaskMemFree(format);
        // Running once the first packet came: the sound server connects a new stream late.
        const ULONGLONG giveUp = GetTickCount64() + 5000;
        while (!quit_) {
            Sleep(5);
            if (state_.load() == State::Starting && GetTickCount64() > giveUp) state_ = State::Failed;
            UINT32 packet = 0;
            while (SUCCEEDED(capture->GetNextPacketSize(&packet)) && packet > 0) {
                if (state_.load() == State::Starting) state_ = State::Running;
                BYTE* data = nullptr;
                UINT32 frames = 0;
                DWORD flags = 0;
                if (FAILED(capture->GetBuffer(&data, &frames, &flags, nullptr, nullptr))) break;
                for (UINT32 i = 0; i < frames; ++i) {
                    float value = 0;
                    if (!(flags & AUDCLNT_BUFFERFLAGS_SILENT))
                        value = isFloat ? reinterpret_cast<const float*>(data)[i * channels]
                                        : reinterpret_cast<const std::int16_t*>(data)[i * channels] / 32768.0f;
                    samples_.push_back(value);
                }
                capture->ReleaseBuffer(frames);
            }
        }
        client->Stop();
    }

    std::atomic<State> state_{State::Starting};
    std::atomic<bool> quit_{false};
    std::vector<float> samples_;
    int rate_ = 0;
    std::thread thread_;
};

}  // namespace kv::test

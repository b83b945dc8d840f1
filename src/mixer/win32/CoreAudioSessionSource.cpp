#include "mixer/win32/CoreAudioSessionSource.h"

#include <windows.h>
#include <audiopolicy.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "app/win32/ComPtr.h"

namespace kv::mixer::win32 {
namespace {

// IAudioMeterInformation as Windows lays it out; MinGW-w64's endpointvolume.h only names
// it. Obtained through QueryInterface/Activate with its identifier from MMDevApi.
struct AudioMeterInformation : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetPeakValue(float* peak) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMeteringChannelCount(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChannelsPeakValues(UINT32 count, float* peaks) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD* mask) = 0;
};

GUID toGuid(const Guid& g) {
    GUID result{g.data1, g.data2, g.data3, {}};
    for (size_t i = 0; i < 8; ++i) result.Data4[i] = g.data4[i];
    return result;
}

Guid fromGuid(const GUID& g) {
    Guid result{g.Data1, g.Data2, g.Data3, {}};
    for (size_t i = 0; i < 8; ++i) result.data4[i] = g.Data4[i];
    return result;
}

class SessionVolume final : public ISessionVolume {
public:
    explicit SessionVolume(ComPtr<ISimpleAudioVolume> volume) : volume_(std::move(volume)) {}
    std::optional<float> masterVolume() override {
        float level = 0;
        if (FAILED(volume_->GetMasterVolume(&level))) return std::nullopt;
        return level;
    }
    bool setMasterVolume(float level) override { return SUCCEEDED(volume_->SetMasterVolume(level, nullptr)); }

private:
    ComPtr<ISimpleAudioVolume> volume_;
};

class PeakMeter final : public IPeakMeter {
public:
    explicit PeakMeter(ComPtr<AudioMeterInformation> meter) : meter_(std::move(meter)) {}
    std::optional<float> peakValue() override {
        float peak = 0;
        const HRESULT read = meter_->GetPeakValue(&peak);
        return SUCCEEDED(read) ? std::optional<float>(peak) : std::nullopt;
    }

private:
    ComPtr<AudioMeterInformation> meter_;
};

class EndpointVolume final : public IEndpointVolume {
public:
    explicit EndpointVolume(ComPtr<IAudioEndpointVolume> volume) : volume_(std::move(volume)) {}
    std::optional<float> masterVolumeLevelScalar() override {
        float level = 0;
        if (FAILED(volume_->GetMasterVolumeLevelScalar(&level))) return std::nullopt;
        return level;
    }
    bool setMasterVolumeLevelScalar(float value) override {
        return SUCCEEDED(volume_->SetMasterVolumeLevelScalar(value, nullptr));
    }

private:
    ComPtr<IAudioEndpointVolume> volume_;
};

class AudioSession final : public IAudioSession {
public:
    explicit AudioSession(ComPtr<IAudioSessionControl> control) : control_(std::move(control)) {}

    std::optional<std::wstring> displayName() override {
        CoTaskString name;
        if (FAILED(control_->GetDisplayName(name.put()))) return std::nullopt;
        return std::wstring(name.get());
    }
    std::optional<Guid> groupingParam() override {
        GUID guid{};
        if (FAILED(control_->GetGroupingParam(&guid))) return std::nullopt;
        return fromGuid(guid);
    }
    std::optional<SessionOwner> owner() override {
        if (!control2()) return std::nullopt;
        SessionOwner owner;
        owner.systemSounds = control2_->IsSystemSoundsSession() == S_OK;
        DWORD processId = 0;
        if (FAILED(control2_->GetProcessId(&processId))) processId = 0;
        owner.processId = processId;
        return owner;
    }
    std::optional<std::wstring> sessionIdentifier() override {
        if (!control2()) return std::nullopt;
        CoTaskString identifier;
        if (FAILED(control2_->GetSessionIdentifier(identifier.put()))) return std::nullopt;
        return std::wstring(identifier.get());
    }
    std::unique_ptr<ISessionVolume> simpleVolume() override {
        ComPtr<ISimpleAudioVolume> volume;
        const GUID iid = toGuid(IID_ISimpleAudioVolume);
        if (FAILED(control_->QueryInterface(iid, volume.putVoid())) || !volume) return nullptr;
        return std::make_unique<SessionVolume>(std::move(volume));
    }
    std::unique_ptr<IPeakMeter> meter() override {
        ComPtr<AudioMeterInformation> meter;
        const GUID iid = toGuid(IID_IAudioMeterInformation);
        if (FAILED(control_->QueryInterface(iid, meter.putVoid())) || !meter) return nullptr;
        return std::make_unique<PeakMeter>(std::move(meter));
    }

private:
    bool control2() {
        if (control2_) return true;
        const GUID iid = toGuid(IID_IAudioSessionControl2);
        return SUCCEEDED(control_->QueryInterface(iid, control2_.putVoid())) && control2_;
    }

    ComPtr<IAudioSessionControl> control_;
    ComPtr<IAudioSessionControl2> control2_;
};

class AudioSessionList final : public IAudioSessionList {
public:
    explicit AudioSessionList(ComPtr<IAudioSessionEnumerator> sessions) : sessions_(std::move(sessions)) {}
    std::optional<int> count() override {
        int n = 0;
        if (FAILED(sessions_->GetCount(&n))) return std::nullopt;
        return n;
    }
    std::unique_ptr<IAudioSession> session(int index) override {
        ComPtr<IAudioSessionControl> control;
        if (FAILED(sessions_->GetSession(index, control.put())) || !control) return nullptr;
        return std::make_unique<AudioSession>(std::move(control));
    }

private:
    ComPtr<IAudioSessionEnumerator> sessions_;
};

class AudioDevice final : public IAudioDevice {
public:
    explicit AudioDevice(ComPtr<IMMDevice> device) : device_(std::move(device)) {}

    std::unique_ptr<IAudioSessionList> sessions() override {
        ComPtr<IAudioSessionManager2> manager;
        const GUID iid = toGuid(IID_IAudioSessionManager2);
        if (FAILED(device_->Activate(iid, kClsctxAll, nullptr, manager.putVoid())) || !manager) return nullptr;
        ComPtr<IAudioSessionEnumerator> sessions;
        if (FAILED(manager->GetSessionEnumerator(sessions.put())) || !sessions) return nullptr;
        return std::make_unique<AudioSessionList>(std::move(sessions));
    }
    std::unique_ptr<IEndpointVolume> endpointVolume() override {
        ComPtr<IAudioEndpointVolume> volume;
        const GUID iid = toGuid(IID_IAudioEndpointVolume);
        if (FAILED(device_->Activate(iid, kClsctxInprocServer, nullptr, volume.putVoid())) || !volume) return nullptr;
        return std::make_unique<EndpointVolume>(std::move(volume));
    }
    std::unique_ptr<IPeakMeter> endpointMeter() override {
        ComPtr<AudioMeterInformation> meter;
        const GUID iid = toGuid(IID_IAudioMeterInformation);
        if (FAILED(device_->Activate(iid, kClsctxInprocServer, nullptr, meter.putVoid())) || !meter) return nullptr;
        return std::make_unique<PeakMeter>(std::move(meter));
    }

private:
    ComPtr<IMMDevice> device_;
};

}  // namespace

std::unique_ptr<IAudioDevice> CoreAudioSessionSource::defaultRenderDevice() {
    ComPtr<IMMDeviceEnumerator> enumerator;
    const GUID clsid = toGuid(CLSID_MMDeviceEnumerator);
    const GUID iid = toGuid(IID_IMMDeviceEnumerator);
    if (FAILED(CoCreateInstance(clsid, nullptr, kClsctxInprocServer, iid, enumerator.putVoid())) || !enumerator)
        return nullptr;
    ComPtr<IMMDevice> device;
    if (FAILED(enumerator->GetDefaultAudioEndpoint(static_cast<EDataFlow>(kCoreAudioRender),
                                                   static_cast<ERole>(kCoreAudioConsole), device.put())) ||
        !device)
        return nullptr;
    return std::make_unique<AudioDevice>(std::move(device));
}

std::uint32_t CoreAudioSessionSource::currentProcessId() const { return GetCurrentProcessId(); }

}  // namespace kv::mixer::win32

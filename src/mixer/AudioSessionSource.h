#pragma once
// What the mixer asks of Core Audio, one call per member, so that the session walk's rules
// can run over a fake. Every object owns the interface it stands for and releases it (and
// any string Core Audio handed out) when it goes; an empty optional or a null object is a
// failed call.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "mixer/MMDevApi.h"

namespace kv::mixer {

// ISimpleAudioVolume of one session.
class ISessionVolume {
public:
    virtual ~ISessionVolume() = default;
    virtual std::optional<float> masterVolume() = 0;  // GetMasterVolume
    virtual bool setMasterVolume(float level) = 0;    // SetMasterVolume, no event context
};

// IAudioMeterInformation of a session or of the device.
class IPeakMeter {
public:
    virtual ~IPeakMeter() = default;
    virtual std::optional<float> peakValue() = 0;  // GetPeakValue
};

// IAudioEndpointVolume of the device.
class IEndpointVolume {
public:
    virtual ~IEndpointVolume() = default;
    virtual std::optional<float> masterVolumeLevelScalar() = 0;
    virtual bool setMasterVolumeLevelScalar(float value) = 0;  // no event context
};

// What IAudioSessionControl2 tells about a session's owner.
struct SessionOwner {
    bool systemSounds = false;    // IsSystemSoundsSession answered S_OK
    std::uint32_t processId = 0;  // GetProcessId
};

// IAudioSessionControl of one session (and what is queried from it).
class IAudioSession {
public:
    virtual ~IAudioSession() = default;
    virtual std::optional<std::wstring> displayName() = 0;  // GetDisplayName
    virtual std::optional<Guid> groupingParam() = 0;        // GetGroupingParam
    // QueryInterface for IAudioSessionControl2, then IsSystemSoundsSession and GetProcessId.
    virtual std::optional<SessionOwner> owner() = 0;
    // GetSessionIdentifier of IAudioSessionControl2.
    virtual std::optional<std::wstring> sessionIdentifier() = 0;
    virtual std::unique_ptr<ISessionVolume> simpleVolume() = 0;  // QueryInterface ISimpleAudioVolume
    virtual std::unique_ptr<IPeakMeter> meter() = 0;             // QueryInterface IAudioMeterInformation
};

// IAudioSessionEnumerator.
class IAudioSessionList {
public:
    virtual ~IAudioSessionList() = default;
    virtual std::optional<int> count() = 0;                         // GetCount
    virtual std::unique_ptr<IAudioSession> session(int index) = 0;  // GetSession
};

// The default render endpoint (IMMDevice).
class IAudioDevice {
public:
    virtual ~IAudioDevice() = default;
    // Activate IAudioSessionManager2 (CLSCTX_ALL), then GetSessionEnumerator.
    virtual std::unique_ptr<IAudioSessionList> sessions() = 0;
    // Activate IAudioEndpointVolume / IAudioMeterInformation (CLSCTX_INPROC_SERVER).
    virtual std::unique_ptr<IEndpointVolume> endpointVolume() = 0;
    virtual std::unique_ptr<IPeakMeter> endpointMeter() = 0;
};

class IAudioSessionSource {
public:
    virtual ~IAudioSessionSource() = default;
    // CoCreateInstance of the device enumerator, then GetDefaultAudioEndpoint(eRender, eConsole).
    virtual std::unique_ptr<IAudioDevice> defaultRenderDevice() = 0;
    virtual std::uint32_t currentProcessId() const = 0;  // GetCurrentProcessId
};

}  // namespace kv::mixer

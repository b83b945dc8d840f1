#pragma once
// Core Audio as a list of sessions with scripted answers and failures. Every object it
// hands out counts itself while it lives, so a test can see that a walk released all.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mixer/AudioSessionSource.h"

namespace kv::test {

struct FakeSessionData {
    std::optional<std::wstring> displayName = L"";
    std::optional<mixer::Guid> guid = mixer::Guid{};
    std::optional<mixer::SessionOwner> owner = mixer::SessionOwner{false, 4711};
    std::optional<std::wstring> identifier;        // nullopt: GetSessionIdentifier fails
    bool volumeQueryFails = false;
    std::optional<float> level = 1.0f;             // nullopt: GetMasterVolume fails
    bool meterQueryFails = false;
    std::optional<float> peak = 0.0f;
    std::vector<float> levelsSet;                  // every SetMasterVolume, refused or not
    int identifierCalls = 0;
};

class FakeAudioSessionSource final : public mixer::IAudioSessionSource {
public:
    bool noDevice = false;
    bool sessionsFail = false;          // activation or GetSessionEnumerator fails
    bool countFails = false;
    int failSessionAt = -1;             // GetSession(i) fails from this index on
    std::uint32_t ownProcess = 100;
    std::vector<std::shared_ptr<FakeSessionData>> sessions;

    bool endpointFails = false;
    float masterLevel = 0.75f;
    std::vector<float> masterLevelsSet;
    bool meterFails = false;
    float masterPeak = 0.25f;

    int live = 0;           // objects handed out and not yet released
    int deviceOpens = 0;

    // A session with display name and GUID {N0000000-...}; owned by process 4711.
    FakeSessionData& add(std::wstring name, std::uint32_t guidNumber, float level = 1.0f);
    static mixer::Guid guid(std::uint32_t number) { return mixer::Guid{number, 0, 0, {}}; }
    static std::wstring guidText(std::uint32_t number) { return mixer::guidText(guid(number)); }

    std::unique_ptr<mixer::IAudioDevice> defaultRenderDevice() override;
    std::uint32_t currentProcessId() const override { return ownProcess; }
};

}  // namespace kv::test

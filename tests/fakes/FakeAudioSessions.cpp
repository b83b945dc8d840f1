#include "FakeAudioSessions.h"

namespace kv::test {
namespace {

// Counts itself in the source while it lives.
class Counted {
public:
    explicit Counted(FakeAudioSessionSource& source) : source_(source) { ++source_.live; }
    ~Counted() { --source_.live; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

protected:
    FakeAudioSessionSource& source_;
};

// Core Audio refuses levels outside 0.0 to 1.0.
bool validLevel(float level) { return level >= 0.0f && level <= 1.0f; }

class Volume final : public mixer::ISessionVolume, Counted {
public:
    Volume(FakeAudioSessionSource& s, std::shared_ptr<FakeSessionData> d) : Counted(s), data_(std::move(d)) {}
    std::optional<float> masterVolume() override { return data_->level; }
    bool setMasterVolume(float level) override {
        data_->levelsSet.push_back(level);
        if (!validLevel(level)) return false;
        data_->level = level;
        return true;
    }

private:
    std::shared_ptr<FakeSessionData> data_;
};

class Meter final : public mixer::IPeakMeter, Counted {
public:
    Meter(FakeAudioSessionSource& s, std::optional<float> peak) : Counted(s), peak_(peak) {}
    std::optional<float> peakValue() override { return peak_; }

private:
    std::optional<float> peak_;
};

class Session final : public mixer::IAudioSession, Counted {
public:
    Session(FakeAudioSessionSource& s, std::shared_ptr<FakeSessionData> d) : Counted(s), data_(std::move(d)) {}
    std::optional<std::wstring> displayName() override { return data_->displayName; }
    std::optional<mixer::Guid> groupingParam() override { return data_->guid; }
    std::optional<mixer::SessionOwner> owner() override { return data_->owner; }
    std::optional<std::wstring> sessionIdentifier() override {
        ++data_->identifierCalls;
        return data_->identifier;
    }
    std::unique_ptr<mixer::ISessionVolume> simpleVolume() override {
        if (data_->volumeQueryFails) return nullptr;
        return std::make_unique<Volume>(source_, data_);
    }
    std::unique_ptr<mixer::IPeakMeter> meter() override {
        if (data_->meterQueryFails) return nullptr;
        return std::make_unique<Meter>(source_, data_->peak);
    }

private:
    std::shared_ptr<FakeSessionData> data_;
};

class SessionList final : public mixer::IAudioSessionList, Counted {
public:
    using Counted::Counted;
    std::optional<int> count() override {
        if (source_.countFails) return std::nullopt;
        return static_cast<int>(source_.sessions.size());
    }
    std::unique_ptr<mixer::IAudioSession> session(int index) override {
        if (source_.failSessionAt >= 0 && index >= source_.failSessionAt) return nullptr;
        return std::make_unique<Session>(source_, source_.sessions.at(static_cast<size_t>(index)));
    }
};

class EndpointVolume final : public mixer::IEndpointVolume, Counted {
public:
    using Counted::Counted;
    std::optional<float> masterVolumeLevelScalar() override { return source_.masterLevel; }
    bool setMasterVolumeLevelScalar(float value) override {
        source_.masterLevelsSet.push_back(value);
        if (!validLevel(value)) return false;
        source_.masterLevel = value;
        return true;
    }
};

class Device final : public mixer::IAudioDevice, Counted {
public:
    using Counted::Counted;
    std::unique_ptr<mixer::IAudioSessionList> sessions() override {
        if (source_.sessionsFail) return nullptr;
        return std::make_unique<SessionList>(source_);
    }
    std::unique_ptr<mixer::IEndpointVolume> endpointVolume() override {
        if (source_.endpointFails) return nullptr;
        return std::make_unique<EndpointVolume>(source_);
    }
    std::unique_ptr<mixer::IPeakMeter> endpointMeter() override {
        if (source_.meterFails) return nullptr;
        return std::make_unique<Meter>(source_, source_.masterPeak);
    }
};

}  // namespace

FakeSessionData& FakeAudioSessionSource::add(std::wstring name, std::uint32_t guidNumber, float level) {
    auto data = std::make_shared<FakeSessionData>();
    data->displayName = std::move(name);
    data->guid = guid(guidNumber);
    data->level = level;
    sessions.push_back(data);
    return *data;
}

std::unique_ptr<mixer::IAudioDevice> FakeAudioSessionSource::defaultRenderDevice() {
    ++deviceOpens;
    if (noDevice) return nullptr;
    return std::make_unique<Device>(*this);
}

}  // namespace kv::test

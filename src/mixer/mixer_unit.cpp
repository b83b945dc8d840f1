#include "mixer/mixer_unit.h"

#include <algorithm>
#include <cmath>

namespace kv::mixer {

double roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5) return lower + 1;
    if (fraction < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

std::int32_t levelToPercent(float level) {
    return static_cast<std::int32_t>(std::trunc(static_cast<double>(level) * 100));
}

float percentToLevel(std::int32_t percent) { return static_cast<float>(percent / 100.0); }

std::int32_t peakToPercent(float peak) {
    return static_cast<std::int32_t>(roundHalfEven(static_cast<double>(peak) * 100));
}

std::wstring TMixer::SessionNameFromIdentifier(const std::wstring& identifier) {
    const size_t backslash = identifier.rfind(L'\\');
    if (backslash == std::wstring::npos) return L"unnamed";
    const size_t percent = identifier.rfind(L'%');
    std::wstring name;
    if (percent == std::wstring::npos)
        name = identifier.substr(backslash + 1);
    else if (percent > backslash)
        name = identifier.substr(backslash + 1, percent - backslash - 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    if (!name.empty() && name[0] >= L'a' && name[0] <= L'z') name[0] = static_cast<wchar_t>(name[0] - L'a' + L'A');
    return name;
}

struct TMixer::Request {
    RMixerAktion action;
    MixerList* list;
    const std::wstring& key;
    std::int32_t& valueproz;
    std::uint32_t ownProcess;
    bool result = false;
};

bool TMixer::Mixer(RMixerAktion mixeraktion, MixerList* mixerlist, const std::wstring& GUIDorDisplayname,
                   std::int32_t& valueproz) const {
    Request request{mixeraktion, mixerlist, GUIDorDisplayname, valueproz, source_.currentProcessId()};
    walk(request);
    if (mixerlist) sortEntries(*mixerlist);
    return request.result;
}

// Each session is handled as far as its calls succeed; a failed call ends the walk after
// the session in hand.
void TMixer::walk(Request& request) const {
    const auto device = source_.defaultRenderDevice();
    if (!device) return;
    const auto sessions = device->sessions();
    if (!sessions) return;
    const std::optional<int> count = sessions->count();
    if (!count) return;
    const Guid noGuid{};
    for (int i = 0; i < *count; ++i) {
        const auto session = sessions->session(i);
        if (!session) return;
        std::wstring name = session->displayName().value_or(L"");
        const std::wstring guid = guidText(session->groupingParam().value_or(noGuid));
        bool endsWalk = false;
        const std::optional<SessionOwner> owner = session->owner();
        if (!owner) {
            endsWalk = true;
        } else if (name.empty()) {
            const std::optional<std::wstring> identifier = session->sessionIdentifier();
            if (identifier)
                name = SessionNameFromIdentifier(*identifier);
            else
                endsWalk = true;
        }
        const SessionOwner who = owner.value_or(SessionOwner{});
        const bool skipped = who.systemSounds || who.processId == request.ownProcess;
        if (!skipped && !apply(request, *session, i, name, guid)) endsWalk = true;
        if (endsWalk) return;
    }
}

// The action for one visited session; false when a query failed and the walk must end.
bool TMixer::apply(Request& request, IAudioSession& session, int index, const std::wstring& name,
                   const std::wstring& guid) {
    if (request.action == RMixerAktion::mixerListing) {
        request.result = true;
        MixerList* list = request.list;
        if (!list) return true;
        const bool listed = std::any_of(list->begin(), list->end(), [&](const auto& e) { return e.second == guid; });
        if (listed) return true;
        std::wstring entry = name.empty() ? L"unnamed" + std::to_wstring(index) : name;
        std::replace(entry.begin(), entry.end(), kMixerListSeparator, L'-');
        list->emplace_back(std::move(entry), guid);
        return true;
    }
    const std::wstring& key = request.key;
    const bool matches = !key.empty() && (guid == key || (!name.empty() && name == key));
    if (!matches) return true;
    request.result = true;
    switch (request.action) {
    case RMixerAktion::mixerGet: {
        const auto volume = session.simpleVolume();
        if (!volume) return false;
        if (const auto level = volume->masterVolume()) request.valueproz = levelToPercent(*level);
        return true;
    }
    case RMixerAktion::mixerSet: {
        const auto volume = session.simpleVolume();
        if (!volume) return false;
        volume->setMasterVolume(percentToLevel(request.valueproz));
        return true;
    }
    case RMixerAktion::mixerMeasure: {
        const auto meter = session.meter();
        if (!meter) return false;
        if (const auto peak = meter->peakValue()) request.valueproz = peakToPercent(*peak);
        return true;
    }
    default:
        return true;
    }
}

void TMixer::sortEntries(MixerList& list) const {
    auto whole = [](const std::pair<std::wstring, std::wstring>& e) { return e.first + kMixerListSeparator + e.second; };
    std::stable_sort(list.begin(), list.end(),
                     [&](const auto& a, const auto& b) { return compare_(whole(a), whole(b)) < 0; });
}

float TMixer::GetMasterVolumeScalar() const {
    const auto device = source_.defaultRenderDevice();
    const auto volume = device ? device->endpointVolume() : nullptr;
    if (!volume) return 0.0f;
    return volume->masterVolumeLevelScalar().value_or(0.0f);
}

void TMixer::SetMasterVolumeScalar(float value) const {
    const auto device = source_.defaultRenderDevice();
    const auto volume = device ? device->endpointVolume() : nullptr;
    if (volume) volume->setMasterVolumeLevelScalar(value);
}

float TMixer::MeasureMasterVolume() const {
    const auto device = source_.defaultRenderDevice();
    const auto meter = device ? device->endpointMeter() : nullptr;
    if (!meter) return 0.0f;
    return meter->peakValue().value_or(0.0f);
}

}  // namespace kv::mixer

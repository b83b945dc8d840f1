#pragma once
// TMixer: the audio sessions of other programs on the default playback device, listed,
// checked, read, set and measured by GUID text or display name, and the master volume of
// that device. It keeps nothing between calls: each call opens what it needs from the
// session source and releases it before it returns.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "mixer/AudioSessionSource.h"

namespace kv::mixer {

// The mixer listing: display name = GUID text pairs.
using MixerList = std::vector<std::pair<std::wstring, std::wstring>>;
inline constexpr wchar_t kMixerListSeparator = L'=';

// Compares two whole listing entries ("name=GUID") as the list sorts them (<0, 0, >0).
using EntryCompare = std::function<int(const std::wstring&, const std::wstring&)>;

enum class RMixerAktion : std::uint8_t { mixerListing, mixerCheck, mixerGet, mixerSet, mixerMeasure };

class TMixer {
public:
    TMixer(IAudioSessionSource& source, EntryCompare compare) : source_(source), compare_(std::move(compare)) {}

    // Walks the sessions and applies mixeraktion to every visited (listing) or matching
    // session; true when at least one was visited or matched. A given list is left sorted.
    bool Mixer(RMixerAktion mixeraktion, MixerList* mixerlist, const std::wstring& GUIDorDisplayname,
               std::int32_t& valueproz) const;

    float GetMasterVolumeScalar() const;
    void SetMasterVolumeScalar(float value) const;
    float MeasureMasterVolume() const;

    // The name a session without display name gets from its identifier
    // ("...\player.exe%b{...}" gives "Player"); "unnamed" without a backslash.
    static std::wstring SessionNameFromIdentifier(const std::wstring& identifier);

private:
    struct Request;
    void walk(Request& request) const;
    static bool apply(Request& request, IAudioSession& session, int index, const std::wstring& name,
                      const std::wstring& guid);
    void sortEntries(MixerList& list) const;

    IAudioSessionSource& source_;
    EntryCompare compare_;
};

// The conversions between Core Audio's levels and percent.
std::int32_t levelToPercent(float level);  // truncated: the single nearest 0.58 reads 57
float percentToLevel(std::int32_t percent);
std::int32_t peakToPercent(float peak);    // rounded, ties to the even neighbour
// Rounds to the nearest integer, ties to the even neighbour.
double roundHalfEven(double value);

}  // namespace kv::mixer

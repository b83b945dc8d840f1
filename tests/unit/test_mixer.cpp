// The session walk of the mixer over a fake Core Audio: which sessions are visited, how they
// are named, matched and listed, the conversions, the end of the walk on a failed call, and
// the master volume of the device.
#include <gtest/gtest.h>

#include "../fakes/FakeAudioSessions.h"
#include "mixer/mixer_unit.h"
#include "ui/controls/ComboBox.h"

namespace kv::test {
namespace {

using mixer::MixerList;
using mixer::RMixerAktion;
using mixer::TMixer;

class MixerTest : public ::testing::Test {
protected:
    FakeAudioSessionSource source;
    TMixer mixer{source, ui::compareTextIgnoreCase};

    bool run(RMixerAktion action, const std::wstring& key, std::int32_t& value, MixerList* list = nullptr) {
        return mixer.Mixer(action, list, key, value);
    }
    MixerList listing(bool* result = nullptr) {
        MixerList list;
        std::int32_t unused = 0;
        const bool r = run(RMixerAktion::mixerListing, L"", unused, &list);
        if (result) *result = r;
        return list;
    }
    std::int32_t get(const std::wstring& key, std::int32_t start = -7) {
        std::int32_t value = start;
        run(RMixerAktion::mixerGet, key, value);
        return value;
    }
    bool check(const std::wstring& key) {
        std::int32_t unused = 0;
        return run(RMixerAktion::mixerCheck, key, unused);
    }
    std::wstring guid(std::uint32_t n) { return FakeAudioSessionSource::guidText(n); }
};

TEST(MixerGuidText, RegistryFormUpperCase) {
    const mixer::Guid g{0xbcde0395, 0xe52f, 0x467c, {0x8e, 0x3d, 0xc4, 0x57, 0x92, 0x91, 0x69, 0x2e}};
    EXPECT_EQ(mixer::guidText(g), L"{BCDE0395-E52F-467C-8E3D-C4579291692E}");
    EXPECT_EQ(mixer::guidText(mixer::CLSID_MMDeviceEnumerator), L"{BCDE0395-E52F-467C-8E3D-C4579291692E}");
    EXPECT_EQ(mixer::guidText(mixer::IID_IAudioSessionControl2), L"{BFB7FF88-7239-4FC9-8FA2-07C950BE9C6D}");
    EXPECT_EQ(mixer::guidText(mixer::IID_ISimpleAudioVolume), L"{87CE5498-68D6-44E5-9215-6DA47EF883D8}");
}

TEST(MixerSessionName, FromIdentifier) {
    EXPECT_EQ(TMixer::SessionNameFromIdentifier(
                  L"{0.0.0.00000000}.{x}|\\Device\\HarddiskVolume3\\Program Files\\Player\\player.exe%b{00000000-0}"),
              L"Player");
    EXPECT_EQ(TMixer::SessionNameFromIdentifier(L"no backslash at all%b{1}"), L"unnamed");
    EXPECT_EQ(TMixer::SessionNameFromIdentifier(L"C:\\Tools\\vlc.player.exe"), L"Vlc.player");  // no percent
    EXPECT_EQ(TMixer::SessionNameFromIdentifier(L"C:\\a\\app.exe%b\\rest"), L"");  // last percent before last backslash
    EXPECT_EQ(TMixer::SessionNameFromIdentifier(L"C:\\a\\\u00e4pp.exe%b"), L"\u00e4pp");  // only a to z change case
    EXPECT_EQ(TMixer::SessionNameFromIdentifier(L"C:\\a\\Noext%b"), L"Noext");
}

TEST(MixerConversions, LevelTruncatesMeterRoundsHalfToEven) {
    EXPECT_EQ(mixer::levelToPercent(0.58f), 57);
    EXPECT_EQ(mixer::levelToPercent(0.5f), 50);
    EXPECT_EQ(mixer::levelToPercent(1.0f), 100);
    EXPECT_EQ(mixer::peakToPercent(0.125f), 12);  // 12.5
    EXPECT_EQ(mixer::peakToPercent(0.375f), 38);  // 37.5
    EXPECT_EQ(mixer::peakToPercent(0.58f), 58);
    EXPECT_FLOAT_EQ(mixer::percentToLevel(57), 0.57f);
    EXPECT_EQ(mixer::roundHalfEven(76.5), 76);
    EXPECT_EQ(mixer::roundHalfEven(77.5), 78);
    EXPECT_EQ(mixer::roundHalfEven(-0.5), 0);
}

TEST_F(MixerTest, OwnAndSystemSoundsSessionsAreNeitherListedNorMatched) {
    source.add(L"Kavinta", 1).owner = mixer::SessionOwner{false, source.ownProcess};
    source.add(L"Systemsounds", 2).owner = mixer::SessionOwner{true, 0};
    source.add(L"Player", 3);
    EXPECT_EQ(listing(), (MixerList{{L"Player", guid(3)}}));
    EXPECT_FALSE(check(L"Kavinta"));
    EXPECT_FALSE(check(guid(2)));
    EXPECT_TRUE(check(L"Player"));
}

TEST_F(MixerTest, MatchesByGuidOrNonEmptyDisplayNameExactly) {
    source.add(L"Player", 1, 0.5f);
    source.add(L"", 2, 0.25f).identifier = L"nothing to name";  // "unnamed"
    source.add(L"", 3, 0.75f).identifier = L"C:\\x\\music.exe%b";
    EXPECT_EQ(get(guid(1)), 50);
    EXPECT_EQ(get(L"Player"), 50);
    EXPECT_EQ(get(L"player"), -7);  // case-sensitive: no match, value untouched
    EXPECT_FALSE(check(L""));
    EXPECT_TRUE(check(L"unnamed"));  // the derived name "unnamed" is a name like any other
    EXPECT_EQ(get(L"Music"), 75);
    EXPECT_FALSE(check(L"unnamed1"));  // the listing's placeholder never matches
    EXPECT_EQ(get(guid(2)), 25);
}

TEST_F(MixerTest, ListingNamesSeparatorsDuplicatesAndSorts) {
    source.add(L"zeta", 1);
    source.add(L"a=b", 2);
    source.add(L"", 3).identifier = L"C:\\x\\.exe%b";  // derives an empty name
    source.add(L"Zweiter", 1);                          // same grouping parameter as zeta
    source.add(L"Alpha", 4);
    bool result = false;
    const MixerList list = listing(&result);
    EXPECT_TRUE(result);
    EXPECT_EQ(list, (MixerList{{L"a-b", guid(2)}, {L"Alpha", guid(4)}, {L"unnamed2", guid(3)}, {L"zeta", guid(1)}}));
    EXPECT_FALSE(check(L"a-b"));  // the listed name no longer matches
    EXPECT_TRUE(check(L"a=b"));
}

TEST_F(MixerTest, ListingAddsNothingAlreadyInTheListAndNeedsNoList) {
    source.add(L"Player", 1);
    MixerList list{{L"kept", guid(1)}};
    std::int32_t unused = 0;
    EXPECT_TRUE(run(RMixerAktion::mixerListing, L"", unused, &list));
    EXPECT_EQ(list, (MixerList{{L"kept", guid(1)}}));
    EXPECT_TRUE(run(RMixerAktion::mixerListing, L"", unused, nullptr));
    source.sessions.clear();
    EXPECT_FALSE(run(RMixerAktion::mixerListing, L"", unused, nullptr));
}

TEST_F(MixerTest, AGivenListIsSortedWhateverTheAction) {
    MixerList list{{L"b", L"2"}, {L"A", L"1"}};
    std::int32_t unused = 0;
    EXPECT_FALSE(run(RMixerAktion::mixerCheck, L"none", unused, &list));
    EXPECT_EQ(list, (MixerList{{L"A", L"1"}, {L"b", L"2"}}));
    source.noDevice = true;
    list = {{L"b", L"2"}, {L"A", L"1"}};
    EXPECT_FALSE(run(RMixerAktion::mixerListing, L"", unused, &list));
    EXPECT_EQ(list, (MixerList{{L"A", L"1"}, {L"b", L"2"}}));
}

TEST_F(MixerTest, EveryMatchGetsTheActionAndGetReturnsTheLast) {
    auto& first = source.add(L"Player", 1, 0.5f);
    auto& second = source.add(L"Other", 1, 0.58f);
    EXPECT_EQ(get(guid(1)), 57);
    std::int32_t value = 30;
    EXPECT_TRUE(run(RMixerAktion::mixerSet, guid(1), value));
    EXPECT_EQ(first.levelsSet, std::vector<float>{0.3f});
    EXPECT_EQ(second.levelsSet, std::vector<float>{0.3f});
}

TEST_F(MixerTest, SetOutsideTheRangeIsPassedOnAndStillMatches) {
    auto& player = source.add(L"Player", 1, 0.4f);
    std::int32_t value = -1;
    EXPECT_TRUE(run(RMixerAktion::mixerSet, L"Player", value));
    EXPECT_EQ(player.levelsSet, std::vector<float>{-0.01f});
    EXPECT_EQ(get(L"Player"), 40);
}

TEST_F(MixerTest, MeasureRoundsThePeak) {
    source.add(L"Player", 1).peak = 0.125f;
    source.add(L"Other", 2).peak = 0.375f;
    std::int32_t value = -1;
    EXPECT_TRUE(run(RMixerAktion::mixerMeasure, L"Player", value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(run(RMixerAktion::mixerMeasure, L"Other", value));
    EXPECT_EQ(value, 38);
}

TEST_F(MixerTest, NoDeviceOrNoSessionEnumeratorIsFalseAndReleasesAll) {
    source.add(L"Player", 1);
    std::int32_t value = 5;
    source.sessionsFail = true;
    EXPECT_FALSE(run(RMixerAktion::mixerGet, L"Player", value));
    EXPECT_FALSE(check(L"Player"));
    source.sessionsFail = false;
    source.noDevice = true;
    EXPECT_FALSE(run(RMixerAktion::mixerSet, L"Player", value));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(source.live, 0);
}

TEST_F(MixerTest, FailedCountOrSessionEndsTheWalk) {
    source.add(L"A", 1);
    source.add(L"B", 2);
    source.countFails = true;
    EXPECT_TRUE(listing().empty());
    source.countFails = false;
    source.failSessionAt = 1;
    EXPECT_EQ(listing(), (MixerList{{L"A", guid(1)}}));
    EXPECT_FALSE(check(L"B"));
    EXPECT_EQ(source.live, 0);
}

TEST_F(MixerTest, FailedControl2QueryVisitsTheSessionAsOrdinaryThenEnds) {
    source.add(L"Own", 1).owner.reset();  // process id 0, not system sounds: visited
    source.add(L"Later", 2);
    EXPECT_EQ(listing(), (MixerList{{L"Own", guid(1)}}));
    source.sessions[0]->displayName = L"";
    EXPECT_EQ(listing(), (MixerList{{L"unnamed0", guid(1)}}));
    EXPECT_EQ(source.sessions[0]->identifierCalls, 0);  // no identifier without the query
}

TEST_F(MixerTest, FailedIdentifierVisitsWithEmptyNameThenEnds) {
    source.add(L"", 1);  // identifier call fails
    source.add(L"Later", 2);
    EXPECT_EQ(listing(), (MixerList{{L"unnamed0", guid(1)}}));
    EXPECT_FALSE(check(L"Later"));
}

TEST_F(MixerTest, FailedDisplayNameLeavesItEmpty) {
    auto& s = source.add(L"", 1);
    s.displayName.reset();
    s.identifier = L"C:\\p\\tool.exe%b";
    EXPECT_EQ(listing(), (MixerList{{L"Tool", guid(1)}}));
}

TEST_F(MixerTest, FailedVolumeOrMeterQueryStillMatchesButEndsTheWalk) {
    source.add(L"Player", 1).volumeQueryFails = true;
    auto& second = source.add(L"Player", 2, 0.2f);
    std::int32_t value = 9;
    EXPECT_TRUE(run(RMixerAktion::mixerGet, L"Player", value));
    EXPECT_EQ(value, 9);
    EXPECT_TRUE(run(RMixerAktion::mixerSet, L"Player", value));
    EXPECT_TRUE(second.levelsSet.empty());
    source.sessions[0]->meterQueryFails = true;
    source.sessions[0]->volumeQueryFails = false;
    EXPECT_TRUE(run(RMixerAktion::mixerMeasure, L"Player", value));
    EXPECT_EQ(value, 9);
    EXPECT_EQ(source.live, 0);
}

TEST_F(MixerTest, FailedLevelReadLeavesTheValue) {
    source.add(L"Player", 1).level.reset();
    EXPECT_EQ(get(L"Player", 33), 33);
}

TEST_F(MixerTest, MasterVolumeOperations) {
    EXPECT_FLOAT_EQ(mixer.GetMasterVolumeScalar(), 0.75f);
    mixer.SetMasterVolumeScalar(0.5f);
    EXPECT_FLOAT_EQ(source.masterLevel, 0.5f);
    EXPECT_FLOAT_EQ(mixer.MeasureMasterVolume(), 0.25f);
    source.endpointFails = true;
    source.meterFails = true;
    EXPECT_FLOAT_EQ(mixer.GetMasterVolumeScalar(), 0.0f);
    EXPECT_FLOAT_EQ(mixer.MeasureMasterVolume(), 0.0f);
    mixer.SetMasterVolumeScalar(0.1f);
    EXPECT_EQ(source.masterLevelsSet, std::vector<float>{0.5f});
    source.noDevice = true;
    EXPECT_FLOAT_EQ(mixer.GetMasterVolumeScalar(), 0.0f);
    EXPECT_EQ(source.live, 0);
}

}  // namespace
}  // namespace kv::test

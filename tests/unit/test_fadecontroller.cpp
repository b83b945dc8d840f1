// The fade controller step by step: the companion's messages, Winamp's volume fades on
// 0 to 255, the mixer session fades in percent, blocking and timer-driven, the shared
// bounds, one fade taking over another, and receivers that stop answering.
#include <gtest/gtest.h>

#include "../fakes/FakeAudioSessions.h"
#include "../fakes/FakeWindowMessages.h"
#include "remote/RemotePlayerControl_unit.h"
#include "ui/controls/ComboBox.h"

namespace kv::test {
namespace {

using remote::RFadeAction;
using remote::Trcform;
using Msgs = FakeWindowMessages;

class FadeControllerTest : public ::testing::Test {
protected:
    FakeWindowMessages msgs;
    FakeAudioSessionSource source;
    mixer::TMixer mixer{source, ui::compareTextIgnoreCase};
    Trcform rc{msgs, msgs, mixer};

    FadeControllerTest() { rc.FormCreate(); }

    void ticks(int n) {
        for (int i = 0; i < n; ++i) rc.fadetimer.tick();
    }
    static std::vector<std::intptr_t> range(std::intptr_t from, std::intptr_t to, std::intptr_t step) {
        std::vector<std::intptr_t> values;
        for (std::intptr_t v = from; step < 0 ? v >= to : v <= to; v += step) values.push_back(v);
        return values;
    }
    static std::vector<float> levels(std::vector<int> percents) {
        std::vector<float> result;
        for (int p : percents) result.push_back(static_cast<float>(p / 100.0));
        return result;
    }
};

// --- Companion application

TEST_F(FadeControllerTest, CompanionMessagesSendOrPostInOrder) {
    msgs.startCompanion();
    rc.zentrixfadeout(30, true);
    rc.zentrixfadeout(40, false);
    rc.zentrixfadein();
    rc.zentrixcrossfade();
    const std::vector<SentMessage> expected{
        {SentMessage::Send, Msgs::kCompanion, 0x402, 112, 30, 10000},
        {SentMessage::Send, Msgs::kCompanion, 0x403, 112, 40, 1000},
        {SentMessage::Send, Msgs::kCompanion, 0x403, 111, 0, 1000},
        {SentMessage::Send, Msgs::kCompanion, 0x402, 111, 1, 1000},
        {SentMessage::Post, Msgs::kCompanion, 0x402, 110, 0, 0},
    };
    EXPECT_EQ(msgs.log, expected);
    EXPECT_EQ(msgs.lookups, std::vector<std::wstring>(4, L"TTB_WMSAPI"));
    EXPECT_EQ(rc.zentrixhwnd(), Msgs::kCompanion);
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::nofade);  // the fade state is not touched
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_EQ(rc.maxvol(), -1);
}

TEST_F(FadeControllerTest, CompanionIsLookedUpAfreshEveryTime) {
    EXPECT_EQ(rc.zentrixhwnd(), remote::kNeverLookedUp);
    rc.zentrixcrossfade();
    EXPECT_TRUE(msgs.log.empty());
    EXPECT_EQ(rc.zentrixhwnd(), 0u);
    msgs.startCompanion();
    rc.zentrixfadein();
    ASSERT_EQ(msgs.log.size(), 1u);
    msgs.windows.clear();
    rc.zentrixfadeout(10, true);
    EXPECT_EQ(msgs.log.size(), 1u);
    EXPECT_EQ(rc.zentrixhwnd(), 0u);
}

TEST_F(FadeControllerTest, HungCompanionGetsNoPostAfterTheCrossFade) {
    msgs.startCompanion();
    msgs.hung.insert(Msgs::kCompanion);
    rc.zentrixcrossfade();
    ASSERT_EQ(msgs.log.size(), 1u);
    EXPECT_EQ(msgs.log[0].kind, SentMessage::Send);
}

// --- Winamp

TEST(WinampTarget, PercentToWinampScaleHalfToEven) {
    EXPECT_EQ(Trcform::winampTarget(10), 26);
    EXPECT_EQ(Trcform::winampTarget(30), 76);
    EXPECT_EQ(Trcform::winampTarget(50), 128);  // 127.5
    EXPECT_EQ(Trcform::winampTarget(70), 178);  // 178.5
    EXPECT_EQ(Trcform::winampTarget(90), 230);  // 229.5
    EXPECT_EQ(Trcform::winampTarget(100), 255);
    EXPECT_EQ(Trcform::winampTarget(0), 0);
    EXPECT_EQ(Trcform::winampTarget(-20), 0);
    EXPECT_EQ(Trcform::winampTarget(150), 255);
}

TEST_F(FadeControllerTest, BlockingWinampFadeFrom200To30PercentTakes13Steps) {
    msgs.startWinamp(200);
    rc.winampfadeout(30, true);
    std::vector<std::intptr_t> expected = range(190, 80, -10);
    expected.push_back(76);
    EXPECT_EQ(msgs.winampSets(), expected);
    EXPECT_EQ(msgs.sleeps(), std::vector<int>(12, 50));
    // The query first, then step, pause, step, ...: no pause before the first step or after the last.
    ASSERT_GE(msgs.log.size(), 3u);
    EXPECT_EQ(msgs.log[0], (SentMessage{SentMessage::Send, Msgs::kWinamp, 0x400, -666, 122, 1000}));
    EXPECT_EQ(msgs.log[1], (SentMessage{SentMessage::Send, Msgs::kWinamp, 0x400, 190, 122, 1000}));
    EXPECT_EQ(msgs.log[2].kind, SentMessage::Sleep);
    EXPECT_EQ(msgs.log.back().wParam, 76);
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::dofadeoutwinamp);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_EQ(rc.minvol(), 76);
    EXPECT_EQ(rc.maxvol(), 200);
}

TEST_F(FadeControllerTest, WinampReportingZeroFadesFrom255) {
    msgs.startWinamp(0);
    rc.winampfadeout(0, true);
    std::vector<std::intptr_t> expected = range(245, 5, -10);
    expected.push_back(0);
    EXPECT_EQ(msgs.winampSets(), expected);
    EXPECT_EQ(msgs.winampSets().size(), 26u);
    EXPECT_EQ(msgs.sleeps().size(), 25u);
}

TEST_F(FadeControllerTest, FadeOutTargetAboveTheVolumeRaisesItInOneStep) {
    msgs.startWinamp(50);
    rc.winampfadeout(50, true);
    EXPECT_EQ(msgs.winampSets(), std::vector<std::intptr_t>{128});
    EXPECT_TRUE(msgs.sleeps().empty());

    source.add(L"Player", 1, 0.2f);
    rc.mixerfadeout(L"", L"Player", 60, true);
    EXPECT_EQ(source.sessions[0]->levelsSet, levels({60}));
}

TEST_F(FadeControllerTest, TimerDrivenWinampFadeOutThenFadeInBackToTheStart) {
    msgs.startWinamp(200);
    rc.winampfadeout(30, false);
    EXPECT_TRUE(rc.fadetimer.enabled());
    EXPECT_EQ(rc.fadetimer.interval(), 50);
    EXPECT_TRUE(msgs.winampSets().empty());  // the first step comes with the first tick
    ticks(12);
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::dofadeoutwinamp);
    ticks(1);
    EXPECT_EQ(msgs.winampSets().back(), 76);
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::nofade);
    EXPECT_FALSE(rc.fadetimer.enabled());

    msgs.log.clear();
    rc.winampfadein();
    EXPECT_TRUE(rc.fadetimer.enabled());
    ticks(20);
    std::vector<std::intptr_t> expected = range(86, 196, 10);
    expected.push_back(200);
    EXPECT_EQ(msgs.winampSets(), expected);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_TRUE(msgs.sleeps().empty());
}

TEST_F(FadeControllerTest, WinampFadeInWithNothingRememberedLeavesTheVolume) {
    msgs.startWinamp(120);
    rc.winampfadein();
    ticks(3);
    EXPECT_TRUE(msgs.winampSets().empty());
    EXPECT_EQ(msgs.winampVolume, 120);
    EXPECT_FALSE(rc.fadetimer.enabled());
}

TEST_F(FadeControllerTest, NoWinampChangesOnlyTheWindow) {
    rc.winampfadeout(30, true);
    rc.winampfadein();
    EXPECT_TRUE(msgs.log.empty());
    EXPECT_EQ(rc.winamphwnd(), 0u);
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::nofade);
    EXPECT_EQ(rc.minvol(), -1);
    EXPECT_EQ(msgs.lookups, std::vector<std::wstring>(2, L"Winamp v1.x"));
}

TEST_F(FadeControllerTest, HungWinampIsGivenUpForTheRestOfTheBlockingFade) {
    msgs.startWinamp(200);
    msgs.answersBeforeHang = 3;  // the query, 190 and 180 are answered
    rc.winampfadeout(0, true);
    EXPECT_EQ(msgs.winampSets(), (std::vector<std::intptr_t>{190, 180, 170}));
    EXPECT_EQ(msgs.sleeps().size(), 2u);
    for (const SentMessage& m : msgs.log) {
        if (m.kind == SentMessage::Send) {
            EXPECT_EQ(m.timeoutMs, 1000);
        }
    }

    // A fade of its own later talks to the window again.
    msgs.answersBeforeHang = -1;
    msgs.log.clear();
    rc.winampfadeout(100, true);
    EXPECT_FALSE(msgs.winampSets().empty());
}

TEST_F(FadeControllerTest, HungWinampEndsATimerDrivenFade) {
    msgs.startWinamp(200);
    rc.winampfadeout(0, false);
    ticks(2);
    msgs.hung.insert(Msgs::kWinamp);
    ticks(1);
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::nofade);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_EQ(msgs.winampSets(), (std::vector<std::intptr_t>{190, 180, 170}));
}

TEST_F(FadeControllerTest, HungWinampAtTheQuerySendsNoStep) {
    msgs.startWinamp(200);
    msgs.hung.insert(Msgs::kWinamp);
    rc.winampfadeout(0, true);
    EXPECT_EQ(msgs.log.size(), 1u);  // only the query
    EXPECT_TRUE(msgs.sleeps().empty());
}

TEST_F(FadeControllerTest, HungCompanionBlockingFadeOutWaitsAtMostTenSeconds) {
    msgs.startCompanion();
    msgs.hung.insert(Msgs::kCompanion);
    rc.zentrixfadeout(0, true);
    ASSERT_EQ(msgs.log.size(), 1u);
    EXPECT_EQ(msgs.log[0].timeoutMs, 10000);
}

TEST_F(FadeControllerTest, ALaterTickAfterABlockingFadeResendsTheBound) {
    msgs.startWinamp(200);
    rc.winampfadeout(30, false);
    ticks(2);
    msgs.log.clear();
    rc.winampfadeout(30, true);  // the timer of the first fade still runs
    EXPECT_TRUE(rc.fadetimer.enabled());
    msgs.log.clear();
    ticks(1);
    EXPECT_EQ(msgs.winampSets(), std::vector<std::intptr_t>{76});
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::nofade);
    EXPECT_FALSE(rc.fadetimer.enabled());
}

// Pacing (a fine system timer on Windows) is held exactly while a fade runs: around every
// pause of a blocking fade, and from the timer's start to the tick that ends its fade,
// also when a blocking fade comes while the timer runs.
TEST_F(FadeControllerTest, PacingIsHeldWhileAFadeRunsAndEndedAfterIt) {
    msgs.startWinamp(200);
    rc.winampfadeout(30, true);
    EXPECT_EQ(msgs.pacingAtSleeps, std::vector<int>(12, 1));
    EXPECT_EQ(msgs.pacing, 0);

    rc.winampfadein();
    EXPECT_EQ(msgs.pacing, 1);
    ticks(2);
    msgs.pacingAtSleeps.clear();
    rc.winampfadeout(30, true);
    EXPECT_FALSE(msgs.pacingAtSleeps.empty());
    EXPECT_EQ(msgs.pacingAtSleeps, std::vector<int>(msgs.pacingAtSleeps.size(), 2));
    EXPECT_EQ(msgs.pacing, 1);  // the timer still runs
    ticks(1);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_EQ(msgs.pacing, 0);

    rc.mixerfadeout(L"", L"Player", 0, false);
    rc.mixerfadein(L"", L"Player");  // takes over the running timer: no second hold
    EXPECT_EQ(msgs.pacing, 1);
    ticks(40);
    EXPECT_EQ(msgs.pacing, 0);
}

// --- Mixer sessions

TEST_F(FadeControllerTest, BlockingMixerFadeByGuidInStepsOfThree) {
    auto& player = source.add(L"Player", 1, 0.5f);
    rc.mixerfadeout(FakeAudioSessionSource::guidText(1), L"Player", 20, true);
    EXPECT_EQ(player.levelsSet, levels({47, 44, 41, 38, 35, 32, 29, 26, 23, 20}));
    EXPECT_EQ(msgs.sleeps(), std::vector<int>(9, 50));
    EXPECT_EQ(rc.maxvol(), 50);
    EXPECT_EQ(rc.guid(), FakeAudioSessionSource::guidText(1));
}

TEST_F(FadeControllerTest, MixerFadeFindsTheSessionByNameWhenTheGuidIsUnknown) {
    auto& player = source.add(L"Player", 1, 0.1f);
    rc.mixerfadeout(L"", L"Player", 0, false);
    ticks(5);
    EXPECT_EQ(player.levelsSet, levels({7, 4, 1, 0}));
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::nofade);

    rc.mixerfadein(L"{00000000-0000-0000-0000-0000000000FF}", L"Player");
    EXPECT_EQ(rc.minvol(), 0);
    ticks(5);
    EXPECT_EQ(player.levelsSet, levels({7, 4, 1, 0, 3, 6, 9, 10}));
}

TEST_F(FadeControllerTest, MissingSessionKeepsTheBoundAndIsPickedUpDuringTheFade) {
    msgs.startWinamp(200);
    rc.winampfadeout(90, true);  // leaves the upper bound at 200
    rc.mixerfadeout(L"", L"Player", 190, false);
    EXPECT_EQ(rc.maxvol(), 200);
    ticks(1);
    auto& player = source.add(L"Player", 1, 0.5f);
    ticks(5);
    EXPECT_EQ(player.levelsSet, levels({194, 191, 190}));  // refused by Core Audio, counted all the same
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::nofade);
}

TEST_F(FadeControllerTest, MixerFadeTakesOverARunningWinampFadeIn) {
    msgs.startWinamp(200);
    rc.winampfadeout(0, true);
    rc.winampfadein();
    ticks(3);
    const auto winampSteps = msgs.winampSets().size();
    auto& player = source.add(L"Player", 1, 0.3f);
    rc.mixerfadeout(L"", L"Player", 21, false);
    ticks(5);
    EXPECT_EQ(msgs.winampSets().size(), winampSteps);
    EXPECT_EQ(msgs.winampVolume, 30);  // where the fade-in had brought it
    EXPECT_EQ(player.levelsSet, levels({27, 24, 21}));
    EXPECT_FALSE(rc.fadetimer.enabled());
}

// The first step of a fade comes one full period after its start, also when it takes
// over a timer that is running for an earlier fade.
TEST_F(FadeControllerTest, FadeTakingOverARunningTimerStartsItsPeriodAfresh) {
    struct PeriodStarts : ui::TimerView {
        int starts = 0;
        ui::Timer* timer = nullptr;
        void timerChanged() override {
            if (timer->enabled()) ++starts;
        }
    } view;
    view.timer = &rc.fadetimer;
    rc.fadetimer.attachView(&view);
    msgs.startWinamp(200);
    rc.winampfadeout(50, false);
    ticks(2);
    auto& player = source.add(L"Player", 1, 0.3f);
    rc.mixerfadeout(L"", L"Player", 21, false);
    EXPECT_EQ(view.starts, 2);
    ticks(1);
    EXPECT_EQ(player.levelsSet, levels({27}));
    rc.fadetimer.attachView(nullptr);
}

TEST_F(FadeControllerTest, MixerFadeInWithNothingRememberedAsksMinusOnePercentAndEnds) {
    auto& player = source.add(L"Player", 1, 0.4f);
    rc.mixerfadein(L"", L"Player");
    ticks(2);
    EXPECT_EQ(player.levelsSet, levels({-1}));
    EXPECT_FLOAT_EQ(*player.level, 0.4f);
    EXPECT_EQ(rc.timerfadeAktion(), RFadeAction::nofade);
}

TEST_F(FadeControllerTest, BoundsAreSharedBetweenMixerAndWinamp) {
    auto& player = source.add(L"Player", 1, 0.6f);
    rc.mixerfadeout(L"", L"Player", 54, true);  // upper bound 60, on the percent scale
    msgs.startWinamp(40);
    rc.winampfadein();
    ticks(5);
    EXPECT_EQ(msgs.winampSets(), (std::vector<std::intptr_t>{50, 60}));
    EXPECT_EQ(player.levelsSet, levels({57, 54}));
}

TEST_F(FadeControllerTest, ListingAndCheckGoThroughTheMixer) {
    source.add(L"Player", 2);
    source.add(L"Alpha", 1);
    mixer::MixerList list;
    rc.mixergetlist(list);
    EXPECT_EQ(list, (mixer::MixerList{{L"Alpha", FakeAudioSessionSource::guidText(1)},
                                      {L"Player", FakeAudioSessionSource::guidText(2)}}));
    EXPECT_TRUE(rc.mixertestguid(FakeAudioSessionSource::guidText(2)));
    EXPECT_TRUE(rc.mixertestguid(L"Alpha"));
    EXPECT_FALSE(rc.mixertestguid(L"Beta"));
}

TEST_F(FadeControllerTest, FadeSpeedAndFactorSetTheTickAndTheStep) {
    msgs.startWinamp(200);
    rc.setFadespeed(80);
    rc.setFadefaktor(2);
    rc.winampfadeout(0, false);
    EXPECT_EQ(rc.fadetimer.interval(), 20);
    ticks(2);
    EXPECT_EQ(msgs.winampSets(), (std::vector<std::intptr_t>{180, 160}));
    rc.FormCreate();
    EXPECT_EQ(rc.fadespeed(), 50);
    EXPECT_EQ(rc.fadefaktor(), 1);
    EXPECT_FALSE(rc.fadetimer.enabled());
}

}  // namespace
}  // namespace kv::test

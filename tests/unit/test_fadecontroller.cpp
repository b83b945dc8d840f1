// The fade controller step by step: the companion's messages, Winamp's volume fades on
// 0 to 255, the mixer session fades in percent, blocking and timer-driven, receivers that
// answer slowly or stop answering, and the ducks: one remembered level per player that
// every fade-in, the close and the next start bring back.
#include <gtest/gtest.h>

#include <algorithm>

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
    FakeDuckStore store;
    std::vector<remote::NotRestored> notRestored;

    FadeControllerTest() {
        rc.FormCreate();
        rc.attachDuckStore(&store);
        rc.setNotRestoredHandler([this](const remote::NotRestored& n) { notRestored.push_back(n); });
    }

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
    rc.fadeinDucked();
    rc.zentrixfadeout(40, false);
    rc.zentrixcrossfade();
    const std::vector<SentMessage> expected{
        {SentMessage::Send, Msgs::kCompanion, 0x402, 112, 30, 10000},
        {SentMessage::Send, Msgs::kCompanion, 0x403, 112, 40, 1000},
        {SentMessage::Send, Msgs::kCompanion, 0x403, 111, 0, 1000},
        {SentMessage::Send, Msgs::kCompanion, 0x403, 112, 40, 1000},
        {SentMessage::Send, Msgs::kCompanion, 0x402, 111, 1, 1000},
        {SentMessage::Post, Msgs::kCompanion, 0x402, 110, 0, 0},
    };
    EXPECT_EQ(msgs.log, expected);
    EXPECT_EQ(msgs.lookups, std::vector<std::wstring>(5, L"TTB_WMSAPI"));
    EXPECT_EQ(rc.zentrixhwnd(), Msgs::kCompanion);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_TRUE(rc.ducks().empty()) << "the cross-fade hands the music over to the companion";
}

TEST_F(FadeControllerTest, CompanionIsLookedUpAfreshEveryTime) {
    EXPECT_EQ(rc.zentrixhwnd(), remote::kNeverLookedUp);
    rc.zentrixcrossfade();
    EXPECT_TRUE(msgs.log.empty());
    EXPECT_EQ(rc.zentrixhwnd(), 0u);
    msgs.startCompanion();
    rc.zentrixcrossfade();
    ASSERT_EQ(msgs.log.size(), 2u);
    msgs.closeWindow(Msgs::kCompanion);
    rc.zentrixfadeout(10, true);
    EXPECT_EQ(msgs.log.size(), 2u);
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

TEST_F(FadeControllerTest, BlockingWinampFadeFrom200To30PercentTakes13StepsAndRecordsTheDuck) {
    msgs.startWinamp(200);
    rc.winampfadeout(30, true);
    std::vector<std::intptr_t> expected = range(190, 80, -10);
    expected.push_back(76);
    EXPECT_EQ(msgs.winampSets(), expected);
    EXPECT_EQ(msgs.sleeps(), std::vector<int>(12, 50));
    // The query first, then step, pause, step, ...: no pause before the first step or after the last.
    ASSERT_GE(msgs.log.size(), 3u);
    EXPECT_EQ(msgs.log[0], (SentMessage{SentMessage::Send, Msgs::kWinamp, 0x400, -666, 122, 400}));
    EXPECT_EQ(msgs.log[1], (SentMessage{SentMessage::Send, Msgs::kWinamp, 0x400, 190, 122, 1000}));
    EXPECT_EQ(msgs.log[2].kind, SentMessage::Sleep);
    EXPECT_FALSE(rc.fadetimer.enabled());
    ASSERT_EQ(store.kept.size(), 1u);
    EXPECT_EQ(store.kept[0].kind, remote::PlayerKind::winamp);
    EXPECT_EQ(store.kept[0].window, Msgs::kWinamp);
    EXPECT_EQ(store.kept[0].level, 200);
    EXPECT_EQ(store.kept[0].left, 76);
}

TEST_F(FadeControllerTest, TimerDrivenWinampFadeOutThenFadeInBackToTheStartEndsTheDuck) {
    msgs.startWinamp(200);
    rc.winampfadeout(30, false);
    EXPECT_TRUE(rc.fadetimer.enabled());
    EXPECT_EQ(rc.fadetimer.interval(), 50);
    EXPECT_TRUE(msgs.winampSets().empty());  // the first step comes with the first tick
    ticks(13);
    EXPECT_EQ(msgs.winampSets().back(), 76);
    EXPECT_FALSE(rc.fadetimer.enabled());

    msgs.log.clear();
    rc.fadeinDucked();
    EXPECT_TRUE(rc.fadetimer.enabled());
    ticks(20);
    std::vector<std::intptr_t> expected = range(86, 196, 10);
    expected.push_back(200);
    EXPECT_EQ(msgs.winampSets(), expected);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_TRUE(msgs.sleeps().empty());
    EXPECT_TRUE(rc.ducks().empty());
    EXPECT_TRUE(store.kept.empty());
}

// Whatever comes between, the music goes back to where it was before Kavinta touched it.
TEST_F(FadeControllerTest, FurtherFadeOutsOfADuckedPlayerKeepItsLevel) {
    msgs.startWinamp(200);
    rc.winampfadeout(20, true);  // 51
    // A jingle fired while the fade-in of the previous one runs.
    rc.fadeinDucked();
    ticks(5);
    EXPECT_EQ(msgs.winampVolume(), 101);
    rc.winampfadeout(20, true);
    EXPECT_EQ(msgs.winampVolume(), 51);
    // A second jingle after a stop, with no fade-in between.
    rc.winampfadeout(20, false);
    ticks(3);
    rc.fadeinDucked();
    ticks(30);
    EXPECT_EQ(msgs.winampVolume(), 200);
    EXPECT_TRUE(rc.ducks().empty());
}

// The level a fade-out reads is the player's own: 0 is a level (muted), no answer is none.
TEST_F(FadeControllerTest, AFadeOutNeverRaisesAndAMutedPlayerStaysMuted) {
    for (std::intptr_t start : {0, 30, 50}) {
        msgs.startWinamp(start);
        msgs.log.clear();
        rc.winampfadeout(start == 50 ? 100 : 20, true);
        EXPECT_TRUE(msgs.winampSets().empty()) << "from " << start;
        rc.fadeinDucked();
        ticks(30);
        EXPECT_TRUE(msgs.winampSets().empty()) << "from " << start;
        EXPECT_EQ(msgs.winampVolume(), start);
        EXPECT_TRUE(rc.ducks().empty());
    }
    auto& session = source.add(L"Player", 1, 0.2f);
    rc.mixerfadeout(L"", L"Player", 60, true);
    rc.fadeinDucked();
    ticks(10);
    EXPECT_TRUE(session.levelsSet.empty());
}

TEST_F(FadeControllerTest, WinampFadeInWithNothingTurnedDownLeavesTheVolume) {
    msgs.startWinamp(120);
    rc.fadeinDucked();
    rc.winampfadein();
    ticks(3);
    EXPECT_TRUE(msgs.log.empty());
    EXPECT_FALSE(rc.fadetimer.enabled());
}

TEST_F(FadeControllerTest, NoWinampChangesOnlyTheWindow) {
    rc.winampfadeout(30, true);
    rc.winampfadein();
    EXPECT_TRUE(msgs.log.empty());
    EXPECT_EQ(rc.winamphwnd(), 0u);
    EXPECT_TRUE(rc.ducks().empty());
    EXPECT_EQ(msgs.lookups, std::vector<std::wstring>(1, L"Winamp v1.x"));
}

// The fade-in goes to the window that was faded out, also when another Winamp came up.
TEST_F(FadeControllerTest, TheFadedWinampWindowIsTheOneBroughtBack) {
    msgs.startWinamp(200);
    rc.winampfadeout(20, true);
    msgs.startWinamp(100, Msgs::kSecondWinamp);  // FindWindow gives this one now
    rc.winampfadeout(20, true);  // a further jingle: the same, ducked window
    rc.fadeinDucked();
    ticks(30);
    EXPECT_EQ(msgs.winampVolume(Msgs::kWinamp), 200);
    EXPECT_EQ(msgs.winampVolume(Msgs::kSecondWinamp), 100);
    EXPECT_TRUE(msgs.winampSets(Msgs::kSecondWinamp).empty());
    EXPECT_TRUE(notRestored.empty());

    // Once the faded window is gone, the next fade-out turns the other one down.
    rc.winampfadeout(20, true);
    msgs.closeWindow(Msgs::kWinamp);
    msgs.startWinamp(100, Msgs::kSecondWinamp);
    rc.winampfadeout(50, true);
    EXPECT_EQ(msgs.winampVolume(Msgs::kSecondWinamp), 100);  // 128 is above: not raised
    rc.winampfadeout(20, true);
    EXPECT_EQ(msgs.winampVolume(Msgs::kSecondWinamp), 51);
    ASSERT_EQ(rc.ducks().size(), 1u);
    EXPECT_EQ(rc.ducks()[0].window, Msgs::kSecondWinamp);
}

TEST_F(FadeControllerTest, HungWinampIsGivenUpForTheRestOfTheBlockingFade) {
    msgs.startWinamp(200);
    msgs.answersBeforeHang = 3;  // the query, 190 and 180 are answered
    rc.winampfadeout(0, true);
    EXPECT_EQ(msgs.winampSets(), (std::vector<std::intptr_t>{190, 180, 170}));
    EXPECT_EQ(msgs.sleeps().size(), 2u);
    for (const SentMessage& m : msgs.log) {
        if (m.kind == SentMessage::Send && m.wParam != -666) {
            EXPECT_EQ(m.timeoutMs, 1000);
        }
    }
    EXPECT_EQ(rc.ducks().size(), 1u);

    // A fade of its own later talks to the window again.
    msgs.answersBeforeHang = -1;
    msgs.log.clear();
    rc.winampfadeout(0, true);
    EXPECT_FALSE(msgs.winampSets().empty());
}

TEST_F(FadeControllerTest, HungWinampEndsATimerDrivenFade) {
    msgs.startWinamp(200);
    rc.winampfadeout(0, false);
    ticks(2);
    msgs.hung.insert(Msgs::kWinamp);
    ticks(1);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_EQ(msgs.winampSets(), (std::vector<std::intptr_t>{190, 180, 170}));
}

TEST_F(FadeControllerTest, HungWinampAtTheQueryIsNotFadedAtAll) {
    msgs.startWinamp(200);
    msgs.hung.insert(Msgs::kWinamp);
    rc.winampfadeout(0, true);
    EXPECT_EQ(msgs.log.size(), 1u);  // only the query
    EXPECT_TRUE(rc.ducks().empty());
    EXPECT_EQ(store.saves, 0);
}

// A player given up on while it is brought back is named; its duck stays recorded.
TEST_F(FadeControllerTest, AFadeInThatCannotGetThereIsReportedAndStaysRecorded) {
    msgs.startWinamp(200);
    rc.winampfadeout(20, true);
    rc.fadeinDucked();
    ticks(2);
    msgs.hung.insert(Msgs::kWinamp);
    ticks(3);
    ASSERT_EQ(notRestored.size(), 1u);
    EXPECT_FALSE(notRestored[0].gone);
    EXPECT_EQ(notRestored[0].duck.kind, remote::PlayerKind::winamp);
    EXPECT_EQ(store.kept.size(), 1u);
    EXPECT_FALSE(rc.fadetimer.enabled());

    msgs.closeWindow(Msgs::kWinamp);
    rc.fadeinDucked();
    ASSERT_EQ(notRestored.size(), 2u);
    EXPECT_TRUE(notRestored[1].gone);

    source.add(L"Player", 1, 0.5f);
    rc.mixerfadeout(L"", L"Player", 20, true);
    source.sessions.clear();
    rc.fadeinDucked();
    ASSERT_EQ(notRestored.size(), 4u);  // Winamp again, and the session
    EXPECT_EQ(notRestored[3].duck.name, L"Player");
    EXPECT_TRUE(notRestored[3].gone);
}

TEST_F(FadeControllerTest, HungCompanionBlockingFadeOutWaitsAtMostTenSeconds) {
    msgs.startCompanion();
    msgs.hung.insert(Msgs::kCompanion);
    rc.zentrixfadeout(0, true);
    ASSERT_EQ(msgs.log.size(), 1u);
    EXPECT_EQ(msgs.log[0].timeoutMs, 10000);
}

// A Winamp that takes 200 to 900 ms over every message: the steps that would come late are
// dropped, the target is sent once, and the jingle waits at most half a second longer than
// the fade's ideal 15 steps of 50 ms.
TEST_F(FadeControllerTest, ASlowPlayerHoldsABlockingFadeOutAtMostHalfASecondLonger) {
    msgs.startWinamp(200);
    int n = 0;
    msgs.answerMs = [&] { return 200 + (n++ * 370) % 701; };
    rc.winampfadeout(20, true);
    EXPECT_LE(msgs.clockMs, 15 * 50 + 500);
    EXPECT_EQ(msgs.winampVolume(), 51);
    const auto sets = msgs.winampSets();
    EXPECT_EQ(sets.back(), 51);
    EXPECT_EQ(std::count(sets.begin(), sets.end(), 51), 1);
    EXPECT_LT(sets.size(), 15u);
}

TEST_F(FadeControllerTest, ABlockingFadeOutTakesOverThatPlayersTimerFade) {
    msgs.startWinamp(200);
    rc.winampfadeout(30, true);
    rc.fadeinDucked();
    ticks(2);
    rc.winampfadeout(30, true);
    EXPECT_FALSE(rc.fadetimer.enabled());
    msgs.log.clear();
    ticks(3);
    EXPECT_TRUE(msgs.log.empty());
    EXPECT_EQ(msgs.winampVolume(), 76);
}

// Pacing (a fine system timer on Windows) is held exactly while a fade runs: around every
// pause of a blocking fade, and from the timer's start to the tick that ends its fade.
TEST_F(FadeControllerTest, PacingIsHeldWhileAFadeRunsAndEndedAfterIt) {
    msgs.startWinamp(200);
    auto& player = source.add(L"Player", 1, 0.5f);
    rc.winampfadeout(30, true);
    EXPECT_EQ(msgs.pacingAtSleeps, std::vector<int>(12, 1));
    EXPECT_EQ(msgs.pacing, 0);

    rc.mixerfadeout(L"", L"Player", 0, false);
    EXPECT_EQ(msgs.pacing, 1);
    msgs.pacingAtSleeps.clear();
    rc.winampfadein();
    ticks(2);
    rc.winampfadeout(30, true);
    EXPECT_FALSE(msgs.pacingAtSleeps.empty());
    EXPECT_EQ(msgs.pacingAtSleeps, std::vector<int>(msgs.pacingAtSleeps.size(), 2));
    EXPECT_EQ(msgs.pacing, 1);  // the session's fade still runs on the timer
    rc.mixerfadein(L"", L"Player");  // takes over that fade: no second hold
    EXPECT_EQ(msgs.pacing, 1);
    ticks(40);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_EQ(msgs.pacing, 0);
    EXPECT_FLOAT_EQ(*player.level, 0.5f);
}

// --- Mixer sessions

TEST_F(FadeControllerTest, BlockingMixerFadeByGuidInStepsOfThree) {
    auto& player = source.add(L"Player", 1, 0.5f);
    rc.mixerfadeout(FakeAudioSessionSource::guidText(1), L"Player", 20, true);
    EXPECT_EQ(player.levelsSet, levels({47, 44, 41, 38, 35, 32, 29, 26, 23, 20}));
    EXPECT_EQ(msgs.sleeps(), std::vector<int>(9, 50));
    ASSERT_EQ(rc.ducks().size(), 1u);
    EXPECT_EQ(rc.ducks()[0].level, 50);
    EXPECT_EQ(rc.ducks()[0].guid, FakeAudioSessionSource::guidText(1));
}

TEST_F(FadeControllerTest, MixerFadeFindsTheSessionByNameWhenTheGuidIsUnknown) {
    auto& player = source.add(L"Player", 1, 0.1f);
    rc.mixerfadeout(L"", L"Player", 0, false);
    ticks(5);
    EXPECT_EQ(player.levelsSet, levels({7, 4, 1, 0}));

    rc.mixerfadein(L"{00000000-0000-0000-0000-0000000000FF}", L"Player");
    ticks(5);
    EXPECT_EQ(player.levelsSet, levels({7, 4, 1, 0, 3, 6, 9, 10}));
    EXPECT_TRUE(rc.ducks().empty());
}

TEST_F(FadeControllerTest, AMissingSessionIsNotFaded) {
    rc.mixerfadeout(L"", L"Player", 20, false);
    EXPECT_TRUE(rc.ducks().empty());
    EXPECT_FALSE(rc.fadetimer.enabled());
    rc.mixerfadein(L"", L"Player");
    EXPECT_TRUE(notRestored.empty());
}

// Each ducked player comes back on its own scale, side by side on the timer.
TEST_F(FadeControllerTest, DuckedPlayersComeBackSideBySideOnTheirOwnScales) {
    msgs.startWinamp(200);
    rc.winampfadeout(0, true);
    rc.fadeinDucked();
    ticks(3);
    auto& player = source.add(L"Player", 1, 0.3f);
    rc.mixerfadeout(L"", L"Player", 21, false);
    ticks(3);
    EXPECT_EQ(player.levelsSet, levels({27, 24, 21}));
    rc.fadeinDucked();
    ticks(30);
    EXPECT_EQ(msgs.winampVolume(), 200);
    EXPECT_FLOAT_EQ(*player.level, 0.3f);
    for (std::intptr_t v : msgs.winampSets()) EXPECT_LE(v, 200);
    for (float level : player.levelsSet) EXPECT_LE(level, 0.3f + 1e-6f);
    EXPECT_FALSE(rc.fadetimer.enabled());
}

// The first step of a fade comes one full period after its start, also when it starts
// while the timer is running for an earlier fade.
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

// --- The close and the next start

TEST_F(FadeControllerTest, TheCloseBringsEveryDuckedPlayerBackAtOnce) {
    msgs.startWinamp(200);
    msgs.startCompanion();
    auto& player = source.add(L"Player", 1, 0.4f);
    rc.winampfadeout(20, true);
    rc.zentrixfadeout(20, true);
    rc.mixerfadeout(L"", L"Player", 10, false);
    ticks(2);
    msgs.log.clear();
    rc.restoreNow();
    EXPECT_EQ(msgs.winampSets(), std::vector<std::intptr_t>{200});
    EXPECT_FLOAT_EQ(*player.level, 0.4f);
    EXPECT_EQ(std::count(msgs.log.begin(), msgs.log.end(),
                         SentMessage{SentMessage::Send, Msgs::kCompanion, 0x403, 111, 0, 1000}),
              1);
    EXPECT_FALSE(rc.fadetimer.enabled());
    EXPECT_EQ(msgs.pacing, 0);
    EXPECT_TRUE(store.kept.empty());

    // One that does not answer stays recorded for the next start.
    rc.winampfadeout(20, true);
    msgs.hung.insert(Msgs::kWinamp);
    rc.restoreNow();
    EXPECT_EQ(store.kept.size(), 1u);
}

// A duck a crash left behind is brought back when the player still stands where Kavinta
// left it, left alone when the operator set it since, and kept when there is no answer.
TEST_F(FadeControllerTest, TheNextStartBringsBackWhatACrashLeftTurnedDown) {
    remote::Duck winamp;
    winamp.kind = remote::PlayerKind::winamp;
    winamp.window = Msgs::kWinamp;
    winamp.level = 200;
    winamp.left = 51;
    remote::Duck session;
    session.kind = remote::PlayerKind::mixer;
    session.name = L"Player";
    session.level = 60;
    session.left = 25;
    auto& player = source.add(L"Player", 1, 0.25f);

    msgs.startWinamp(51);
    store.kept = {winamp, session};
    rc.restoreLeftOver();
    EXPECT_EQ(msgs.winampVolume(), 200);
    EXPECT_FLOAT_EQ(*player.level, 0.6f);
    EXPECT_TRUE(store.kept.empty());

    msgs.startWinamp(120);  // set by the operator since
    store.kept = {winamp};
    rc.restoreLeftOver();
    EXPECT_EQ(msgs.winampVolume(), 120);
    EXPECT_TRUE(store.kept.empty());

    msgs.startWinamp(51);
    msgs.hung.insert(Msgs::kWinamp);
    store.kept = {winamp};
    rc.restoreLeftOver();
    EXPECT_EQ(store.kept, std::vector<remote::Duck>{winamp});
    msgs.hung.clear();
    rc.fadeinDucked();  // still a duck in this run: the next fade-in brings it back
    ticks(30);
    EXPECT_EQ(msgs.winampVolume(), 200);
    EXPECT_TRUE(store.kept.empty());

    msgs.closeWindow(Msgs::kWinamp);  // another Winamp now, or none: nothing to bring back
    store.kept = {winamp};
    rc.restoreLeftOver();
    EXPECT_TRUE(store.kept.empty());
}

TEST(DuckRecord, ReadsBackWhatItWritesAndRefusesWhatIsNotADuck) {
    remote::Duck session;
    session.kind = remote::PlayerKind::mixer;
    session.guid = L"{12345678-0000-0000-0000-000000000000}";
    session.name = L"Radio | Live";
    session.level = 80;
    session.left = 16;
    EXPECT_EQ(remote::parseDuckRecord(remote::duckRecordText(session)), session);
    remote::Duck winamp;
    winamp.kind = remote::PlayerKind::winamp;
    winamp.window = 0x40A1C;
    winamp.level = 0;
    winamp.left = 0;
    EXPECT_EQ(remote::parseDuckRecord(remote::duckRecordText(winamp)), winamp);
    for (const wchar_t* bad : {L"", L"winamp|1|2", L"player|1|2|3||", L"winamp|x|2|3||", L"winamp|-1|2|3||"})
        EXPECT_FALSE(remote::parseDuckRecord(bad).has_value()) << bad;
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

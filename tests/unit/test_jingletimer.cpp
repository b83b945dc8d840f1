// The random jingle countdown, driven by a fake clock.
#include "FormFixture.h"

using namespace kv;
using namespace kv::test;

namespace {

class RandomJingle : public FormFixture {
protected:
    ui::TKavintamainform& startWithTimer(const wchar_t* minutes) {
        for (int n = 1; n <= 12; ++n) {
            const std::wstring file = L"C:\\j\\" + std::to_wstring(n) + L".wav";
            store(L"Show", L"Jingle" + std::to_wstring(n), file);
            files.addFile(file);
        }
        store(L"Show", L"jingletimereinaus", L"1");
        store(L"Show", L"jingletimerval", minutes);
        return start();
    }
    void tickAfter(ui::TKavintamainform& f, int seconds) {
        clock.advanceSeconds(seconds);
        f.jingletimer.tick();
    }
};

TEST_F(RandomJingle, OffLeavesTheLabelEmptyAndTheTimerStopped) {
    store(L"Show", L"Text1", L"x");
    auto& f = start();
    EXPECT_FALSE(f.jingletimer.enabled());
    EXPECT_EQ(f.l_jingletimer.text(), L"");
}

TEST_F(RandomJingle, ThirtyMinutesShowThirtyMinAtTheFirstTick) {
    auto& f = startWithTimer(L"30");
    EXPECT_TRUE(f.jingletimer.enabled());
    EXPECT_EQ(f.jingletimer.interval(), 1000);
    tickAfter(f, 1);
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 30 min)");
}

TEST_F(RandomJingle, MinuteBoundariesAndTheLastMinuteInSeconds) {
    auto& f = startWithTimer(L"3");
    tickAfter(f, 180 - 120);  // 120 s left
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 3 min)");
    tickAfter(f, 1);  // 119 s
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 2 min)");
    tickAfter(f, 58);  // 61 s
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 2 min)");
    tickAfter(f, 1);  // 60 s
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 60 sek)");
    tickAfter(f, 60);  // due, not yet past
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 0 sek)");
    EXPECT_TRUE(player.opened.empty());
}

TEST_F(RandomJingle, FiresTheDrawnSlotWhenDueAndNeverTheSameTwiceInARow) {
    auto& f = startWithTimer(L"1");
    random.draws = {7, 7, 7, 3};
    tickAfter(f, 61);
    EXPECT_EQ(f.l_jingletimer.text(), L"(Jingle 7)");
    EXPECT_EQ(player.opened.back(), L"C:\\j\\7.wav");
    EXPECT_EQ(f.slot(7).caption(), L">>");
    player.playing = false;
    f.playerstatustimer.tick();  // end of jingle: reload re-arms the countdown
    tickAfter(f, 61);
    EXPECT_EQ(f.l_jingletimer.text(), L"(Jingle 3)");
    EXPECT_EQ(player.opened.back(), L"C:\\j\\3.wav");
}

TEST_F(RandomJingle, MovingTheClockPastTheDueTimeFiresAtTheNextTick) {
    auto& f = startWithTimer(L"30");
    random.draws = {4};
    tickAfter(f, 2 * 3600);
    EXPECT_EQ(f.l_jingletimer.text(), L"(Jingle 4)");
}

TEST_F(RandomJingle, DueWhileAJinglePlaysSkipsTheFiringUntilTheReloadAfterIt) {
    auto& f = startWithTimer(L"1");
    f.slot(1).click();  // a music bed longer than the interval
    const std::wstring logBefore = files.fileText(dataDir + L"KVLOG.LOG");
    random.draws = {9, 4};
    tickAfter(f, 61);
    tickAfter(f, 30);
    EXPECT_TRUE(player.playing) << "the random firing stopped the jingle that plays";
    EXPECT_EQ(player.opened, std::vector<std::wstring>{L"C:\\j\\1.wav"});
    EXPECT_EQ(files.fileText(dataDir + L"KVLOG.LOG"), logBefore) << "a skipped firing was logged";
    EXPECT_EQ(f.slot(9).caption(), f.slot(9).text()) << "a skipped slot shows the playing marker";
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 0 sek)");

    player.playing = false;
    f.playerstatustimer.tick();  // the jingle's end: the reload starts a full countdown
    tickAfter(f, 59);
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 1 sek)");
    EXPECT_EQ(player.opened.size(), 1u);
    tickAfter(f, 2);
    EXPECT_EQ(f.l_jingletimer.text(), L"(Jingle 9)");
    EXPECT_EQ(player.opened.back(), L"C:\\j\\9.wav");
}

TEST_F(RandomJingle, SwitchingOffStopsAndEmptiesChangingMinutesRestarts) {
    auto& f = startWithTimer(L"1");
    tickAfter(f, 30);
    f.jingletimerval.setValue(2);
    EXPECT_EQ(stored(L"Show", L"jingletimerval"), L"2");
    tickAfter(f, 1);
    EXPECT_EQ(f.l_jingletimer.text(), L"(t 2 min)");  // 119 s of a fresh 2 minutes
    f.jingletimereinaus.click();
    EXPECT_FALSE(f.jingletimer.enabled());
    EXPECT_EQ(f.l_jingletimer.text(), L"");
    EXPECT_EQ(stored(L"Show", L"jingletimereinaus"), L"0");
}

}  // namespace

// Firing slots, the playback monitor and the play log.
#include "library/textencoding.h"
#include "FormFixture.h"
#include "library/playlog.h"

using namespace kv;
using namespace kv::test;

namespace {

class Playback : public FormFixture {
protected:
    const std::wstring intro = L"C:\\Jingles\\Station\\intro.wav";
    const std::wstring outro = L"C:\\Jingles\\outro.mp3";
    ui::TKavintamainform& startWithJingles() {
        store(L"Show", L"Text1", L"Intro");
        store(L"Show", L"Jingle1", L"  " + intro + L" ");
        store(L"Show", L"Text5", L"Outro");
        store(L"Show", L"Jingle5", outro);
        store(L"Show", L"Text7", L"Weg");
        store(L"Show", L"Jingle7", L"C:\\missing.wav");
        files.addFile(intro);
        files.addFile(outro);
        return start();
    }
    // The log's text after its UTF-8 mark.
    std::wstring log() const {
        const std::vector<std::uint8_t> bytes = files.fileBytes(dataDir + L"KVLOG.LOG");
        EXPECT_TRUE(bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF);
        return fromUtf8(bytes, 3);
    }
};

TEST_F(Playback, PressShowsTheBoldMarkerPlaysTheTrimmedPathAndStartsTheMonitor) {
    auto& f = startWithJingles();
    f.slot(1).click();
    EXPECT_EQ(f.slot(1).caption(), L">>");
    EXPECT_TRUE(f.slot(1).font().bold);
    EXPECT_EQ(f.slot(1).text(), L"Intro");
    ASSERT_EQ(player.opened, std::vector<std::wstring>{intro});
    EXPECT_TRUE(player.playing);
    EXPECT_TRUE(f.playerstatustimer.enabled());
    EXPECT_EQ(f.StatusBarMain.panelText(), L"");
}

TEST_F(Playback, FunctionKeyHasExactlyTheEffectOfAClick) {
    auto& f = startWithJingles();
    f.SCExecute(5);
    EXPECT_EQ(f.slot(5).caption(), L">>");
    EXPECT_EQ(player.opened, std::vector<std::wstring>{outro});
    EXPECT_NE(log().find(L" outro.mp3 C:\\Jingles\\\r\n"), std::wstring::npos);
}

TEST_F(Playback, SecondPressStopsAndStartsNothingButIsLogged) {
    auto& f = startWithJingles();
    f.slot(1).click();
    f.slot(5).click();
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(player.opened.size(), 1u);
    EXPECT_EQ(f.slot(5).caption(), L">>");
    EXPECT_NE(log().find(L"outro.mp3"), std::wstring::npos);
    // The monitor's next tick runs the end actions and the reload restores the captions.
    f.playerstatustimer.tick();
    EXPECT_EQ(f.slot(1).caption(), L"Intro");
    EXPECT_EQ(f.slot(5).caption(), L"Outro");
    EXPECT_FALSE(f.slot(1).font().bold);
    EXPECT_EQ(f.Jinglestatus.text(), L"(- -)");
    EXPECT_FALSE(f.playerstatustimer.enabled());
}

TEST_F(Playback, MissingOrUnassignedFileReportsInTheStatusBarAndTheMonitorEndsAtOnce) {
    auto& f = startWithJingles();
    f.slot(7).click();
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Fehler : Datei nicht gefunden");
    EXPECT_EQ(f.StatusBarMain.hint(), L"Fehler : Datei nicht gefunden");
    EXPECT_TRUE(f.StatusBarMain.showHint());
    EXPECT_TRUE(player.opened.empty());
    EXPECT_TRUE(f.playerstatustimer.enabled());
    f.playerstatustimer.tick();
    EXPECT_EQ(f.slot(7).caption(), L"Weg");
    f.slot(2).click();  // unassigned
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Fehler : Datei nicht gefunden");
    f.slot(1).click();  // the next press clears the status
    EXPECT_EQ(f.StatusBarMain.panelText(), L"");
    EXPECT_FALSE(f.StatusBarMain.showHint());
}

TEST_F(Playback, DeviceErrorShowsNumberAndText) {
    auto& f = startWithJingles();
    player.failOpenWith = 263;
    player.failText = L"Der angegebene Gerätetyp ist ungültig.";
    f.slot(1).click();
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Fehler 263 : Der angegebene Gerätetyp ist ungültig.");
    EXPECT_EQ(f.StatusBarMain.hint(), f.StatusBarMain.panelText());
    EXPECT_TRUE(f.playerstatustimer.enabled());
}

TEST_F(Playback, NoCategoryAsksForOneStartsNothingButLogs) {
    auto& f = start();
    f.slot(3).click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, L"Bitte erst Kategorie anlegen!");
    EXPECT_FALSE(f.playerstatustimer.enabled());
    EXPECT_NE(log().find(L"Datum Zeit Jinglename Jinglepfad\r\n"), std::wstring::npos);
}

TEST_F(Playback, MonitorShowsPositionAndLengthWhilePlaying) {
    auto& f = startWithJingles();
    f.slot(1).click();
    player.positionMs = 12345;
    f.playerstatustimer.tick();
    EXPECT_EQ(f.Jinglestatus.text(), L"(spielt: 12:345 von 30:000)");
    EXPECT_TRUE(f.playerstatustimer.enabled());
    EXPECT_EQ(f.slot(1).caption(), L">>");
}

TEST_F(Playback, LeadTimeRunsTheEndActionsEarlyAndOnlyOnce) {
    auto& f = startWithJingles();
    f.jingleendezeit.setValue(2000);
    f.slot(1).click();
    player.positionMs = 28000;  // exactly 2000 left: not yet
    f.playerstatustimer.tick();
    EXPECT_TRUE(f.playerstatustimer.enabled());
    player.positionMs = 28001;
    f.playerstatustimer.tick();
    EXPECT_EQ(f.Jinglestatus.text(), L"(- -)");
    EXPECT_FALSE(f.playerstatustimer.enabled());
    EXPECT_TRUE(player.playing);  // the jingle plays on
    EXPECT_EQ(f.slot(1).caption(), L"Intro");
    // A press in the tail stops it without further end actions.
    f.slot(1).click();
    EXPECT_FALSE(player.playing);
    EXPECT_FALSE(f.playerstatustimer.enabled());
    EXPECT_EQ(f.slot(1).caption(), L">>");
}

TEST_F(Playback, LeadTimeLongerThanTheJingleEndsOnTheFirstTickNegativeIsLikeZero) {
    auto& f = startWithJingles();
    f.jingleendezeit.setValue(40000);
    f.slot(1).click();
    f.playerstatustimer.tick();
    EXPECT_FALSE(f.playerstatustimer.enabled());
    f.slot(1).click();  // stop
    f.playerstatustimer.tick();
    f.jingleendezeit.setValue(-500);
    f.slot(1).click();
    player.positionMs = 29999;
    f.playerstatustimer.tick();
    EXPECT_TRUE(f.playerstatustimer.enabled());
}

TEST_F(Playback, PressingAgainWithinOnePeriodAfterAStopKeepsWatching) {
    auto& f = startWithJingles();
    f.slot(1).click();
    f.slot(1).click();  // stop
    f.slot(5).click();  // new start before the monitor ticked
    f.playerstatustimer.tick();
    EXPECT_TRUE(f.playerstatustimer.enabled());
    EXPECT_EQ(f.slot(5).caption(), L">>");
    EXPECT_TRUE(f.Jinglestatus.text().rfind(L"(spielt: ", 0) == 0);
}

TEST_F(Playback, ReloadAfterTheJingleRearmsTheRandomCountdown) {
    store(L"Show", L"jingletimereinaus", L"1");
    auto& f = startWithJingles();
    const int seeds = random.seeds;
    f.slot(1).click();
    player.playing = false;  // natural end
    f.playerstatustimer.tick();
    EXPECT_EQ(random.seeds, seeds + 1);
    EXPECT_TRUE(f.jingletimer.enabled());
}

TEST(PlayLogLine, SplitsAtTheLastBackslashOnly) {
    EXPECT_EQ(splitJinglePath(L"C:\\Jingles\\Station\\intro.mp3").name, L"intro.mp3");
    EXPECT_EQ(splitJinglePath(L"C:\\Jingles\\Station\\intro.mp3").path, L"C:\\Jingles\\Station\\");
    EXPECT_EQ(splitJinglePath(L"intro.mp3").name, L"");
    EXPECT_EQ(splitJinglePath(L"intro.mp3").path, L"intro.mp3");
    EXPECT_EQ(splitJinglePath(L"C:/a/b.mp3").path, L"C:/a/b.mp3");
    EXPECT_EQ(splitJinglePath(L"C:\\dir\\").name, L"");
    EXPECT_EQ(splitJinglePath(L"C:\\dir\\").path, L"C:\\dir\\");
    EXPECT_EQ(splitJinglePath(L"").path, L"");
}

TEST(PlayLogLine, DateAndTimeFormats) {
    const LocalTime t{2024, 3, 5, 14, 7, 9, 0};
    EXPECT_EQ(formatLogDate(t), L"05.03.2024");
    EXPECT_EQ(formatLogTime(t, L":"), L"14:07:09");
    EXPECT_EQ(formatLogTime({2024, 12, 31, 0, 0, 5, 0}, L"."), L"00.00.05");
}

TEST_F(Playback, LogGetsAHeaderWhenNewAndOneLinePerPress) {
    auto& f = startWithJingles();
    f.slot(1).click();
    f.slot(1).click();
    f.slot(2).click();
    EXPECT_EQ(log(),
              L"Datum Zeit Jinglename Jinglepfad\r\n"
              L"05.03.2024 14:07:09 intro.wav C:\\Jingles\\Station\\\r\n"
              L"05.03.2024 14:07:09 intro.wav C:\\Jingles\\Station\\\r\n"
              L"05.03.2024 14:07:09  \r\n");
}

TEST_F(Playback, LogLineTakesDateAndTimeFromOneReadingAcrossMidnight) {
    auto& f = startWithJingles();
    clock.upcoming = {{2024, 12, 31, 23, 59, 59, 999}, {2025, 1, 1, 0, 0, 0, 0}};
    f.slot(1).click();
    const std::wstring text = log();
    const std::wstring line = text.substr(text.rfind(L"\r\n", text.size() - 3) + 2);
    EXPECT_EQ(line, L"31.12.2024 23:59:59 intro.wav C:\\Jingles\\Station\\\r\n");
}

TEST_F(Playback, DeletedLogIsRecreatedWithHeaderAndFailuresAreSilent) {
    auto& f = startWithJingles();
    f.slot(2).click();
    files.deleteFile(dataDir + L"KVLOG.LOG");
    f.slot(2).click();
    EXPECT_EQ(log().rfind(L"Datum Zeit Jinglename Jinglepfad\r\n", 0), 0u);
    files.failAppends = true;
    f.slot(1).click();
    EXPECT_TRUE(player.playing);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace

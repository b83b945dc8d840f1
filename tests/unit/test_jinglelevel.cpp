// The window menu's playback options: each jingle at one loudness (measured once per file
// version, kept with the slot, its gain set at the press), the second press that fades
// out, and the output device; and the gain stage the engine applies to its samples.
#include <cmath>
#include <vector>

#include "FormFixture.h"
#include "playback/Loudness.h"
#include "playback/SampleGain.h"

using namespace kv;
using namespace kv::test;

namespace {

using Files = std::vector<std::wstring>;

class JingleLevel : public FormFixture {
protected:
    const std::wstring loud = L"C:\\Jingles\\laut.wav";
    const std::wstring quiet = L"C:\\Jingles\\leise.mp3";

    ui::TKavintamainform& startWithJingles() {
        store(L"Show", L"Text1", L"Laut");
        store(L"Show", L"Jingle1", loud);
        store(L"Show", L"Jingle4", quiet);
        files.addFile(loud, L"0123456789");
        files.addFile(quiet, L"01234");
        return start();
    }
    // Both measurements answered and handed to the window as its message would.
    void answerBoth() {
        EXPECT_TRUE(engine.answer(loud, LoudnessReading{-12.0, 0.5f}));
        EXPECT_TRUE(engine.answer(quiet, LoudnessReading{-24.0, 0.1f}));
        form->loudnessMeasured();
    }
    // A press that starts a jingle, then its end as the monitor notices it.
    void pressAndEnd(int slot) {
        form->slot(slot).click();
        player.playing = false;
        form->playerstatustimer.tick();
    }
};

TEST_F(JingleLevel, OptionsAreOffByDefaultAndAreStoredAndRestored) {
    auto& f = startWithJingles();
    EXPECT_FALSE(f.m_gleichlaut.checked());
    EXPECT_FALSE(f.m_blendetaus.checked());
    EXPECT_EQ(f.m_gleichlaut.text(), text(kv::TextId::MenuGleichLaut));
    EXPECT_EQ(f.m_blendetaus.text(), text(kv::TextId::MenuBlendetAus));
    EXPECT_TRUE(engine.measureRequests.empty()) << "nothing is measured while the option is off";
    f.m_gleichlaut.click();
    f.m_blendetaus.click();
    f.konfigspeichern();
    EXPECT_EQ(stored(L"KONFIG", L"jinglesgleichlaut"), L"1");
    EXPECT_EQ(stored(L"KONFIG", L"zweiterdruckblendetaus"), L"1");
    engine.measureRequests.clear();
    auto& again = start();
    EXPECT_TRUE(again.m_gleichlaut.checked());
    EXPECT_TRUE(again.m_blendetaus.checked());
    EXPECT_EQ(engine.requestedFiles(), (Files{loud, quiet})) << "the shown category is measured";
}

TEST_F(JingleLevel, MeasurementsAreKeptWithTheSlotAndGiveTheGainAtThePressAlsoAfterARestart) {
    auto& f = startWithJingles();
    f.m_gleichlaut.click();
    ASSERT_EQ(engine.requestedFiles(), (Files{loud, quiet}));
    answerBoth();
    EXPECT_EQ(host.wakes, 2);
    const FileStamp stamp = *files.fileStamp(loud);
    EXPECT_EQ(stored(L"Show", L"Lautheit1"), L"-12.00");
    EXPECT_EQ(stored(L"Show", L"Spitze1"), L"0.500000");
    EXPECT_EQ(stored(L"Show", L"Dateistand1"), std::to_wstring(stamp.size) + L"," + std::to_wstring(stamp.writeTime));
    pressAndEnd(1);
    pressAndEnd(4);
    EXPECT_EQ(engine.gains, (std::vector<double>{loudnessGainDb(-12.0, 0.5f), loudnessGainDb(-24.0, 0.1f)}));

    engine.gains.clear();
    start().slot(4).click();  // from KV.ini, without measuring again
    EXPECT_TRUE(engine.measureRequests.empty());
    EXPECT_EQ(engine.gains, std::vector<double>{loudnessGainDb(-24.0, 0.1f)});
}

TEST_F(JingleLevel, AFileChangedSinceItsMeasurementPlaysAsItIsAndIsMeasuredAgain) {
    auto& f = startWithJingles();
    f.m_gleichlaut.click();
    answerBoth();
    files.touch(loud);
    f.slot(1).click();
    EXPECT_TRUE(engine.gains.empty()) << "no gain from a stale measurement";
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(engine.requestedFiles(), Files{loud});
    player.playing = false;
    f.playerstatustimer.tick();  // the reload at the jingle's end comes before the answer
    EXPECT_TRUE(engine.answer(loud, LoudnessReading{-30.0, 0.05f}));
    f.loudnessMeasured();
    pressAndEnd(1);
    EXPECT_EQ(engine.gains, std::vector<double>{loudnessGainDb(-30.0, 0.05f)});
}

TEST_F(JingleLevel, UndecodableFilesAndResultsForACategoryNoLongerShownAreNotKept) {
    store(L"Zweite", L"Jingle1", L"C:\\Jingles\\anders.wav");
    auto& f = startWithJingles();
    f.m_gleichlaut.click();
    EXPECT_TRUE(engine.answer(quiet, std::nullopt));
    f.kategorie.setItemIndex(f.kategorie.indexOf(L"Zweite", true));
    f.kategorieChange();
    EXPECT_TRUE(engine.answer(loud, LoudnessReading{-12.0, 0.5f}));
    f.loudnessMeasured();
    for (const auto& [section, key] : {std::pair{L"Show", L"Lautheit1"}, {L"Show", L"Lautheit4"}, {L"Zweite", L"Lautheit1"}})
        EXPECT_EQ(stored(section, key), L"<missing>") << key;
    EXPECT_FALSE(f.slotLoudness(1).has_value());
}

TEST_F(JingleLevel, SecondPressFadesOutWhenOnAndClosesWhenTheEngineCannot) {
    auto& f = startWithJingles();
    f.slot(1).click();
    f.slot(4).click();
    EXPECT_TRUE(engine.fades.empty()) << "off: the second press cuts";
    EXPECT_FALSE(player.playing);
    f.playerstatustimer.tick();

    f.m_blendetaus.click();
    f.slot(1).click();
    f.slot(4).click();
    EXPECT_EQ(engine.fades, std::vector<int>{300});
    EXPECT_TRUE(player.playing) << "the fade ends the jingle, not a close";
    f.playerstatustimer.tick();
    EXPECT_EQ(f.slot(1).caption(), L">>") << "the end actions wait for the fade's end";
    player.playing = false;
    f.playerstatustimer.tick();
    EXPECT_EQ(f.slot(1).caption(), L"Laut");

    engine.fadeAnswer = false;  // a jingle MCI plays
    f.slot(1).click();
    f.slot(4).click();
    EXPECT_EQ(engine.fades.size(), 2u);
    EXPECT_FALSE(player.playing);
}

TEST_F(JingleLevel, DeviceChoiceIsListedStoredAppliedAtTheStartAndAGoneOneIsReportedAtThePress) {
    engine.devices = {{L"{a}", L"Lautsprecher"}, {L"{b}", L"Kopfhörer"}};
    auto& f = startWithJingles();
    EXPECT_TRUE(f.m_ausgabegeraet.items().empty()) << "the devices are listed when the submenu opens, not at the start";
    f.m_ausgabegeraet.opening();
    EXPECT_EQ(f.m_ausgabegeraet.text(), text(kv::TextId::MenuAusgabegeraet));
    EXPECT_EQ(f.m_ausgabegeraet.items(), (Files{text(kv::TextId::Standardgeraet), L"Lautsprecher", L"Kopfhörer"}));
    EXPECT_EQ(f.m_ausgabegeraet.selected(), 0);
    f.m_ausgabegeraet.choose(2);
    EXPECT_EQ(engine.chosenDevices, (Files{L"", L"{b}"}));
    f.konfigspeichern();
    EXPECT_EQ(stored(L"KONFIG", L"ausgabegeraet"), L"{b}");

    // Restarted while the device is gone: it stays chosen, listed after the others, and
    // the menu lists the devices afresh when it opens.
    engine.devices = {{L"{a}", L"Lautsprecher"}};
    engine.chosenDevices.clear();
    auto& again = start();
    EXPECT_EQ(engine.chosenDevices, Files{L"{b}"});
    engine.devices.push_back({L"{c}", L"USB"});
    again.m_ausgabegeraet.opening();
    EXPECT_EQ(again.m_ausgabegeraet.items(), (Files{text(kv::TextId::Standardgeraet), L"Lautsprecher", L"USB", L"Kopfhörer"}));
    EXPECT_EQ(again.m_ausgabegeraet.selected(), 3);

    engine.usedDefaultInstead = true;
    again.slot(1).click();
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(again.StatusBarMain.panelText(), text(kv::TextId::GeraetFehltStandard));
}

TEST(SampleGainStage, AGainScalesTheSamplesAndAFadeRampsToSilenceNoLaterThanFirstAsked) {
    SampleGain gain;
    gain.setGainDb(-20.0 * std::log10(2.0));
    std::vector<float> frames(60, 1.0f);
    gain.startFade(100);
    gain.apply(frames.data(), 30, 2);
    EXPECT_NEAR(frames[0], 0.5f, 1e-6);
    EXPECT_EQ(frames[0], frames[1]) << "both channels of a frame alike";
    for (std::size_t i = 2; i < frames.size(); i += 2) EXPECT_LT(frames[i], frames[i - 2]);
    gain.startFade(1000);  // a second press meanwhile
    frames.assign(160, 1.0f);
    gain.apply(frames.data(), 80, 2);
    EXPECT_TRUE(gain.silent());
    EXPECT_EQ(frames[2 * 70], 0.0f);
}

}  // namespace

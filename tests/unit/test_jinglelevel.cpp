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

const std::wstring kMissing = L"<missing>";  // what the fake profile gives for a key it lacks

class JingleLevel : public FormFixture {
protected:
    const std::wstring loud = L"C:\\Jingles\\laut.wav";
    const std::wstring quiet = L"C:\\Jingles\\leise.mp3";
    const LoudnessReading loudReading{-12.0, 0.5f};
    const LoudnessReading quietReading{-24.0, 0.1f};

    ui::TKavintamainform& startWithJingles() {
        store(L"Show", L"Text1", L"Laut");
        store(L"Show", L"Jingle1", loud);
        store(L"Show", L"Text4", L"Leise");
        store(L"Show", L"Jingle4", quiet);
        files.addFile(loud, L"0123456789");
        files.addFile(quiet, L"01234");
        return start();
    }
    // Both measurements answered and handed to the window as its message would.
    void answerBoth() {
        EXPECT_TRUE(engine.answer(loud, loudReading));
        EXPECT_TRUE(engine.answer(quiet, quietReading));
        form->loudnessMeasured();
    }
    // A press that starts a jingle, then its end as the monitor notices it.
    void pressAndEnd(int slot) {
        form->slot(slot).click();
        player.playing = false;
        form->playerstatustimer.tick();
    }
    std::wstring stampText(const std::wstring& file) const {
        const FileStamp s = *files.fileStamp(file);
        return std::to_wstring(s.size) + L"," + std::to_wstring(s.writeTime);
    }
};

TEST_F(JingleLevel, OptionsAreOffByDefaultNamedAndEverySaveWritesThem) {
    auto& f = startWithJingles();
    EXPECT_FALSE(f.m_gleichlaut.checked());
    EXPECT_FALSE(f.m_blendetaus.checked());
    EXPECT_EQ(f.m_gleichlaut.text(), L"Jingles gleich laut");
    EXPECT_EQ(f.m_blendetaus.text(), L"Zweiter Druck blendet aus");
    EXPECT_EQ(f.m_ausgabegeraet.text(), L"Ausgabegerät");
    EXPECT_TRUE(engine.measureRequests.empty()) << "nothing is measured while the option is off";
    f.m_gleichlaut.click();
    f.m_blendetaus.click();
    f.konfigspeichern();
    EXPECT_EQ(stored(L"KONFIG", L"jinglesgleichlaut"), L"1");
    EXPECT_EQ(stored(L"KONFIG", L"zweiterdruckblendetaus"), L"1");
    EXPECT_EQ(stored(L"KONFIG", L"ausgabegeraet"), L"");
}

TEST_F(JingleLevel, StoredOptionsComeBackAtTheStart) {
    store(L"KONFIG", L"jinglesgleichlaut", L"1");
    store(L"KONFIG", L"zweiterdruckblendetaus", L"1");
    auto& f = startWithJingles();
    EXPECT_TRUE(f.m_gleichlaut.checked());
    EXPECT_TRUE(f.m_blendetaus.checked());
    // The shown category is measured once it is shown.
    EXPECT_EQ(engine.requestedFiles(), (std::vector<std::wstring>{loud, quiet}));
}

TEST_F(JingleLevel, MeasurementsAreKeptWithTheSlotAndGiveTheGainAtThePress) {
    auto& f = startWithJingles();
    f.m_gleichlaut.click();
    ASSERT_EQ(engine.requestedFiles(), (std::vector<std::wstring>{loud, quiet}));
    answerBoth();
    EXPECT_EQ(host.wakes, 2);
    EXPECT_EQ(stored(L"Show", L"Lautheit1"), L"-12.00");
    EXPECT_EQ(stored(L"Show", L"Spitze1"), L"0.500000");
    EXPECT_EQ(stored(L"Show", L"Dateistand1"), stampText(loud));
    EXPECT_EQ(stored(L"Show", L"Lautheit4"), L"-24.00");

    pressAndEnd(1);
    pressAndEnd(4);
    ASSERT_EQ(engine.gains.size(), 2u);
    EXPECT_DOUBLE_EQ(engine.gains[0], loudnessGainDb(-12.0, 0.5f));
    EXPECT_DOUBLE_EQ(engine.gains[1], loudnessGainDb(-24.0, 0.1f));
    EXPECT_LT(engine.gains[0], 0.0);
    EXPECT_GT(engine.gains[1], 0.0);
    EXPECT_TRUE(engine.measureRequests.empty()) << "a current measurement is not taken again";
}

TEST_F(JingleLevel, AStoredMeasurementOfTheSameFileVersionIsUsedAcrossARestart) {
    store(L"KONFIG", L"jinglesgleichlaut", L"1");
    files.addFile(loud, L"0123456789");
    store(L"Show", L"Lautheit1", L"-20.50");
    store(L"Show", L"Spitze1", L"0.250000");
    store(L"Show", L"Dateistand1", stampText(loud));
    store(L"Show", L"Jingle1", loud);
    auto& f = start();
    EXPECT_TRUE(engine.measureRequests.empty());
    f.slot(1).click();
    ASSERT_EQ(engine.gains.size(), 1u);
    EXPECT_DOUBLE_EQ(engine.gains[0], loudnessGainDb(-20.5, 0.25f));
}

TEST_F(JingleLevel, AFileChangedSinceItsMeasurementPlaysAsItIsAndIsMeasuredAgain) {
    auto& f = startWithJingles();
    f.m_gleichlaut.click();
    answerBoth();
    files.touch(loud);
    f.slot(1).click();
    EXPECT_TRUE(engine.gains.empty()) << "no gain from a stale measurement";
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(engine.requestedFiles(), std::vector<std::wstring>{loud});
    player.playing = false;
    f.playerstatustimer.tick();
    // Answered after the reload at the jingle's end: the new version is kept and used.
    EXPECT_TRUE(engine.answer(loud, LoudnessReading{-30.0, 0.05f}));
    f.loudnessMeasured();
    EXPECT_EQ(stored(L"Show", L"Dateistand1"), stampText(loud));
    pressAndEnd(1);
    ASSERT_EQ(engine.gains.size(), 1u);
    EXPECT_DOUBLE_EQ(engine.gains[0], loudnessGainDb(-30.0, 0.05f));
}

TEST_F(JingleLevel, UndecodableFilesAndOtherCategoriesResultsLeaveTheSlotsUnmeasured) {
    store(L"Zweite", L"Jingle1", L"C:\\Jingles\\anders.wav");
    auto& f = startWithJingles();
    f.m_gleichlaut.click();
    EXPECT_TRUE(engine.answer(quiet, std::nullopt));
    f.kategorie.setItemIndex(f.kategorie.indexOf(L"Zweite", true));
    f.kategorieChange();
    EXPECT_TRUE(engine.answer(loud, loudReading));
    f.loudnessMeasured();
    EXPECT_EQ(stored(L"Show", L"Lautheit1"), kMissing);
    EXPECT_EQ(stored(L"Show", L"Lautheit4"), kMissing);
    EXPECT_EQ(stored(L"Zweite", L"Lautheit1"), kMissing);
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
    const int closes = player.closeCalls;
    f.slot(4).click();
    EXPECT_EQ(engine.fades, std::vector<int>{300});
    EXPECT_EQ(player.closeCalls, closes) << "the fade ends the jingle, not a close";
    EXPECT_TRUE(player.playing);
    f.playerstatustimer.tick();
    EXPECT_EQ(f.slot(1).caption(), L">>") << "the end actions wait for the fade's end";
    player.playing = false;  // the fade has reached silence
    f.playerstatustimer.tick();
    EXPECT_EQ(f.slot(1).caption(), L"Laut");

    engine.fadeAnswer = false;  // a jingle MCI plays
    f.slot(1).click();
    const int beforeStop = player.closeCalls;
    f.slot(4).click();
    EXPECT_EQ(engine.fades.size(), 2u);
    EXPECT_FALSE(player.playing);
    EXPECT_EQ(player.closeCalls, beforeStop + 1);
}

TEST_F(JingleLevel, DeviceChoiceIsListedStoredAndAppliedAtTheStart) {
    engine.devices = {{L"{id-a}", L"Lautsprecher"}, {L"{id-b}", L"Kopfhörer"}};
    auto& f = startWithJingles();
    EXPECT_EQ(f.m_ausgabegeraet.items(), (std::vector<std::wstring>{L"Standardgerät", L"Lautsprecher", L"Kopfhörer"}));
    EXPECT_EQ(f.m_ausgabegeraet.selected(), 0);
    EXPECT_EQ(engine.chosenDevices, std::vector<std::wstring>{L""});
    f.m_ausgabegeraet.choose(2);
    EXPECT_EQ(engine.chosenDevices.back(), L"{id-b}");
    f.konfigspeichern();
    EXPECT_EQ(stored(L"KONFIG", L"ausgabegeraet"), L"{id-b}");
    EXPECT_EQ(stored(L"KONFIG", L"ausgabegeraetname"), L"Kopfhörer");

    // Restarted while the device is gone: it stays chosen, listed after the others.
    engine.devices = {{L"{id-a}", L"Lautsprecher"}};
    engine.chosenDevices.clear();
    auto& again = start();
    EXPECT_EQ(engine.chosenDevices, std::vector<std::wstring>{L"{id-b}"});
    EXPECT_EQ(again.m_ausgabegeraet.items(), (std::vector<std::wstring>{L"Standardgerät", L"Lautsprecher", L"Kopfhörer"}));
    EXPECT_EQ(again.m_ausgabegeraet.selected(), 2);
    // Opening the submenu lists the devices afresh.
    engine.devices.push_back({L"{id-c}", L"USB"});
    again.m_ausgabegeraet.opening();
    EXPECT_EQ(again.m_ausgabegeraet.items().size(), 4u);
    EXPECT_EQ(again.m_ausgabegeraet.items()[2], L"USB");
    EXPECT_EQ(again.m_ausgabegeraet.selected(), 3);
    again.m_ausgabegeraet.choose(0);
    EXPECT_EQ(engine.chosenDevices.back(), L"");
}

TEST_F(JingleLevel, APressOnADeviceThatIsGoneSaysItPlaysOnTheDefault) {
    auto& f = startWithJingles();
    engine.usedDefaultInstead = true;
    f.slot(1).click();
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(f.StatusBarMain.panelText(), L"Ausgabegerät nicht verfügbar – spielt auf dem Standardgerät");
    player.playing = false;
    f.playerstatustimer.tick();
    engine.usedDefaultInstead = false;
    f.slot(1).click();
    EXPECT_EQ(f.StatusBarMain.panelText(), L"");
}

// --- The gain stage of the engine's write path

std::vector<float> ones(std::size_t frames, std::size_t channels) { return std::vector<float>(frames * channels, 1.0f); }

TEST(SampleGainStage, AGainScalesEverySampleAndAResetBringsBackUnity) {
    SampleGain gain;
    std::vector<float> frames = ones(4, 2);
    gain.setGainDb(-20.0 * std::log10(2.0));
    gain.apply(frames.data(), 4, 2);
    for (float v : frames) EXPECT_NEAR(v, 0.5f, 1e-6);
    gain.reset();
    frames = ones(4, 2);
    gain.apply(frames.data(), 4, 2);
    for (float v : frames) EXPECT_EQ(v, 1.0f);
}

TEST(SampleGainStage, AFadeRampsToSilenceOverItsFramesAndARepeatDoesNotLengthenIt) {
    SampleGain gain;
    gain.setGainDb(-6.0);
    gain.startFade(100);
    std::vector<float> frames = ones(60, 1);
    gain.apply(frames.data(), 60, 1);
    EXPECT_NEAR(frames[0], std::pow(10.0, -6.0 / 20.0), 1e-6);
    for (std::size_t i = 1; i < frames.size(); ++i) EXPECT_LT(frames[i], frames[i - 1]);
    EXPECT_FALSE(gain.silent());
    gain.startFade(1000);  // a second press meanwhile
    frames = ones(50, 1);
    gain.apply(frames.data(), 50, 1);
    EXPECT_TRUE(gain.silent());
    EXPECT_EQ(frames[40], 0.0f);
    EXPECT_EQ(frames.back(), 0.0f);
}

TEST(SlotLoudnessKeys, ValuesThatCannotBeReadAreNoMeasurement) {
    FakeProfile profile;
    const std::wstring ini = L"C:\\KV.ini";
    profile.set(ini, L"S", L"Lautheit2", L"-17.25");
    profile.set(ini, L"S", L"Spitze2", L"0.9");
    profile.set(ini, L"S", L"Dateistand2", L"10,99");
    profile.set(ini, L"S", L"Lautheit3", L"laut");
    profile.set(ini, L"S", L"Spitze3", L"0.9");
    profile.set(ini, L"S", L"Dateistand3", L"10,99");
    const IniSection section(profile, ini, L"S");
    const auto two = readSlotLoudness(section, 2, L"x.wav");
    ASSERT_TRUE(two.has_value());
    EXPECT_EQ(two->stamp, (FileStamp{10, 99}));
    EXPECT_DOUBLE_EQ(two->reading.integratedLufs, -17.25);
    EXPECT_EQ(slotLoudnessEntries(2, *two)[2].second, L"10,99");
    EXPECT_FALSE(readSlotLoudness(section, 3, L"x.wav").has_value());
    EXPECT_FALSE(readSlotLoudness(section, 4, L"x.wav").has_value());
}

}  // namespace

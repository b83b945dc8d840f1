// The main window's placement in KV.ini: what is written, in which order, and where the
// window comes back on the monitors that are there at the next start.
#include "FormFixture.h"
#include "../fakes/FakePlacement.h"

using namespace kv;
using namespace kv::test;
using kv::ui::Rect;
using kv::ui::WindowState;

namespace {

class Placement : public FormFixture {
protected:
    FakeMonitors monitors;
    FakePlacedForm window;
    const std::wstring section = L"FORM_Kavintamainform";

    Placement() {
        host.placed = &window;
        host.screens = &monitors;
    }
    void restore(bool keepSize = true, int width = 419, int height = 510) {
        ui::RestoreFormPlacement(profile, monitors, ini, window, width, height, keepSize);
    }
    void twoMonitorsPrimaryRight() {
        // The platform lists the left monitor first; the primary one is the right one.
        monitors.areas = {{{-1280, 0, 1280, 1024}}, {{0, 0, 1920, 1040}}};
        monitors.primary = 1;
    }
};

TEST_F(Placement, SaveWritesTheKeysInTheirOrderWithTheUnscaledSizePair) {
    window.rect = {-1200, 50, 419, 510};
    window.monitor = 0;
    window.reference = 120;  // the system PPI while scaling is off
    twoMonitorsPrimaryRight();
    ASSERT_TRUE(ui::SaveFormPlacement(profile, ini, window));
    EXPECT_EQ(profile.keys(ini, section),
              (std::vector<std::wstring>{L"WINDOWSTATE", L"MONITOR", L"TOP", L"LEFT", L"HEIGHT", L"WIDTH", L"DPI",
                                         L"SCALED"}));
    EXPECT_EQ(stored(section, L"LEFT"), L"-1200");
    EXPECT_EQ(stored(section, L"TOP"), L"50");
    EXPECT_EQ(stored(section, L"HEIGHT"), L"510");
    EXPECT_EQ(stored(section, L"WIDTH"), L"419");
    EXPECT_EQ(stored(section, L"DPI"), L"120");
    EXPECT_EQ(stored(section, L"SCALED"), L"0");
    EXPECT_EQ(stored(section, L"MONITOR"), L"0");
}

TEST_F(Placement, ScaledSaveWritesTheScaledPairAndKeepsTheOlderPair) {
    store(section, L"HEIGHT", L"510");
    store(section, L"WIDTH", L"419");
    window.scaledOn = true;
    window.rect = {100, 100, 629, 765};
    window.state = WindowState::Minimized;
    ASSERT_TRUE(ui::SaveFormPlacement(profile, ini, window));
    EXPECT_EQ(profile.keys(ini, section),
              (std::vector<std::wstring>{L"HEIGHT", L"WIDTH", L"WINDOWSTATE", L"MONITOR", L"TOP", L"LEFT",
                                         L"HEIGHT_SCALED", L"WIDTH_SCALED", L"DPI", L"SCALED"}));
    EXPECT_EQ(stored(section, L"HEIGHT_SCALED"), L"765");
    EXPECT_EQ(stored(section, L"HEIGHT"), L"510") << "the older pair is not updated";
    EXPECT_EQ(stored(section, L"WINDOWSTATE"), L"1");
    EXPECT_EQ(stored(section, L"SCALED"), L"1");
}

TEST_F(Placement, FirstStartOpensAtHundredHundredWithTheDesignedSize) {
    window.rect = {-32768, -32768, 300, 200};
    restore(true, 419, 510);
    EXPECT_EQ(window.rect.left, 100);
    EXPECT_EQ(window.rect.top, 100);
    EXPECT_EQ(window.rect.width, 419);
    EXPECT_EQ(window.rect.height, 510);
    EXPECT_EQ(window.state, WindowState::Normal);
}

TEST_F(Placement, KeepSizeIgnoresTheSavedSizeButTakesThePosition) {
    store(section, L"TOP", L"200");
    store(section, L"LEFT", L"300");
    store(section, L"HEIGHT", L"141");  // saved while compact
    store(section, L"WIDTH", L"50");
    restore(true, 419, 510);
    EXPECT_EQ(window.rect.left, 300);
    EXPECT_EQ(window.rect.top, 200);
    EXPECT_EQ(window.rect.height, 510);
    EXPECT_EQ(window.rect.width, 419);
}

TEST_F(Placement, WithoutKeepSizeTheSizePairOfTheScalingSwitchIsRead) {
    store(section, L"HEIGHT", L"300");
    store(section, L"WIDTH", L"350");
    restore(false);
    EXPECT_EQ(window.rect.height, 300);
    EXPECT_EQ(window.rect.width, 350);
    window.scaledOn = true;
    window.ppi = 144;
    restore(false, 419, 510);
    EXPECT_EQ(window.rect.height, 765) << "510 x 144 / 96 without a scaled pair";
    EXPECT_EQ(window.rect.width, 628) << "419 x 1.5 = 628.5, truncated";
}

TEST_F(Placement, RemovedSecondMonitorPutsTheWindowFlushIntoThePrimaryWorkArea) {
    store(section, L"MONITOR", L"1");
    store(section, L"LEFT", L"2500");  // on the second monitor, right of the first
    store(section, L"TOP", L"300");
    monitors.areas = {{{0, 0, 1920, 1040}}};
    restore();
    EXPECT_EQ(window.rect.left, 1920 - 419) << "flush with the right edge";
    EXPECT_EQ(window.rect.top, 300);
}

TEST_F(Placement, MonitorIndexIsThePlatformsOwnNotThePrimaryOne) {
    twoMonitorsPrimaryRight();
    store(section, L"MONITOR", L"0");
    store(section, L"LEFT", L"100");  // saved on the primary, now clamped into monitor 0
    store(section, L"TOP", L"100");
    restore();
    EXPECT_EQ(window.rect.left, -419);
    store(section, L"MONITOR", L"-1");
    restore();
    EXPECT_EQ(window.rect.left, 100) << "an invalid index takes the primary monitor";
    profile.eraseSection(ini, section);
    store(section, L"LEFT", L"-900");
    restore();
    EXPECT_EQ(window.rect.left, 0) << "no saved monitor: the primary one";
}

TEST_F(Placement, PositionUnderTheTaskBarMovesUpToTheWorkAreasBottom) {
    store(section, L"TOP", L"800");
    store(section, L"LEFT", L"10");
    restore();
    EXPECT_EQ(window.rect.top, 1040 - 510);
    EXPECT_EQ(window.rect.left, 10);
}

TEST_F(Placement, WindowLargerThanTheWorkAreaLinesUpRightAndBottom) {
    monitors.areas = {{{0, 0, 400, 480}}};
    store(section, L"TOP", L"5");
    store(section, L"LEFT", L"5");
    restore();
    EXPECT_EQ(window.rect.left, 400 - 419);
    EXPECT_EQ(window.rect.top, 480 - 510);
}

TEST_F(Placement, MaximisedReadsNoPositionAndSetsNoSizeButIsClamped) {
    store(section, L"WINDOWSTATE", L"2");
    store(section, L"TOP", L"500");
    store(section, L"LEFT", L"500");
    window.rect = {1800, 20, 419, 510};
    restore();
    EXPECT_EQ(window.state, WindowState::Maximized);
    EXPECT_EQ(window.rect.left, 1920 - 419);
    EXPECT_EQ(window.rect.top, 20);
}

TEST_F(Placement, NumbersThatAreNoIntegersReadAsDefaults) {
    store(section, L"TOP", L"oben");
    store(section, L"LEFT", L"12x");
    store(section, L"WINDOWSTATE", L"zwei");
    restore();
    EXPECT_EQ(window.rect.top, 100);
    EXPECT_EQ(window.rect.left, 100);
    EXPECT_EQ(window.state, WindowState::Normal);
}

// --- through the window's life cycle

TEST_F(Placement, StartRestoresThePositionAndEverySaveWritesItLast) {
    store(section, L"TOP", L"222");
    store(section, L"LEFT", L"333");
    store(L"A", L"Text1", L"x");
    auto& f = start();
    EXPECT_EQ(window.rect.top, 222);
    EXPECT_EQ(window.rect.left, 333);
    window.rect.left = 444;
    f.auto_fi.click();
    EXPECT_EQ(stored(section, L"LEFT"), L"444");
    EXPECT_EQ(profile.keys(ini, section).back(), L"SCALED");
}

TEST_F(Placement, UnwritableFileShowsOneWarningAndStillCloses) {
    store(L"A", L"Text1", L"x");
    auto& f = start();
    profile.setReadOnly(ini, true);
    f.FormCloseQuery();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].type, MessageType::Warning);
    EXPECT_EQ(dialogs.messages[0].text, text(TextId::KonfigNichtGesichert) + L"\n\r" +
                                            text(TextId::SchreibgeschuetztOderDoppelt));
}

TEST_F(Placement, FailedSaveWritesNoKeyOfThePlacement) {
    auto& f = start();
    window.rect.top = 77;
    profile.failWritesAfter(4 + 3);  // fewer than the save holds
    f.konfigspeichern();
    EXPECT_EQ(stored(section, L"TOP"), L"<missing>");
    EXPECT_EQ(stored(L"KONFIG", L"STYLENAME"), L"<missing>");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].type, MessageType::Warning);
}

}  // namespace

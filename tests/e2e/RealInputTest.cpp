// The main window's controls reached as the operator reaches them: mouse clicks, keys and
// the wheel through the system's input queue (SendInput), at positions taken from the
// controls' screen rectangles. Each case checks what the operator then sees or what is
// stored in KV.ini.
#include <chrono>

#include "E2eFixture.h"
#include "kvdriver/Dialogs.h"
#include "kvdriver/Input.h"
#include "kvdriver/Wine.h"

namespace kv::e2e {
namespace {

constexpr Millis kEffectTimeout{3000};
constexpr int kJingleMs = 6000;
const std::wstring kPlaying = L">>";
const std::wstring kIdle = L"(- -)";
const std::wstring kNotFound = L"Fehler : Datei nicht gefunden";

class RealInput : public E2eTest {
protected:
    void SetUp() override {
        createFolders(root() / L"media");
        ASSERT_TRUE(writeFileBytes(jingle(), toneWav(kJingleMs)));
        writeIni(L"[alpha]\r\nText1=Lang\r\nJingle1=" + jingle() + L"\r\nText2=Fehlt\r\nJingle2=" +
                 (root() / L"media\\nicht-da.wav") +
                 L"\r\nzentrixfadeoutin=0\r\nwinampfadeoutin=0\r\nmixerfadeoutin=0\r\n"
                 L"[Beta]\r\nText1=B eins\r\n"
                 L"[Zeta]\r\nText1=Z eins\r\n");
    }

    std::wstring jingle() const { return root() / L"media\\lang.wav"; }
    std::wstring logPath() const { return dataFolder() + L"\\KVLOG.LOG"; }

    // The program shown with its first category, its window in front for the input.
    KavintaWindow startInFront() {
        KavintaWindow window = startShown(standardData());
        if (window.hwnd() != nullptr) {
            EXPECT_TRUE(bringToFront(window.hwnd())) << "the main window does not come to the front";
        }
        return window;
    }

    // A click on control that leaves the keyboard focus there.
    static ::testing::AssertionResult clickToFocus(const KavintaWindow& window, HWND control) {
        if (!clickWindow(control)) return ::testing::AssertionFailure() << "the click was not sent";
        if (waitUntil([&] { return focusedWindow(window.hwnd()) == control; }, kEffectTimeout))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the focus is on class " << narrow(className(focusedWindow(window.hwnd())));
    }

    static bool waitChecked(const KavintaWindow& window, int id, bool checked) {
        return waitUntil([&] { return window.checked(id) == checked; }, kEffectTimeout);
    }

    static bool waitText(const KavintaWindow& window, int id, const std::wstring& text) {
        return waitUntil([&] { return window.text(id) == text; }, kEffectTimeout);
    }

    void finish(const KavintaWindow& window) {
        screenshot(window.hwnd());
        EXPECT_EQ(closeAndWait(window, process()), std::optional<DWORD>(0));
    }
};

TEST_F(RealInput, ClickOnASlotPlaysItAndASecondClickStopsIt) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_EQ(window.slotCaption(1), L"Lang");
    const HWND slot = window.control(ids::J1);

    const auto pressed = std::chrono::steady_clock::now();
    ASSERT_TRUE(clickWindow(slot));
    ASSERT_TRUE(waitText(window, ids::J1, kPlaying)) << "no playing marker after the click";
    EXPECT_TRUE(waitUntil([&] { return window.text(ids::Jinglestatus).starts_with(L"(spielt: "); }, kEffectTimeout))
        << "the monitor shows \"" << narrow(window.text(ids::Jinglestatus)) << "\"";
    EXPECT_TRUE(waitUntil([&] {
        const auto log = readFileBytes(logPath());
        return log && std::wstring(log->begin(), log->end()).find(L" lang.wav ") != std::wstring::npos;
    }, kEffectTimeout)) << "the play log has no line for the jingle";
    screenshot(window.hwnd(), L"-playing");

    ASSERT_TRUE(clickWindow(slot));
    EXPECT_TRUE(waitText(window, ids::J1, L"Lang")) << "the caption did not come back";
    EXPECT_TRUE(waitText(window, ids::Jinglestatus, kIdle));
    const auto stoppedAfter = std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - pressed);
    EXPECT_LT(stoppedAfter.count(), kJingleMs - 1000) << "the jingle ran to its end instead of stopping";
    finish(window);
}

TEST_F(RealInput, FunctionKeyFiresItsSlotAndTheStatusBarTellsTheMissingFile) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND status = window.control(ids::StatusBarMain);
    ASSERT_EQ(statusBarText(status, 0), L"");

    ASSERT_TRUE(pressKey(VK_F2));
    std::wstring shown;
    EXPECT_TRUE(waitUntil([&] { shown = statusBarText(status, 0); return shown == kNotFound; }, kEffectTimeout))
        << "status bar shows \"" << narrow(shown) << "\"";
    EXPECT_TRUE(waitText(window, ids::J1 + 1, L"Fehlt"));
    EXPECT_EQ(window.slotCaption(1), L"Lang") << "another slot fired";
    finish(window);
}

TEST_F(RealInput, RightClickOnASlotOpensTheFileDialog) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);

    ASSERT_TRUE(clickWindow(window.control(ids::J1 + 2), MouseButton::Right));
    const auto dialog = waitOpenDialog(process().pid(), kBoxTimeout);
    ASSERT_TRUE(dialog.has_value()) << "no open dialog after the right click";
    EXPECT_EQ(dialog->owner, window.hwnd());
    screenshot(dialog->hwnd, L"-dialog");
    ASSERT_TRUE(cancelDialog(dialog->hwnd));
    ASSERT_TRUE(waitDialogClosed(dialog->hwnd, kBoxTimeout));
    EXPECT_EQ(window.slotCaption(3), kUnbelegt);
    finish(window);
}

TEST_F(RealInput, NewCategoryNamedByTypingIntoTheQuery) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);

    ASSERT_TRUE(clickWindow(window.control(ids::KAT_neu)));
    const auto query = waitInputQuery(process().pid(), kBoxTimeout);
    ASSERT_TRUE(query.has_value()) << "no input query after the click on \"neu\"";
    EXPECT_EQ(query->caption, L"neue Kategorie");
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == query->hwnd; }, kEffectTimeout));
    // The query's text field has the focus with its proposal selected: typing replaces it.
    ASSERT_TRUE(typeText(L"Abend"));
    ASSERT_TRUE(pressKey(VK_RETURN));
    ASSERT_TRUE(waitDialogClosed(query->hwnd, kBoxTimeout));
    EXPECT_TRUE(waitUntil([&] { return window.currentCategory() == L"Abend"; }, kShowTimeout));
    EXPECT_EQ(window.categories(), (std::vector<std::wstring>{L"Abend", L"alpha", L"Beta", L"Zeta"}));
    EXPECT_EQ(window.slotCaptions(), std::vector<std::wstring>(12, kUnbelegt));
    finish(window);
}

TEST_F(RealInput, CheckBoxTogglesByClickAndBySpace) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND box = window.control(ids::auto_fo_vor);
    ASSERT_FALSE(window.checked(ids::auto_fo_vor));

    ASSERT_TRUE(clickToFocus(window, box));
    EXPECT_TRUE(waitChecked(window, ids::auto_fo_vor, true));
    EXPECT_TRUE(waitIniValue(L"alpha", L"fo1", L"1"));

    ASSERT_TRUE(pressKey(VK_SPACE));
    EXPECT_TRUE(waitChecked(window, ids::auto_fo_vor, false)) << "space did not toggle the check box";
    EXPECT_TRUE(waitIniValue(L"alpha", L"fo1", L"0"));
    finish(window);
}

TEST_F(RealInput, RadioButtonChosenByClick) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_FALSE(window.checked(ids::c_mfade_winamp));

    ASSERT_TRUE(clickWindow(window.control(ids::c_mfade_winamp)));
    EXPECT_TRUE(waitChecked(window, ids::c_mfade_winamp, true));
    EXPECT_TRUE(waitIniValue(L"alpha", L"winampfadeoutin", L"1"));
    ASSERT_TRUE(clickWindow(window.control(ids::c_mfade_mixer)));
    EXPECT_TRUE(waitChecked(window, ids::c_mfade_mixer, true));
    EXPECT_FALSE(window.checked(ids::c_mfade_winamp));
    EXPECT_TRUE(waitIniValue(L"alpha", L"mixerfadeoutin", L"1"));
    EXPECT_TRUE(waitIniValue(L"alpha", L"winampfadeoutin", L"0"));
    finish(window);
}

TEST_F(RealInput, RadioButtonChosenByArrowKey) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND winamp = window.control(ids::c_mfade_winamp);
    const HWND mixer = window.control(ids::c_mfade_mixer);
    ASSERT_TRUE(clickToFocus(window, winamp));
    ASSERT_TRUE(waitChecked(window, ids::c_mfade_winamp, true));

    ASSERT_TRUE(pressKey(VK_DOWN));
    ASSERT_TRUE(waitUntil([&] { return focusedWindow(window.hwnd()) == mixer; }, kEffectTimeout))
        << "the arrow key did not move to the next radio button";
    // Windows' button reports a click when a radio button that is not checked gets the focus;
    // Wine's does so only for automatic radio buttons (through the dialog keys' BM_CLICK).
    if (runsUnderWine() && (GetWindowLongW(mixer, GWL_STYLE) & BS_TYPEMASK) == BS_RADIOBUTTON) {
        finish(window);
        GTEST_SKIP() << "Wine does not choose a non-automatic radio button that gets the focus";
    }
    EXPECT_TRUE(waitChecked(window, ids::c_mfade_mixer, true)) << "the arrow key did not choose the next one";
    EXPECT_FALSE(window.checked(ids::c_mfade_winamp));
    EXPECT_TRUE(waitIniValue(L"alpha", L"mixerfadeoutin", L"1"));

    ASSERT_TRUE(pressKey(VK_UP));
    EXPECT_TRUE(waitChecked(window, ids::c_mfade_winamp, true));
    EXPECT_TRUE(waitIniValue(L"alpha", L"winampfadeoutin", L"1"));
    finish(window);
}

TEST_F(RealInput, TrackBarMovedByClickAndArrowKeys) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND track = window.control(ids::Fadeoutpos);
    ASSERT_EQ(trackBarPosition(track), 0);

    // A click on the channel right of the thumb moves it one page (10).
    ASSERT_TRUE(click(pointIn(track, 0.8, 0.5)));
    EXPECT_TRUE(waitUntil([&] { return trackBarPosition(track) == 10; }, kEffectTimeout))
        << "position " << trackBarPosition(track);
    EXPECT_TRUE(waitIniValue(L"alpha", L"fopos", L"10"));
    EXPECT_EQ(focusedWindow(window.hwnd()), track);

    ASSERT_TRUE(pressKey(VK_RIGHT));
    ASSERT_TRUE(pressKey(VK_RIGHT));
    EXPECT_TRUE(waitUntil([&] { return trackBarPosition(track) == 12; }, kEffectTimeout))
        << "position " << trackBarPosition(track);
    EXPECT_TRUE(waitIniValue(L"alpha", L"fopos", L"12"));
    ASSERT_TRUE(pressKey(VK_LEFT));
    EXPECT_TRUE(waitUntil([&] { return trackBarPosition(track) == 11; }, kEffectTimeout))
        << "position " << trackBarPosition(track);
    EXPECT_TRUE(waitIniValue(L"alpha", L"fopos", L"11"));
    finish(window);
}

TEST_F(RealInput, TrackBarMovedByTheWheel) {
    if (runsUnderWine()) GTEST_SKIP() << "Wine's track bar does not handle the mouse wheel";
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND track = window.control(ids::Fadeoutpos);
    ASSERT_TRUE(click(pointIn(track, 0.8, 0.5)));  // focus and position 10
    ASSERT_TRUE(waitUntil([&] { return trackBarPosition(track) == 10; }, kEffectTimeout));

    // How far and which way a notch moves the thumb is the system's choice.
    ASSERT_TRUE(turnWheel(pointIn(track), -1));
    EXPECT_TRUE(waitUntil([&] { return trackBarPosition(track) != 10; }, kEffectTimeout))
        << "the wheel left the position at 10";
    EXPECT_TRUE(waitIniValue(L"alpha", L"fopos", std::to_wstring(trackBarPosition(track))));
    finish(window);
}

TEST_F(RealInput, SpinEditChangedByTypingButtonAndArrowKey) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND edit = window.control(ids::jingleendezeit);
    const HWND upDown = upDownOf(edit);
    ASSERT_NE(upDown, nullptr) << "the spin edit has no up-down control";
    ASSERT_EQ(window.text(ids::jingleendezeit), L"0");

    ASSERT_TRUE(clickToFocus(window, edit));
    ASSERT_TRUE(pressKey(VK_END));
    ASSERT_TRUE(pressKey(VK_BACK));
    ASSERT_TRUE(typeText(L"250"));
    EXPECT_TRUE(waitText(window, ids::jingleendezeit, L"250"));
    EXPECT_TRUE(waitIniValue(L"alpha", L"jingleendezeit", L"250"));

    ASSERT_TRUE(click(pointIn(upDown, 0.5, 0.25)));
    EXPECT_TRUE(waitText(window, ids::jingleendezeit, L"251")) << "shows " << narrow(window.text(ids::jingleendezeit));
    EXPECT_TRUE(waitIniValue(L"alpha", L"jingleendezeit", L"251"));

    ASSERT_TRUE(clickToFocus(window, edit));
    ASSERT_TRUE(pressKey(VK_DOWN));
    ASSERT_TRUE(pressKey(VK_DOWN));
    EXPECT_TRUE(waitText(window, ids::jingleendezeit, L"249")) << "shows " << narrow(window.text(ids::jingleendezeit));
    EXPECT_TRUE(waitIniValue(L"alpha", L"jingleendezeit", L"249"));
    finish(window);
}

TEST_F(RealInput, CategoryBoxOpenedByClickAndPickedByKeyboard) {
    KavintaWindow window = startInFront();
    ASSERT_NE(window.hwnd(), nullptr);
    const HWND box = window.control(ids::kategorie);
    ASSERT_EQ(window.currentCategory(), L"alpha");

    ASSERT_TRUE(clickWindow(box));
    ASSERT_TRUE(waitUntil([&] { return comboDropped(box); }, kEffectTimeout)) << "the click did not open the list";
    screenshot(window.hwnd(), L"-open");
    ASSERT_TRUE(pressKey(VK_DOWN));
    ASSERT_TRUE(pressKey(VK_RETURN));
    EXPECT_TRUE(waitUntil([&] { return !comboDropped(box); }, kEffectTimeout)) << "Enter did not close the list";
    EXPECT_TRUE(waitText(window, ids::J1, L"B eins")) << "Beta was not loaded";
    EXPECT_EQ(window.currentCategory(), L"Beta");

    // Escape closes the open list and leaves the category as it was.
    ASSERT_TRUE(clickWindow(box));
    ASSERT_TRUE(waitUntil([&] { return comboDropped(box); }, kEffectTimeout));
    ASSERT_TRUE(pressKey(VK_ESCAPE));
    EXPECT_TRUE(waitUntil([&] { return !comboDropped(box); }, kEffectTimeout));
    EXPECT_EQ(window.currentCategory(), L"Beta");

    // With the list closed, the arrow key picks the next category straight away.
    ASSERT_EQ(focusedWindow(window.hwnd()), box);
    ASSERT_TRUE(pressKey(VK_DOWN));
    EXPECT_TRUE(waitText(window, ids::J1, L"Z eins")) << "Zeta was not loaded";
    EXPECT_EQ(window.currentCategory(), L"Zeta");
    finish(window);
}

}  // namespace
}  // namespace kv::e2e

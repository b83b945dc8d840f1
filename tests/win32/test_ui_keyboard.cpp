// The main window for the keyboard and for screen readers: the classes and style bits that
// let the system's accessibility describe each control, the focus at start and the Tab
// order, the radio group under the arrow keys, the context-menu key on a slot, the glyph
// buttons' names and focus mark, the name of a playing slot, and high contrast.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "ui/ControlIds.h"
#include "ui/MainUnit.h"
#include "ui/win32/AccessibleNames.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/MainWindow.h"
#include "WindowQueries.h"

using kv::test::classOf;
using kv::test::styleOf;
using kv::test::windowText;

namespace {

using namespace kv;
using namespace kv::ui;

bool hasStyle(HWND window, LONG_PTR bits) { return (styleOf(window) & bits) == bits; }

// Records the names the views give to screen readers.
class RecordingNames final : public win32::AccessibleNames {
public:
    struct Call {
        HWND window;
        std::wstring name;  // empty: cleared
    };
    std::vector<Call> calls;
    bool setName(HWND window, const std::wstring& name) override {
        calls.push_back({window, name});
        return true;
    }
    void clearName(HWND window) override { calls.push_back({window, L""}); }
};

// Holds the keyboard state of this thread (what GetKeyState answers) for its lifetime.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        for (int key : keys) state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256] = {};
};

class KeyboardTest : public test::MainWindowFixture {
protected:
    RecordingNames names;

    void attach(win32::Win32MainWindow& w) override { w.setAccessibleNames(&names); }
    // ... with one category, loaded by the start timer.
    void createWithCategory() {
        profile.set(ini, L"Werbung", L"Text1", L"Spot");
        create(SW_SHOW);
        ASSERT_TRUE(pumpUntil([&] { return form->kategorie.itemIndex() == 0; }));
    }
    // A key pressed and released on the focused control, through the message loop.
    void press(UINT key) {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        pump();
    }
};

// --- What the system's accessibility reads from the windows

struct Expected {
    int id;
    const wchar_t* className;
    LONG_PTR buttonType;  // BS_* for buttons, -1 otherwise
};

TEST_F(KeyboardTest, EveryControlHasTheClassAndStyleItsKindIsDescribedBy) {
    create(SW_HIDE);
    const Expected expected[] = {
        {ids::Label3, L"Static", -1},
        {ids::KAT_neu, L"Button", BS_PUSHBUTTON},
        {ids::Kat_loeschen, L"Button", BS_PUSHBUTTON},
        {ids::box_main, L"Button", BS_GROUPBOX},
        {ids::fensterkleingross, L"Button", BS_OWNERDRAW},
        {ids::c_mfade_Zentrix, L"Button", BS_AUTORADIOBUTTON},
        {ids::c_mfade_winamp, L"Button", BS_AUTORADIOBUTTON},
        {ids::c_mfade_mixer, L"Button", BS_AUTORADIOBUTTON},
        {ids::auto_fo_mit, L"Button", BS_AUTOCHECKBOX},
        {ids::auto_fo_vor, L"Button", BS_AUTOCHECKBOX},
        {ids::auto_fi, L"Button", BS_AUTOCHECKBOX},
        {ids::auto_crossfade, L"Button", BS_AUTOCHECKBOX},
        {ids::jingleendezeit, L"Edit", -1},
        {ids::Fadeoutpos, L"msctls_trackbar32", -1},
        {ids::jingletimereinaus, L"Button", BS_AUTOCHECKBOX},
        {ids::jingletimerval, L"Edit", -1},
        {ids::c_fensterimvordergrund, L"Button", BS_AUTOCHECKBOX},
        {ids::c_fensterskalieren, L"Button", BS_AUTOCHECKBOX},
        {ids::B_lng_DE, L"Button", BS_OWNERDRAW},
        {ids::B_lng_EN, L"Button", BS_OWNERDRAW},
        {ids::b_styleanwenden, L"Button", BS_PUSHBUTTON},
        {ids::B_info, L"Button", BS_PUSHBUTTON},
        {ids::datenpfadlabel, L"Static", -1},
        {ids::StatusBarMain, L"msctls_statusbar32", -1},
    };
    for (const Expected& e : expected) {
        HWND c = child(e.id);
        ASSERT_NE(c, nullptr) << "control id " << e.id;
        EXPECT_EQ(_wcsicmp(classOf(c).c_str(), e.className), 0) << "control id " << e.id << ": " << classOf(c).size();
        if (e.buttonType >= 0) {
            EXPECT_EQ(styleOf(c) & BS_TYPEMASK, e.buttonType) << "control id " << e.id;
        }
    }
    for (int id = ids::J1; id <= ids::J12; ++id) {
        EXPECT_EQ(_wcsicmp(classOf(child(id)).c_str(), L"Button"), 0);
        EXPECT_EQ(styleOf(child(id)) & BS_TYPEMASK, BS_PUSHBUTTON) << "slot id " << id;
    }
    // The spin edits' arrows are up-down controls beside their edits.
    for (int id : {ids::jingleendezeit, ids::jingletimerval}) {
        HWND arrows = GetWindow(child(id), GW_HWNDNEXT);
        EXPECT_EQ(_wcsicmp(classOf(arrows).c_str(), UPDOWN_CLASSW), 0) << "beside control id " << id;
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows, UDM_GETBUDDY, 0, 0)), child(id));
    }
    // The combo boxes: the system's drop-down list box.
    for (int id : {ids::kategorie, ids::cb_mfade_mixer, ids::cbStyle}) {
        HWND box = child(id);
        EXPECT_EQ(_wcsicmp(classOf(box).c_str(), WC_COMBOBOXW), 0) << "control id " << id;
        EXPECT_EQ(styleOf(box) & 0x3, CBS_DROPDOWNLIST) << "control id " << id;
    }
}

TEST_F(KeyboardTest, CheckBoxAndRadioButtonStatesAreReadableFromTheirWindows) {
    create(SW_HIDE);
    form->auto_fi.setChecked(true);
    EXPECT_EQ(SendMessageW(child(ids::auto_fi), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(child(ids::auto_fi), BM_CLICK, 0, 0);  // as the default action of its proxy
    EXPECT_FALSE(form->auto_fi.checked());
    EXPECT_EQ(SendMessageW(child(ids::auto_fi), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    form->c_mfade_winamp.setChecked(true);
    SendMessageW(child(ids::c_mfade_mixer), BM_CLICK, 0, 0);
    EXPECT_TRUE(form->c_mfade_mixer.checked());
    EXPECT_FALSE(form->c_mfade_winamp.checked());
    EXPECT_EQ(SendMessageW(child(ids::c_mfade_mixer), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(child(ids::c_mfade_winamp), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// --- Focus, Tab and the radio group

TEST_F(KeyboardTest, FocusStartsOnTheCategoryBoxAndComesBackAfterAnotherWindow) {
    create(SW_SHOW);
    ASSERT_EQ(GetActiveWindow(), main()) << "the shown window is active";
    EXPECT_EQ(GetFocus(), child(ids::kategorie));

    SetFocus(child(ids::auto_fi));
    HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetActiveWindow(other);
    pump();
    ASSERT_NE(GetFocus(), child(ids::auto_fi));
    DestroyWindow(other);
    SetActiveWindow(main());
    pump();
    EXPECT_EQ(GetFocus(), child(ids::auto_fi)) << "the control that had the focus has it again";
}

TEST_F(KeyboardTest, TabWalksTheControlsInCreationOrderAndEntersTheRadioGroupOnce) {
    createWithCategory();
    form->c_mfade_winamp.setChecked(true);  // the group is entered at its checked button
    form->cb_mfade_mixer.setEnabled(true);
    ASSERT_EQ(GetFocus(), child(ids::kategorie));
    std::vector<int> expected{ids::kategorie, ids::KAT_neu, ids::Kat_loeschen};
    for (int id = ids::J1; id <= ids::J12; ++id) expected.push_back(id);
    for (int id : {ids::fensterkleingross, ids::c_mfade_winamp, ids::cb_mfade_mixer, ids::auto_fo_mit,
                   ids::auto_fo_vor, ids::auto_fi, ids::auto_crossfade, ids::jingleendezeit, ids::Fadeoutpos,
                   ids::jingletimereinaus, ids::jingletimerval, ids::c_fensterimvordergrund,
                   ids::c_fensterskalieren, ids::B_lng_DE, ids::B_lng_EN, ids::cbStyle, ids::b_styleanwenden,
                   ids::B_info, ids::kategorie})
        expected.push_back(id);

    std::vector<int> walked{GetDlgCtrlID(GetFocus())};
    for (size_t i = 1; i < expected.size(); ++i) {
        press(VK_TAB);
        walked.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(walked, expected);

    // Shift+Tab goes back.
    {
        const HeldKeys shift{VK_SHIFT};
        press(VK_TAB);
    }
    EXPECT_EQ(GetFocus(), child(ids::B_info));
}

TEST_F(KeyboardTest, ArrowKeysMoveInsideTheRadioGroupAndRunItsHandlerOncePerMove) {
    createWithCategory();
    ASSERT_TRUE(form->c_mfade_Zentrix.checked());
    int handled = 0;
    for (RadioButton* radio : {&form->c_mfade_Zentrix, &form->c_mfade_winamp, &form->c_mfade_mixer})
        radio->onClick = [&] { ++handled; };
    EXPECT_TRUE(hasStyle(child(ids::c_mfade_Zentrix), WS_GROUP));
    EXPECT_FALSE(hasStyle(child(ids::c_mfade_winamp), WS_GROUP));
    EXPECT_FALSE(hasStyle(child(ids::c_mfade_mixer), WS_GROUP));
    EXPECT_TRUE(hasStyle(child(ids::cb_mfade_mixer), WS_GROUP)) << "the control after the group ends it";

    SetFocus(child(ids::c_mfade_Zentrix));
    press(VK_DOWN);
    EXPECT_EQ(GetFocus(), child(ids::c_mfade_winamp));
    EXPECT_TRUE(form->c_mfade_winamp.checked());
    EXPECT_FALSE(form->c_mfade_Zentrix.checked());
    EXPECT_EQ(handled, 1);
    press(VK_DOWN);
    EXPECT_EQ(GetFocus(), child(ids::c_mfade_mixer));
    EXPECT_TRUE(form->c_mfade_mixer.checked());
    EXPECT_EQ(handled, 2);
    press(VK_DOWN);
    EXPECT_EQ(GetFocus(), child(ids::c_mfade_Zentrix)) << "the arrows stay inside the group";
    EXPECT_TRUE(form->c_mfade_Zentrix.checked());
    press(VK_UP);
    EXPECT_EQ(GetFocus(), child(ids::c_mfade_mixer));
    EXPECT_EQ(handled, 4);
    EXPECT_EQ(SendMessageW(child(ids::c_mfade_mixer), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(child(ids::c_mfade_Zentrix), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(hasStyle(child(ids::c_mfade_mixer), WS_TABSTOP));
    EXPECT_FALSE(hasStyle(child(ids::c_mfade_Zentrix), WS_TABSTOP)) << "Tab reaches the checked one only";
}

// --- The context-menu key on a slot

TEST_F(KeyboardTest, ContextKeyOnASlotAssignsItAsTheRightButtonDoesOnceTheKeyIsDone) {
    createWithCategory();
    files.addFile(L"C:\\Jingles\\Intro Morgen.mp3");
    dialogs.openAnswers.push_back(L"C:\\Jingles\\Intro Morgen.mp3");
    dialogs.acceptQuery();
    HWND j3 = child(ids::J1 + 2);
    SetFocus(j3);
    PostMessageW(j3, WM_KEYDOWN, VK_APPS, 1);
    PostMessageW(j3, WM_KEYUP, VK_APPS, 0xC0000001);
    pump();
    ASSERT_EQ(dialogs.openFilters.size(), 1u) << "the open dialog";
    ASSERT_EQ(dialogs.queries.size(), 1u) << "the caption query";
    EXPECT_EQ(dialogs.queries[0].caption, L"Jingle ändern");
    EXPECT_EQ(dialogs.queries[0].initial, L"Intro Morgen");
    EXPECT_EQ(form->slot(3).text(), L"Intro Morgen");
    EXPECT_EQ(form->slot(3).hint(), L"C:\\Jingles\\Intro Morgen.mp3");
    EXPECT_EQ(profile.get(ini, L"Werbung", L"Text3"), L"Intro Morgen") << "saved";
    EXPECT_EQ(windowText(j3), L"Intro Morgen");

    // Whatever brings the key's message, the handler runs from the window's own message.
    SendMessageW(main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(j3), static_cast<LPARAM>(-1));
    EXPECT_EQ(dialogs.openFilters.size(), 1u) << "not inside the key's message";
    pump();
    EXPECT_EQ(dialogs.openFilters.size(), 2u);
}

TEST_F(KeyboardTest, ShiftF10OnASlotAssignsItAndFiresNoSlot) {
    createWithCategory();
    int fired = 0;
    for (int n = 1; n <= TKavintamainform::kSlotCount; ++n) form->slot(n).onClick = [&](Button&) { ++fired; };
    HWND j3 = child(ids::J1 + 2);
    SetFocus(j3);
    {
        const HeldKeys shift{VK_SHIFT};
        PostMessageW(j3, WM_SYSKEYDOWN, VK_F10, 1);
        PostMessageW(j3, WM_SYSKEYUP, VK_F10, 0xC0000001);
        pump();
    }
    EXPECT_EQ(fired, 0) << "Shift+F10 is not F10";
    EXPECT_EQ(dialogs.openFilters.size(), 1u) << "the open dialog, as for a right click";
    EXPECT_EQ(dialogs.openInitialDirs.front(), L"");

    // F10 alone still fires slot 10.
    PostMessageW(j3, WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageW(j3, WM_SYSKEYUP, VK_F10, 0xC0000001);
    pump();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(dialogs.openFilters.size(), 1u);
}

TEST_F(KeyboardTest, ContextKeyOnASlotWithoutCategoryAsksForOne) {
    create(SW_SHOW);
    HWND j2 = child(ids::J1 + 1);
    SetFocus(j2);
    PostMessageW(j2, WM_KEYDOWN, VK_APPS, 1);
    PostMessageW(j2, WM_KEYUP, VK_APPS, 0xC0000001);
    pump();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, L"Bitte erst Kategorie anlegen!");
    EXPECT_TRUE(dialogs.openFilters.empty());
}

TEST_F(KeyboardTest, ContextKeyOnAnotherButtonDoesNothing) {
    createWithCategory();
    SetFocus(child(ids::KAT_neu));
    press(VK_APPS);
    EXPECT_TRUE(dialogs.openFilters.empty());
    EXPECT_TRUE(dialogs.queries.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

// --- The glyph buttons

// The picture an owner-drawn button's view draws for the given state, on a bitmap.
std::vector<COLORREF> drawnPicture(HWND main, HWND button, UINT state) {
    RECT r{};
    GetClientRect(button, &r);
    HDC screen = GetDC(main);
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen));
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, r.right, r.bottom));
    ReleaseDC(main, screen);
    HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(button));
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button;
    item.hDC = dc.get();
    item.rcItem = r;
    SendMessageW(main, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
    SelectObject(dc.get(), old);
    return pixels;
}

TEST_F(KeyboardTest, GlyphButtonsAreNamedReachableAndPressedFromTheKeyboard) {
    create(SW_SHOW);
    EXPECT_EQ(windowText(child(ids::fensterkleingross)), L"Fenster verkleinern/vergrößern");
    EXPECT_EQ(windowText(child(ids::B_lng_DE)), L"Deutsch");
    EXPECT_EQ(windowText(child(ids::B_lng_EN)), L"English");
    int clicks = 0;
    for (SpeedButton* b : {&form->fensterkleingross, &form->B_lng_DE, &form->B_lng_EN}) {
        EXPECT_TRUE(hasStyle(child(b->id()), WS_TABSTOP)) << b->name();
        b->onClick = [&](Button&) { ++clicks; };
    }
    SetFocus(child(ids::B_lng_EN));
    press(VK_SPACE);
    EXPECT_EQ(clicks, 1) << "the space bar presses the focused glyph button";
}

TEST_F(KeyboardTest, GlyphButtonShowsAFocusMarkOnlyWhileFocusCuesShow) {
    create(SW_SHOW);
    HWND flag = child(ids::B_lng_DE);
    const auto plain = drawnPicture(main(), flag, 0);
    const auto focused = drawnPicture(main(), flag, ODS_FOCUS);
    EXPECT_NE(focused, plain) << "the focus mark";
    EXPECT_EQ(drawnPicture(main(), flag, ODS_FOCUS | ODS_NOFOCUSRECT), plain) << "cues hidden by the button";
    // The window's own cue state, as WM_CHANGEUISTATE leaves it, where the system keeps one.
    SendMessageW(main(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    std::printf("UI state of the glyph button after UIS_SET UISF_HIDEFOCUS: %ld\n",
                static_cast<long>(SendMessageW(flag, WM_QUERYUISTATE, 0, 0)));
    if (SendMessageW(flag, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) {
        EXPECT_EQ(drawnPicture(main(), flag, ODS_FOCUS), plain) << "cues hidden for the window";
    }
    SendMessageW(main(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_EQ(SendMessageW(flag, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);
    EXPECT_EQ(drawnPicture(main(), flag, ODS_FOCUS), focused);
}

// --- The name of a playing slot

TEST_F(KeyboardTest, PlayingSlotIsNamedByItsCaptionAndThatItPlays) {
    createWithCategory();
    names.calls.clear();
    HWND j1 = child(ids::J1);
    form->slot(1).setMarker(L">>");
    EXPECT_EQ(windowText(j1), L">>") << "the window shows the marker";
    ASSERT_EQ(names.calls.size(), 1u);
    EXPECT_EQ(names.calls[0].window, j1);
    EXPECT_EQ(names.calls[0].name, L"Spot \u2013 spielt");

    form->kategorieChange();  // the reload after the jingle clears the marker
    EXPECT_EQ(windowText(j1), L"Spot");
    ASSERT_EQ(names.calls.size(), 2u);
    EXPECT_EQ(names.calls[1].window, j1);
    EXPECT_EQ(names.calls[1].name, L"") << "the annotation is cleared";
    form->kategorieChange();
    EXPECT_EQ(names.calls.size(), 2u) << "nothing to clear twice";
}

TEST_F(KeyboardTest, SlotFiredByItsKeyIsAnnotatedAndClearedWhenTheWindowGoes) {
    createWithCategory();
    names.calls.clear();
    PostMessageW(main(), WM_KEYDOWN, VK_F1, 0);
    pump();
    ASSERT_FALSE(names.calls.empty());
    EXPECT_EQ(names.calls.back().name, L"Spot \u2013 spielt");
    HWND j1 = child(ids::J1);
    window.reset();
    ASSERT_FALSE(names.calls.empty());
    EXPECT_EQ(names.calls.back().window, j1);
    EXPECT_EQ(names.calls.back().name, L"") << "cleared with the window";
}

// The system's service for the annotation: under COM it must either take the name or say
// that it could not, never break the window.
TEST(AccPropAccessibleNamesTest, SetsAndClearsTheNameOrReportsThatItCannot) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        win32::UniqueWindow button(CreateWindowExW(0, L"BUTTON", L">>", WS_POPUP | BS_PUSHBUTTON, 0, 0, 60, 20,
                                                   nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(button);
        win32::AccPropAccessibleNames names;
        const bool set = names.setName(button.get(), L"Spot \u2013 spielt");
        EXPECT_EQ(set, SUCCEEDED(names.lastResult()));
        ::testing::Test::RecordProperty("SetHwndPropStr", std::to_string(static_cast<unsigned long>(names.lastResult())));
        std::printf("IAccPropServices::SetHwndPropStr: 0x%08lx\n", static_cast<unsigned long>(names.lastResult()));
        names.clearName(button.get());
        std::printf("IAccPropServices::ClearHwndProps: 0x%08lx\n", static_cast<unsigned long>(names.lastResult()));
        EXPECT_EQ(windowText(button.get()), L">>") << "the window text stays";
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

TEST(AccPropAccessibleNamesTest, WithoutComNothingIsSetAndNothingBreaks) {
    win32::UniqueWindow button(CreateWindowExW(0, L"BUTTON", L">>", WS_POPUP | BS_PUSHBUTTON, 0, 0, 60, 20, nullptr,
                                               nullptr, nullptr, nullptr));
    win32::AccPropAccessibleNames names;
    // This test thread has no apartment of its own.
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        CoUninitialize();
        CoUninitialize();
    }
    EXPECT_FALSE(names.setName(button.get(), L"x"));
    names.clearName(button.get());
    EXPECT_EQ(windowText(button.get()), L">>");
}

// --- High contrast

struct TextColours {
    COLORREF text;
    COLORREF back;
    HBRUSH brush;
};

TextColours coloursFor(HWND main, UINT message, HWND control) {
    HDC dc = GetDC(main);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(main, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    const TextColours result{GetTextColor(dc), GetBkColor(dc), brush};
    ReleaseDC(main, dc);
    return result;
}

// System colours as a high-contrast scheme sets them (white on black), restored afterwards.
class HighContrastColours {
public:
    HighContrastColours() {
        for (int i = 0; i < kCount; ++i) saved_[i] = GetSysColor(kElements[i]);
        const COLORREF scheme[kCount] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)};
        SetSysColors(kCount, kElements, scheme);
    }
    ~HighContrastColours() { SetSysColors(kCount, kElements, saved_); }
    HighContrastColours(const HighContrastColours&) = delete;
    HighContrastColours& operator=(const HighContrastColours&) = delete;

private:
    static constexpr int kCount = 3;
    static constexpr INT kElements[kCount] = {COLOR_WINDOWTEXT, COLOR_3DFACE, COLOR_BTNTEXT};
    COLORREF saved_[kCount] = {};
};

TEST_F(KeyboardTest, WithHighContrastTextsAndBackgroundsTakeTheSystemsColours) {
    bool high = false;
    const HighContrastColours scheme;
    create(SW_HIDE);
    window->setHighContrastQuery([&] { return high; });
    EXPECT_EQ(coloursFor(main(), WM_CTLCOLORSTATIC, child(ids::datenpfadlabel)).text, static_cast<COLORREF>(kNavy));

    high = true;
    SendMessageW(main(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    ASSERT_TRUE(window->highContrast());
    for (int id : {ids::datenpfadlabel, ids::Jinglestatus, ids::Label1, ids::Label3}) {
        const TextColours c = coloursFor(main(), WM_CTLCOLORSTATIC, child(id));
        EXPECT_EQ(c.text, GetSysColor(COLOR_WINDOWTEXT)) << "control id " << id;
        EXPECT_EQ(c.back, GetSysColor(COLOR_3DFACE)) << "control id " << id;
        EXPECT_EQ(c.brush, GetSysColorBrush(COLOR_3DFACE)) << "control id " << id;
    }
    for (int id : {ids::auto_fi, ids::c_mfade_mixer, ids::J1}) {
        const TextColours c = coloursFor(main(), WM_CTLCOLORBTN, child(id));
        EXPECT_EQ(c.text, GetSysColor(COLOR_WINDOWTEXT)) << "control id " << id;
        EXPECT_EQ(c.brush, GetSysColorBrush(COLOR_3DFACE)) << "control id " << id;
    }

    // The compact toggle's grey and black picture takes the face and text colours; the
    // flags stay pictures.
    auto count = [](const std::vector<COLORREF>& pixels, COLORREF colour) {
        return std::count(pixels.begin(), pixels.end(), colour);
    };
    const auto toggle = drawnPicture(main(), child(ids::fensterkleingross), 0);
    EXPECT_EQ(count(toggle, RGB(192, 192, 192)), 0) << "no fixed grey";
    EXPECT_GT(count(toggle, GetSysColor(COLOR_BTNTEXT)), 20) << "the arrows in the text colour";
    EXPECT_GT(count(drawnPicture(main(), child(ids::B_lng_DE), 0), RGB(0, 0, 0)), 100) << "the flag's black stripe";

    high = false;
    SendMessageW(main(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_GT(count(drawnPicture(main(), child(ids::fensterkleingross), 0), RGB(192, 192, 192)), 20);
    EXPECT_FALSE(window->highContrast());
    EXPECT_EQ(coloursFor(main(), WM_CTLCOLORSTATIC, child(ids::datenpfadlabel)).text, static_cast<COLORREF>(kNavy));
}

}  // namespace

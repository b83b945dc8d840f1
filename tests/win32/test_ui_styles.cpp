// The main window in the built-in styles: every control stays the system control of its
// kind (class and kind bits, what screen readers go by) in every look, the combo boxes are
// created again without losing anything when the look changes, every control kind is drawn
// in the style's colours on the screen and in the system's again after "Windows", and high
// contrast wins over any style.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "ui/ControlIds.h"
#include "ui/MainUnit.h"
#include "ui/StyleEngine.h"
#include "ui/win32/AccessibleNames.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/StyleLook.h"
#include "WindowQueries.h"

using kv::test::classOf;
using kv::test::styleOf;
using kv::test::windowText;

namespace {

using namespace kv;
using namespace kv::ui;

const wchar_t* const kLight = L"Light";
const wchar_t* const kDark = L"Carbon";
const wchar_t* const kTinted = L"Windows10 Blue";


class RecordingNames final : public win32::AccessibleNames {
public:
    std::map<HWND, std::wstring> names;  // the name each window has now
    bool setName(HWND window, const std::wstring& name) override {
        names[window] = name;
        return true;
    }
    void clearName(HWND window) override { names.erase(window); }
};

// How often each colour shows in a child's window on the screen.
std::map<COLORREF, int> coloursOf(HWND child) {
    RECT r{};
    GetClientRect(child, &r);
    std::map<COLORREF, int> counts;
    HDC dc = GetDC(child);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) ++counts[GetPixel(dc, x, y)];
    ReleaseDC(child, dc);
    return counts;
}

COLORREF mostCommon(const std::map<COLORREF, int>& counts) {
    COLORREF best = CLR_INVALID;
    int most = 0;
    for (const auto& [colour, n] : counts)
        if (n > most) {
            most = n;
            best = colour;
        }
    return best;
}

int countOf(const std::map<COLORREF, int>& counts, COLORREF colour) {
    const auto it = counts.find(colour);
    return it == counts.end() ? 0 : it->second;
}

class StylesTest : public test::MainWindowFixture {
protected:
    StyleEngine engine{win32::systemButtonTextColor};
    RecordingNames names;
    bool highContrast = false;

    StylesTest() { win32::loadBuiltinStyles(engine, GetModuleHandleW(nullptr)); }
    void attach(win32::Win32MainWindow& w) override {
        w.setAccessibleNames(&names);
        w.setHighContrastQuery([this] { return highContrast; });
        w.setStyles(&engine);
        engine.onChanged = [this] { window->styleChanged(); };
    }
    // As the program starts: the looks given before the form's creation, one category.
    void createStyled(int showCommand = SW_SHOWNOACTIVATE) {
        profile.set(ini, L"Werbung", L"Text1", L"Spot");
        create(showCommand);
        ASSERT_TRUE(pumpUntil([&] { return form->kategorie.itemIndex() == 0; }));
        SetWindowPos(main(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        settle();
    }
    void use(const wchar_t* name) {
        ASSERT_TRUE(engine.switchTo(name)) << name;
        settle();
    }
    void setHighContrast(bool on) {
        highContrast = on;
        window->setHighContrastQuery([this] { return highContrast; });
        settle();
    }
    // Everything invalidated is painted.
    void settle() {
        pump();
        RedrawWindow(main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        pump();
    }
    COLORREF colour(StyleRole role) const {
        const StyleColour& c = engine.active()->colour(role);
        return RGB(c.r, c.g, c.b);
    }
    HWND arrowsOf(int spinId) const { return GetWindow(child(spinId), GW_HWNDNEXT); }
    std::vector<std::wstring> entriesOf(HWND box) const {
        std::vector<std::wstring> entries;
        const auto count = SendMessageW(box, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[128] = {};
            SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.emplace_back(text);
        }
        return entries;
    }
};

struct Kind {
    int id;
    const wchar_t* className;
    LONG_PTR buttonType;  // BS_* for buttons, -1 otherwise
};

const Kind kKinds[] = {
    {ids::Label3, L"Static", -1},
    {ids::KAT_neu, L"Button", BS_PUSHBUTTON},
    {ids::box_main, L"Button", BS_GROUPBOX},
    {ids::GroupBox2, L"Button", BS_GROUPBOX},
    {ids::fensterkleingross, L"Button", BS_OWNERDRAW},  // a glyph button has no caption to draw
    {ids::c_mfade_Zentrix, L"Button", BS_AUTORADIOBUTTON},
    {ids::c_mfade_mixer, L"Button", BS_AUTORADIOBUTTON},
    {ids::auto_fi, L"Button", BS_AUTOCHECKBOX},
    {ids::c_fensterskalieren, L"Button", BS_AUTOCHECKBOX},
    {ids::jingleendezeit, L"Edit", -1},
    {ids::jingletimerval, L"Edit", -1},
    {ids::Fadeoutpos, L"msctls_trackbar32", -1},
    {ids::Panel1, L"Static", -1},
    {ids::b_styleanwenden, L"Button", BS_PUSHBUTTON},
    {ids::StatusBarMain, L"msctls_statusbar32", -1},
};

// --- What screen readers go by, in every look

TEST_F(StylesTest, EveryControlKeepsItsSystemClassAndKindInEveryLook) {
    createStyled();
    for (const wchar_t* look : {kLight, kDark, kTinted, L"Windows"}) {
        use(look);
        SCOPED_TRACE(std::string(look, look + wcslen(look)));
        for (const Kind& k : kKinds) {
            HWND c = child(k.id);
            ASSERT_NE(c, nullptr) << "control id " << k.id;
            EXPECT_EQ(_wcsicmp(classOf(c).c_str(), k.className), 0) << "control id " << k.id;
            if (k.buttonType >= 0) {
                EXPECT_EQ(styleOf(c) & BS_TYPEMASK, k.buttonType) << "control id " << k.id;
            }
        }
        for (int id = ids::J1; id <= ids::J12; ++id)
            EXPECT_EQ(styleOf(child(id)) & BS_TYPEMASK, BS_PUSHBUTTON) << "slot id " << id;
        for (int id : {ids::jingleendezeit, ids::jingletimerval})
            EXPECT_EQ(_wcsicmp(classOf(arrowsOf(id)).c_str(), UPDOWN_CLASSW), 0) << "beside control id " << id;
        const bool styled = engine.active() != nullptr;
        for (int id : {ids::kategorie, ids::cb_mfade_mixer, ids::cbStyle}) {
            HWND box = child(id);
            EXPECT_EQ(_wcsicmp(classOf(box).c_str(), WC_COMBOBOXW), 0) << "control id " << id;
            EXPECT_EQ(styleOf(box) & 0x3, CBS_DROPDOWNLIST) << "control id " << id;
            EXPECT_EQ((styleOf(box) & CBS_OWNERDRAWFIXED) != 0, styled) << "the style draws the box, or the system";
            if (styled) {
                EXPECT_TRUE(styleOf(box) & CBS_HASSTRINGS) << "the entries keep their texts";
            }
        }
    }
}

TEST_F(StylesTest, PlayingSlotKeepsItsNameForScreenReadersThroughStyleChanges) {
    createStyled();
    HWND j1 = child(ids::J1);
    form->slot(1).setMarker(L">>");
    ASSERT_EQ(names.names[j1], L"Spot \u2013 spielt");
    for (const wchar_t* look : {kDark, kLight, L"Windows"}) {
        use(look);
        EXPECT_EQ(child(ids::J1), j1) << "the same window";
        EXPECT_EQ(windowText(j1), L">>");
        EXPECT_EQ(names.names[j1], L"Spot \u2013 spielt") << look;
    }
}

// --- The combo boxes are made again for a change between drawn and plain

TEST_F(StylesTest, ComboBoxesKeepEntriesSelectionFocusAndTabOrderWhenTheLookChanges) {
    createStyled(SW_SHOW);
    HWND box = child(ids::cbStyle);
    const std::vector<std::wstring> entries = entriesOf(box);
    ASSERT_EQ(entries.size(), 41u);
    form->cbStyle.setItemIndex(form->cbStyle.indexOf(kDark, false));
    const LRESULT selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
    ASSERT_GT(selected, 1);
    SetFocus(box);
    ASSERT_EQ(GetFocus(), box);
    const int before = GetDlgCtrlID(GetWindow(box, GW_HWNDPREV));
    const int after = GetDlgCtrlID(GetWindow(box, GW_HWNDNEXT));
    const LONG_PTR mixerGroup = styleOf(child(ids::cb_mfade_mixer)) & (WS_GROUP | WS_TABSTOP);
    ASSERT_TRUE(mixerGroup & WS_GROUP) << "it ends the radio group";

    for (const wchar_t* look : {kDark, kTinted, L"Windows"}) {
        use(look);
        SCOPED_TRACE(std::string(look, look + wcslen(look)));
        HWND now = child(ids::cbStyle);
        EXPECT_EQ(entriesOf(now), entries);
        EXPECT_EQ(SendMessageW(now, CB_GETCURSEL, 0, 0), selected);
        EXPECT_EQ(GetFocus(), now) << "the focus stays on the box";
        EXPECT_EQ(GetDlgCtrlID(GetWindow(now, GW_HWNDPREV)), before) << "the same place in the Tab order";
        EXPECT_EQ(GetDlgCtrlID(GetWindow(now, GW_HWNDNEXT)), after);
        EXPECT_TRUE(styleOf(now) & WS_TABSTOP);
        EXPECT_EQ(styleOf(child(ids::cb_mfade_mixer)) & (WS_GROUP | WS_TABSTOP), mixerGroup);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(now, WM_GETFONT, 0, 0)) != nullptr, true);
    }
    // The new box still reaches the model: the operator picks the next entry.
    SendMessageW(child(ids::cbStyle), WM_KEYDOWN, VK_DOWN, 1);
    pump();
    EXPECT_EQ(form->cbStyle.itemIndex(), static_cast<int>(selected) + 1);
}

// --- Every control kind on the screen

TEST_F(StylesTest, DarkStyleDrawsEveryControlKindInItsColoursAndWindowsDoesNot) {
    createStyled();
    use(kDark);
    struct Sample {
        const char* what;
        HWND window;
        StyleRole role;
        bool mostly;  // the colour covers most of the window, else it only shows in it
    };
    const std::vector<Sample> samples{
        {"push button", child(ids::B_info), StyleRole::ButtonFace, true},
        {"slot button", child(ids::J1 + 4), StyleRole::ButtonFace, true},
        {"check box", child(ids::auto_fi), StyleRole::CheckFace, false},
        {"check box background", child(ids::auto_fi), StyleRole::Window, true},
        {"radio button", child(ids::c_mfade_winamp), StyleRole::CheckBorder, false},
        {"group box frame", child(ids::GroupBox2), StyleRole::GroupFrame, false},
        {"combo box", child(ids::kategorie), StyleRole::ComboFace, true},
        {"edit", child(ids::jingleendezeit), StyleRole::EditFace, true},
        {"up-down", arrowsOf(ids::jingleendezeit), StyleRole::ButtonFace, true},
        {"track bar", child(ids::Fadeoutpos), StyleRole::Window, true},
        {"track bar channel", child(ids::Fadeoutpos), StyleRole::TrackChannel, false},
        {"track bar thumb", child(ids::Fadeoutpos), StyleRole::TrackThumb, false},
        {"status bar", child(ids::StatusBarMain), StyleRole::StatusFace, true},
        {"separator", child(ids::Panel1), StyleRole::Separator, true},
        {"label", child(ids::Label3), StyleRole::Window, true},
    };
    std::vector<COLORREF> styled;
    for (const Sample& s : samples) {
        const auto counts = coloursOf(s.window);
        const COLORREF wanted = colour(s.role);
        styled.push_back(wanted);
        if (s.mostly) {
            EXPECT_EQ(mostCommon(counts), wanted) << s.what;
        } else {
            EXPECT_GT(countOf(counts, wanted), 3) << s.what;
        }
    }
    use(L"Windows");
    for (size_t i = 0; i < samples.size(); ++i) {
        if (!samples[i].mostly) continue;
        EXPECT_NE(mostCommon(coloursOf(samples[i].window)), styled[i]) << samples[i].what << " back in the system look";
    }
}

TEST_F(StylesTest, ButtonStatesTakeTheirOwnColours) {
    createStyled();
    use(kDark);
    form->B_info.setEnabled(false);
    settle();
    const auto disabled = coloursOf(child(ids::B_info));
    EXPECT_EQ(mostCommon(disabled), colour(StyleRole::ButtonDisabledFace));
    EXPECT_GT(countOf(disabled, colour(StyleRole::ButtonDisabledText)), 3) << "its caption";

    SendMessageW(child(ids::J1 + 1), BM_SETSTATE, TRUE, 0);
    settle();
    EXPECT_EQ(mostCommon(coloursOf(child(ids::J1 + 1))), colour(StyleRole::ButtonPressedFace));
    SendMessageW(child(ids::J1 + 1), BM_SETSTATE, FALSE, 0);

    form->slot(3).setMarker(L">>");
    settle();
    const auto playing = coloursOf(child(ids::J1 + 2));
    EXPECT_EQ(mostCommon(playing), colour(StyleRole::ButtonFace));
    EXPECT_GT(countOf(playing, colour(StyleRole::PlayingMarker)), 3) << "the marker";
    EXPECT_EQ(countOf(coloursOf(child(ids::J1 + 3)), colour(StyleRole::PlayingMarker)), 0) << "only on the playing slot";
}

TEST_F(StylesTest, ButtonUnderTheMouseTakesTheHotColours) {
    createStyled(SW_SHOW);
    use(kDark);
    HWND j7 = child(ids::J1 + 6);
    RECT r{};
    GetWindowRect(j7, &r);
    SetCursorPos((r.left + r.right) / 2, r.top + 3);
    const COLORREF hot = colour(StyleRole::ButtonHotFace);
    const bool reached = pumpUntil([&] {
        RedrawWindow(j7, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return mostCommon(coloursOf(j7)) == hot;
    }, 1500);
    SetCursorPos(0, 0);
    EXPECT_TRUE(reached) << "the hot face under the mouse";
    EXPECT_NE(mostCommon(coloursOf(child(ids::J1 + 7))), hot) << "not beside it";
}

TEST_F(StylesTest, FocusRingShowsOnlyWhileFocusCuesShow) {
    createStyled(SW_SHOW);
    use(kDark);
    HWND j6 = child(ids::J1 + 5);
    SetFocus(j6);
    SendMessageW(main(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    settle();
    RedrawWindow(j6, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(countOf(coloursOf(j6), colour(StyleRole::Focus)), 10) << "the ring";
    SendMessageW(main(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    if (SendMessageW(j6, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) {
        RedrawWindow(j6, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(countOf(coloursOf(j6), colour(StyleRole::Focus)), 0) << "cues hidden";
    }
}

TEST_F(StylesTest, OpenComboListTakesTheListColours) {
    createStyled(SW_SHOW);
    use(kDark);
    HWND box = child(ids::cbStyle);
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(box, &info));
    RedrawWindow(info.hwndList, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const auto counts = coloursOf(info.hwndList);
    SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(mostCommon(counts), colour(StyleRole::ComboList));
    EXPECT_GT(countOf(counts, colour(StyleRole::ComboListText)), 3) << "the entries' texts";
}

TEST_F(StylesTest, HighContrastWinsOverTheStyle) {
    createStyled();
    use(kDark);
    const COLORREF face = colour(StyleRole::ButtonFace);
    const COLORREF status = colour(StyleRole::StatusFace);
    setHighContrast(true);
    EXPECT_NE(mostCommon(coloursOf(child(ids::J1))), face);
    EXPECT_NE(mostCommon(coloursOf(child(ids::StatusBarMain))), status);
    EXPECT_FALSE(styleOf(child(ids::kategorie)) & CBS_OWNERDRAWFIXED) << "the system's own box";
    setHighContrast(false);
    EXPECT_EQ(mostCommon(coloursOf(child(ids::J1))), face) << "the style again once high contrast is off";
    EXPECT_TRUE(styleOf(child(ids::kategorie)) & CBS_OWNERDRAWFIXED);
}

}  // namespace

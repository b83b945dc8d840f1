// The real main window with fake platform services: its child windows, their captions and
// styles, the way operator actions reach the controls and the way model changes show.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "MainWindowFixture.h"
#include "ui/ControlIds.h"
#include "ui/MainUnit.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/MessageLoop.h"

namespace {

using namespace kv;
using namespace kv::ui;
using kv::ui::win32::Win32MainWindow;

std::wstring windowText(HWND window) {
    wchar_t buffer[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring className(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

LONG_PTR styleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

struct UniqueRegionForTest {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ~UniqueRegionForTest() { DeleteObject(region); }
    HRGN get() const { return region; }
};

LOGFONTW fontOf(HWND window) {
    LOGFONTW lf{};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

// The tooltip text of control's tool in tips (owned by owner), or "<none>" without a tool.
std::wstring toolTipText(HWND tips, HWND owner, HWND control) {
    wchar_t text[512] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text;
    if (!SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) return L"<none>";
    SendMessageW(tips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    return text;
}

class MainWindowTest : public test::MainWindowFixture {
protected:
    // The ids of the form's controls that have a child window now.
    std::set<int> idsWithChildren() const {
        std::set<int> found;
        for (Control* control : form->controls())
            if (child(control->id())) found.insert(control->id());
        return found;
    }
    std::set<int> allControlIds() const {
        std::set<int> all;
        for (Control* control : form->controls()) all.insert(control->id());
        return all;
    }
    // Shown, painted and placed where nothing covers it, for reading its pixels.
    void showOnTop() {
        create(SW_SHOWNOACTIVATE);
        SetWindowPos(main(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        pump();
    }
};

TEST_F(MainWindowTest, WindowHasItsClassFixedFrameAndDesignedClientSize) {
    create();
    ASSERT_NE(main(), nullptr);
    EXPECT_EQ(className(main()), L"TKavintamainform");
    RECT client{};
    GetClientRect(main(), &client);
    EXPECT_EQ(client.right, 403);
    EXPECT_EQ(client.bottom, 471);
    const LONG_PTR style = styleOf(main());
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    // The window paints its children itself, so it must not clip them away.
    EXPECT_FALSE(style & WS_CLIPCHILDREN);
}

TEST_F(MainWindowTest, CaptionIsTheOneFormCreateSets) {
    version.version = FileVersion{3, 4, 0, 0};
    create();
    EXPECT_EQ(windowText(main()), form->caption());
    EXPECT_EQ(windowText(main()).rfind(L"Kavinta v3.04 64Bit", 0), 0u) << windowText(main());
}

TEST_F(MainWindowTest, HostReportsAndChangesTheClientHeightInDesignPixels) {
    create();
    EXPECT_EQ(window->clientHeight(), 471);
    RECT before{};
    GetWindowRect(main(), &before);
    window->setClientHeight(141);
    RECT client{}, after{};
    GetClientRect(main(), &client);
    GetWindowRect(main(), &after);
    EXPECT_EQ(client.bottom, 141);
    EXPECT_EQ(client.right, 403) << "the width stays";
    EXPECT_EQ(after.top, before.top) << "the top edge stays";
    EXPECT_EQ(window->outerHeight(), after.bottom - after.top);
    EXPECT_GT(window->outerHeight(), 141);
    // The status bar stays docked to the bottom of the smaller client area.
    RECT bar{};
    GetWindowRect(child(ids::StatusBarMain), &bar);
    MapWindowPoints(nullptr, main(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.bottom, 141);
    EXPECT_EQ(bar.bottom - bar.top, 19);
}

TEST_F(MainWindowTest, TopmostFollowsTheHost) {
    build(SW_SHOWNOACTIVATE);
    window->setTopmost(true);  // a wish made while hidden holds once shown
    pump();
    ASSERT_TRUE(window->isVisible());
    EXPECT_TRUE(GetWindowLongPtrW(main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    window->setTopmost(false);
    EXPECT_FALSE(GetWindowLongPtrW(main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// --- Children and showing come with the message loop

// Records, when the main window is about to become visible, which controls have a window.
struct ShowWatch {
    int shows = 0;
    std::set<int> childrenAtShow;
};

LRESULT CALLBACK watchShow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == WM_SHOWWINDOW && wParam) {
        auto* watch = reinterpret_cast<ShowWatch*>(data);
        ++watch->shows;
        for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            watch->childrenAtShow.insert(GetDlgCtrlID(c));
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(MainWindowTest, WindowBecomesVisibleOnlyWithEveryChild) {
    build(SW_SHOWNOACTIVATE);
    EXPECT_FALSE(window->isVisible()) << "not shown before the message loop runs";
    EXPECT_EQ(GetWindow(main(), GW_CHILD), nullptr) << "no child before the message loop runs";
    EXPECT_FALSE(window->hasChildren());

    ShowWatch watch;
    ASSERT_TRUE(SetWindowSubclass(main(), watchShow, 1, reinterpret_cast<DWORD_PTR>(&watch)));
    pump();
    RemoveWindowSubclass(main(), watchShow, 1);

    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->hasChildren());
    ASSERT_EQ(watch.shows, 1);
    for (int id : allControlIds())
        EXPECT_EQ(watch.childrenAtShow.count(id), 1u) << "control id " << id << " missing when shown";
    EXPECT_EQ(idsWithChildren(), allControlIds());
}

TEST_F(MainWindowTest, MessagesServedBeforeTheStartNeitherCreateNorShow) {
    // A message box during the form's creation serves the queue like this, the start
    // timer's tick included: it runs from the window's creation.
    profile.set(ini, L"Werbung", L"Text1", L"Spot");
    createUnstarted();
    Sleep(150);
    pump();
    EXPECT_EQ(GetWindow(main(), GW_CHILD), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(form->kategorie.text(), L"Werbung") << "the tick loaded the category into the models";

    window->start(SW_SHOWNOACTIVATE);
    pump();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(idsWithChildren(), allControlIds());
}

TEST_F(MainWindowTest, ASecondStartCreatesNoSecondSetOfChildren) {
    create();
    auto countChildren = [&] {
        int n = 0;
        for (HWND c = GetWindow(main(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++n;
        return n;
    };
    const int children = countChildren();
    ASSERT_GE(children, static_cast<int>(form->controls().size()));
    window->start(SW_SHOWNOACTIVATE);
    PostMessageW(main(), Win32MainWindow::kLoopStartedMessage, 0, 0);
    pump();
    EXPECT_EQ(countChildren(), children);
    EXPECT_FALSE(window->isVisible()) << "the first start's show command stands";
}

TEST_F(MainWindowTest, TheProgramsShowCommandIsHonoured) {
    create(SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(IsIconic(main()));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(idsWithChildren(), allControlIds());
}

TEST_F(MainWindowTest, ChildrenTakeOverTheStateTheirModelsGotBeforeTheyExisted) {
    build();
    form->slot(3).setText(L"Intro");
    form->slot(3).setBold(true);
    form->slot(3).setHint(L"C:\\Jingles\\Intro.mp3");
    form->slot(4).setText(L"Outro");
    form->slot(4).setMarker(L">>");
    form->auto_fi.setChecked(true);
    form->c_mfade_winamp.setChecked(true);
    form->cb_mfade_mixer.addItem(L"zeta");
    form->cb_mfade_mixer.addItem(L"alpha");
    form->cb_mfade_mixer.setItemIndex(1);
    form->Fadeoutpos.setPosition(40);
    form->jingletimerval.setValue(12);
    form->jingleendezeit.setEnabled(false);
    form->Label9.setVisible(false);
    form->KAT_neu.setEnabled(false);
    form->Jinglestatus.setText(L"(spielt)");
    form->StatusBarMain.setPanelText(L"Fehler : Datei nicht gefunden");
    form->StatusBarMain.setHint(L"Fehler 263");
    form->StatusBarMain.setShowHint(true);
    pump();

    EXPECT_EQ(windowText(child(ids::J1 + 2)), L"Intro");
    EXPECT_GE(fontOf(child(ids::J1 + 2)).lfWeight, FW_BOLD);
    EXPECT_EQ(windowText(child(ids::J1 + 3)), L">>") << "the marker shows over the text";
    EXPECT_EQ(SendMessageW(child(ids::auto_fi), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(child(ids::auto_fo_mit), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(child(ids::c_mfade_winamp), BM_GETCHECK, 0, 0), BST_CHECKED);
    HWND mixer = child(ids::cb_mfade_mixer);
    ASSERT_EQ(SendMessageW(mixer, CB_GETCOUNT, 0, 0), 2);
    wchar_t first[64] = {};
    SendMessageW(mixer, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"zeta");
    EXPECT_EQ(SendMessageW(mixer, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(child(ids::cbStyle), CB_GETCOUNT, 0, 0), form->cbStyle.count());
    EXPECT_EQ(SendMessageW(child(ids::cbStyle), CB_GETCURSEL, 0, 0), form->cbStyle.itemIndex());
    EXPECT_EQ(SendMessageW(child(ids::Fadeoutpos), TBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(windowText(child(ids::jingletimerval)), L"12");
    HWND endEdit = child(ids::jingleendezeit);
    EXPECT_FALSE(IsWindowEnabled(endEdit));
    HWND endArrows = GetWindow(endEdit, GW_HWNDNEXT);
    ASSERT_EQ(className(endArrows), UPDOWN_CLASSW);
    EXPECT_FALSE(IsWindowEnabled(endArrows)) << "the arrows of a disabled spin edit are disabled too";
    EXPECT_FALSE(styleOf(child(ids::Label9)) & WS_VISIBLE);
    EXPECT_TRUE(styleOf(child(ids::Label8)) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowEnabled(child(ids::KAT_neu)));
    EXPECT_TRUE(IsWindowEnabled(child(ids::Kat_loeschen)));
    EXPECT_EQ(windowText(child(ids::Jinglestatus)), L"(spielt)");
    wchar_t panel[128] = {};
    SendMessageW(child(ids::StatusBarMain), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_STREQ(panel, L"Fehler : Datei nicht gefunden");
    EXPECT_EQ(windowText(child(ids::datenpfadlabel)), L"C:\\Users\\op\\AppData\\Roaming\\Kavinta\\");

    HWND tips = window->toolTipWindow();
    ASSERT_NE(tips, nullptr);
    auto hasTool = [&](HWND control) { return toolTipText(tips, main(), control) != L"<none>"; };
    EXPECT_TRUE(hasTool(child(ids::J1 + 2)));
    EXPECT_TRUE(hasTool(child(ids::StatusBarMain)));
    EXPECT_FALSE(hasTool(child(ids::J1))) << "no tool for an empty hint";
}

// --- Every control as a child window

struct ExpectedChild {
    int id;
    const wchar_t* className;
    std::optional<std::wstring> caption;  // nullopt: not compared
};

TEST_F(MainWindowTest, EveryControlIsAChildWithItsIdAndCaption) {
    create();
    // The captions come from the text list, the one place a text of the program lives.
    const auto text = [this](TextId id) { return texts.text(id); };
    const ExpectedChild expected[] = {
        {ids::Label3, L"Static", text(TextId::CapLabel3)},
        {ids::kategorie, L"ComboBox", std::nullopt},
        {ids::KAT_neu, L"Button", text(TextId::CapKatNeu)},
        {ids::Kat_loeschen, L"Button", text(TextId::CapKatLoeschen)},
        {ids::box_main, L"Button", text(TextId::CapBoxMain)},
        {ids::Label1, L"Static", text(TextId::CapLabel1)},
        {ids::fensterkleingross, L"Button", text(TextId::NameFensterKleinGross)},
        {ids::Jinglestatus, L"Static", text(TextId::CapJinglestatus)},
        {ids::GroupBox2, L"Button", text(TextId::CapGroupBox2)},
        {ids::c_mfade_Zentrix, L"Button", text(TextId::CapZentrix)},
        {ids::c_mfade_winamp, L"Button", text(TextId::CapWinamp)},
        {ids::c_mfade_mixer, L"Button", text(TextId::CapMixer)},
        {ids::cb_mfade_mixer, L"ComboBox", std::nullopt},
        {ids::Panel1, L"Static", L""},
        {ids::auto_fo_mit, L"Button", text(TextId::CapFoMit)},
        {ids::auto_fo_vor, L"Button", text(TextId::CapFoVor)},
        {ids::auto_fi, L"Button", text(TextId::CapFi)},
        {ids::auto_crossfade, L"Button", text(TextId::CapCrossfade)},
        {ids::Label5, L"Static", text(TextId::CapLabel5)},
        {ids::jingleendezeit, L"Edit", L"0"},
        {ids::Label4, L"Static", text(TextId::CapLabel4)},
        {ids::Label6, L"Static", text(TextId::CapLabel6)},
        {ids::Fadeoutpos, L"msctls_trackbar32", std::nullopt},
        {ids::jingletimereinaus, L"Button", text(TextId::CapJingletimer)},
        {ids::jingletimerval, L"Edit", L"30"},
        {ids::Label8, L"Static", text(TextId::CapLabel8)},
        {ids::l_jingletimer, L"Static", text(TextId::CapLJingletimer)},
        {ids::Label9, L"Static", text(TextId::CapLabel9)},
        {ids::c_fensterimvordergrund, L"Button", text(TextId::CapVordergrund)},
        {ids::c_fensterskalieren, L"Button", text(TextId::CapSkalieren)},
        {ids::B_lng_DE, L"Button", text(TextId::NameDeutsch)},
        {ids::B_lng_EN, L"Button", text(TextId::NameEnglish)},
        {ids::Label2, L"Static", text(TextId::CapLabel2)},
        {ids::cbStyle, L"ComboBox", std::nullopt},
        {ids::b_styleanwenden, L"Button", text(TextId::CapAnwenden)},
        {ids::B_info, L"Button", text(TextId::CapInfo)},
        {ids::Label7, L"Static", text(TextId::CapLabel7)},
        {ids::datenpfadlabel, L"Static", L"C:\\Users\\op\\AppData\\Roaming\\Kavinta\\"},
        {ids::StatusBarMain, L"msctls_statusbar32", std::nullopt},
    };
    for (const ExpectedChild& e : expected) {
        HWND c = child(e.id);
        ASSERT_NE(c, nullptr) << "control id " << e.id;
        EXPECT_EQ(GetParent(c), main()) << "control id " << e.id << " is a child of the main window";
        EXPECT_EQ(_wcsicmp(className(c).c_str(), e.className), 0) << "control id " << e.id;
        if (e.caption) {
            EXPECT_EQ(windowText(c), *e.caption) << "control id " << e.id;
        }
    }
    for (int id = ids::J1; id <= ids::J12; ++id) {
        ASSERT_NE(child(id), nullptr) << "slot id " << id;
        EXPECT_EQ(windowText(child(id)), text(TextId::CapSlotDesign)) << "slot id " << id;
    }
}

TEST_F(MainWindowTest, ChildrenStandAtTheirDesignBounds) {
    create();
    for (Control* control : form->controls()) {
        if (control->kind() == ControlKind::StatusBar) continue;
        RECT r{};
        GetWindowRect(child(control->id()), &r);
        MapWindowPoints(nullptr, main(), reinterpret_cast<POINT*>(&r), 2);
        const Rect b = control->bounds();
        EXPECT_EQ(r.left, b.left) << control->name();
        EXPECT_EQ(r.top, b.top) << control->name();
        // A spin edit shares its width with its arrows.
        if (control->kind() != ControlKind::SpinEdit) {
            EXPECT_EQ(r.right - r.left, b.width) << control->name();
        }
        EXPECT_EQ(r.bottom - r.top, b.height) << control->name();
    }
    // The slot buttons: J1..J6 in the upper row left to right, J7..J12 below.
    RECT j1{}, j6{}, j7{};
    GetWindowRect(child(ids::J1), &j1);
    GetWindowRect(child(ids::J1 + 5), &j6);
    GetWindowRect(child(ids::J1 + 6), &j7);
    EXPECT_EQ(j1.top, j6.top);
    EXPECT_GT(j6.left, j1.left);
    EXPECT_EQ(j7.left, j1.left);
    EXPECT_GT(j7.top, j1.top);
}

TEST_F(MainWindowTest, ButtonsUseTheStylesOfTheirKinds) {
    create();
    EXPECT_EQ(styleOf(child(ids::auto_fi)) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(styleOf(child(ids::c_mfade_winamp)) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_EQ(styleOf(child(ids::J1)) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(styleOf(child(ids::box_main)) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(styleOf(child(ids::fensterkleingross)) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(styleOf(child(ids::B_lng_EN)) & BS_TYPEMASK, BS_OWNERDRAW);
    for (int id : {ids::kategorie, ids::cb_mfade_mixer, ids::cbStyle}) {
        EXPECT_EQ(styleOf(child(id)) & 3, CBS_DROPDOWNLIST) << id;
        EXPECT_FALSE(styleOf(child(id)) & CBS_SORT) << id;
    }
}

TEST_F(MainWindowTest, FontsAreTahomaWithTheControlsWeightAndSize) {
    create();
    const LOGFONTW plain = fontOf(child(ids::auto_fi));
    EXPECT_STREQ(plain.lfFaceName, L"Tahoma");
    EXPECT_EQ(plain.lfHeight, -11);  // 8 points at 96 PPI
    EXPECT_LT(plain.lfWeight, FW_BOLD);
    const LOGFONTW title = fontOf(child(ids::Label3));
    EXPECT_EQ(title.lfHeight, -16);  // 12 points
    EXPECT_GE(title.lfWeight, FW_BOLD);
    EXPECT_GE(fontOf(child(ids::box_main)).lfWeight, FW_BOLD);
    EXPECT_GE(fontOf(child(ids::Label1)).lfWeight, FW_BOLD);

    form->slot(3).setBold(true);
    EXPECT_GE(fontOf(child(ids::J1 + 2)).lfWeight, FW_BOLD);
    form->slot(3).setBold(false);
    EXPECT_LT(fontOf(child(ids::J1 + 2)).lfWeight, FW_BOLD);
}

TEST_F(MainWindowTest, LabelColourIsGivenThroughCtlColor) {
    create();
    HDC dc = GetDC(main());
    const COLORREF before = GetTextColor(dc);
    SendMessageW(main(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(child(ids::datenpfadlabel)));
    EXPECT_EQ(GetTextColor(dc), static_cast<COLORREF>(kNavy));
    SendMessageW(main(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(child(ids::Jinglestatus)));
    EXPECT_EQ(GetTextColor(dc), static_cast<COLORREF>(kBlack));
    SetTextColor(dc, before);
    ReleaseDC(main(), dc);
}

// --- Operator actions reach the model

TEST_F(MainWindowTest, ClickOnACheckBoxTogglesTheModelAndRunsItsHandler) {
    create(SW_SHOWNOACTIVATE);
    HWND box = child(ids::c_fensterimvordergrund);
    ASSERT_FALSE(form->c_fensterimvordergrund.checked());
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(form->c_fensterimvordergrund.checked());
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    // The handler makes the window topmost.
    EXPECT_TRUE(GetWindowLongPtrW(main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_FALSE(form->c_fensterimvordergrund.checked());
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(GetWindowLongPtrW(main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowTest, ClickOnARadioButtonChecksItAndClearsItsSiblings) {
    create();
    form->c_mfade_Zentrix.setChecked(true);
    SendMessageW(child(ids::c_mfade_mixer), BM_CLICK, 0, 0);
    EXPECT_TRUE(form->c_mfade_mixer.checked());
    EXPECT_FALSE(form->c_mfade_Zentrix.checked());
    EXPECT_EQ(SendMessageW(child(ids::c_mfade_mixer), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(child(ids::c_mfade_Zentrix), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(MainWindowTest, ButtonsReportEveryMouseButtonAndTheClick) {
    create();
    Button& j3 = form->slot(3);
    std::vector<MouseButton> downs;
    int clicks = 0;
    j3.onMouseDown = [&](Button&, MouseButton b) { downs.push_back(b); };
    j3.onClick = [&](Button&) { ++clicks; };
    HWND button = child(ids::J1 + 2);
    SendMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(button, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_MBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 0) << "right and middle buttons do not click";
    SendMessageW(button, BM_CLICK, 0, 0);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0], MouseButton::Right);
    EXPECT_EQ(downs[1], MouseButton::Middle);
    EXPECT_EQ(downs[2], MouseButton::Left);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MainWindowTest, SpeedButtonClickReachesItsModel) {
    create();
    int clicks = 0;
    form->B_lng_DE.onClick = [&](Button&) { ++clicks; };
    SendMessageW(child(ids::B_lng_DE), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MainWindowTest, OperatorSelectionInAComboBoxReachesTheModel) {
    create();
    form->cb_mfade_mixer.addItem(L"first");
    form->cb_mfade_mixer.addItem(L"second");
    int changes = 0, dropDowns = 0;
    form->cb_mfade_mixer.onChange = [&] { ++changes; };
    form->cb_mfade_mixer.onDropDown = [&] { ++dropDowns; };
    HWND combo = child(ids::cb_mfade_mixer);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(ids::cb_mfade_mixer, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form->cb_mfade_mixer.itemIndex(), 1);
    EXPECT_EQ(changes, 1);
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(ids::cb_mfade_mixer, CBN_DROPDOWN), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(dropDowns, 1);
}

TEST_F(MainWindowTest, TypingInASpinEditSetsTheModelAndClampsWhenTheFocusLeaves) {
    create();
    HWND edit = child(ids::jingletimerval);
    SetWindowTextW(edit, L"45");
    EXPECT_EQ(form->jingletimerval.value(), 45);
    SetWindowTextW(edit, L"1200");
    EXPECT_EQ(form->jingletimerval.value(), 999) << "held within 1..999";
    EXPECT_EQ(windowText(edit), L"1200") << "the text is not replaced while typing";
    SetWindowTextW(edit, L"x");
    EXPECT_EQ(form->jingletimerval.value(), 999) << "text that is no number changes nothing";
    SendMessageW(main(), WM_COMMAND, MAKEWPARAM(ids::jingletimerval, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(windowText(edit), L"999");
}

TEST_F(MainWindowTest, UnboundedSpinEditTakesNegativeNumbers) {
    create();
    HWND edit = child(ids::jingleendezeit);
    SetWindowTextW(edit, L"-250");
    EXPECT_EQ(form->jingleendezeit.value(), -250);
    HWND upDown = GetWindow(edit, GW_HWNDNEXT);
    ASSERT_NE(upDown, nullptr);
    ASSERT_EQ(className(upDown), UPDOWN_CLASSW);
    int low = 0, high = 0;
    SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, INT_MIN);
    EXPECT_EQ(high, INT_MAX);
}

TEST_F(MainWindowTest, TrackBarScrollSetsTheModel) {
    create();
    int changes = 0;
    form->Fadeoutpos.onChange = [&] { ++changes; };
    HWND track = child(ids::Fadeoutpos);
    SendMessageW(track, TBM_SETPOS, TRUE, 70);
    SendMessageW(main(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 70), reinterpret_cast<LPARAM>(track));
    EXPECT_EQ(form->Fadeoutpos.position(), 70);
    EXPECT_EQ(changes, 1);
}

// --- Model changes show in the window

TEST_F(MainWindowTest, ProgrammaticChangesShowInTheChildWindows) {
    create();
    form->auto_fo_mit.setChecked(true);
    EXPECT_EQ(SendMessageW(child(ids::auto_fo_mit), BM_GETCHECK, 0, 0), BST_CHECKED);

    form->Fadeoutpos.setPosition(40);
    EXPECT_EQ(SendMessageW(child(ids::Fadeoutpos), TBM_GETPOS, 0, 0), 40);

    form->jingletimerval.setValue(12);
    EXPECT_EQ(windowText(child(ids::jingletimerval)), L"12");

    form->Jinglestatus.setText(L"(spielt)");
    EXPECT_EQ(windowText(child(ids::Jinglestatus)), L"(spielt)");

    form->slot(7).setText(L"Intro");
    EXPECT_EQ(windowText(child(ids::J1 + 6)), L"Intro");
    form->slot(7).setMarker(L">>");
    EXPECT_EQ(windowText(child(ids::J1 + 6)), L">>");
    form->slot(7).setMarker(L"");
    EXPECT_EQ(windowText(child(ids::J1 + 6)), L"Intro");

    form->KAT_neu.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(child(ids::KAT_neu)));
}

TEST_F(MainWindowTest, ComboBoxShowsTheModelsEntriesInTheModelsOrder) {
    create();
    HWND combo = child(ids::cbStyle);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), form->cbStyle.count());
    ASSERT_GT(form->cbStyle.count(), 2);
    for (int i = 0; i < form->cbStyle.count(); ++i) {
        wchar_t item[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(item, form->cbStyle.item(i)) << i;
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), form->cbStyle.itemIndex());

    HWND mixer = child(ids::cb_mfade_mixer);
    form->cb_mfade_mixer.addItem(L"zeta");
    form->cb_mfade_mixer.addItem(L"alpha");
    EXPECT_EQ(SendMessageW(mixer, CB_GETCOUNT, 0, 0), 2);
    wchar_t first[64] = {};
    SendMessageW(mixer, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"zeta") << "unsorted box keeps the order of adding";
    form->cb_mfade_mixer.setItemIndex(1);
    EXPECT_EQ(SendMessageW(mixer, CB_GETCURSEL, 0, 0), 1);
    form->cb_mfade_mixer.clear();
    EXPECT_EQ(SendMessageW(mixer, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(MainWindowTest, StatusBarHasOnePanelAndShowsItsText) {
    create();
    HWND bar = child(ids::StatusBarMain);
    int edges[4] = {};
    EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 1);
    EXPECT_EQ(edges[0], 300);
    form->StatusBarMain.setPanelText(L"Fehler : Datei nicht gefunden");
    wchar_t text[128] = {};
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Fehler : Datei nicht gefunden");
    RECT r{};
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, main(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.bottom, 471);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 403);
}

TEST_F(MainWindowTest, HintsAreToolTipsOnlyWhileShown) {
    create();
    HWND tips = window->toolTipWindow();
    ASSERT_NE(tips, nullptr);
    auto tipText = [&](HWND control) { return toolTipText(tips, main(), control); };
    HWND j2 = child(ids::J1 + 1);
    EXPECT_EQ(tipText(j2), L"<none>") << "no tool for an empty hint";
    form->slot(2).setHint(L"C:\\Jingles\\Intro.mp3");
    EXPECT_EQ(tipText(j2), L"C:\\Jingles\\Intro.mp3");
    form->slot(2).setHint(L"C:\\Jingles\\Outro.mp3");
    EXPECT_EQ(tipText(j2), L"C:\\Jingles\\Outro.mp3");

    HWND bar = child(ids::StatusBarMain);
    form->StatusBarMain.setHint(L"Fehler 263 : kein Gerät");
    EXPECT_EQ(tipText(bar), L"<none>") << "status bar hints are off";
    form->StatusBarMain.setShowHint(true);
    EXPECT_EQ(tipText(bar), L"Fehler 263 : kein Gerät");
    form->StatusBarMain.setShowHint(false);
    EXPECT_EQ(tipText(bar), L"<none>");
}

// The tooltip windows of this thread.
std::vector<HWND> threadToolTips() {
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (_wcsicmp(name, TOOLTIPS_CLASSW) == 0) reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(MainWindowTest, TooltipWindowComesWithTheMouseCarryingTheHintsSetBefore) {
    create();
    EXPECT_TRUE(threadToolTips().empty()) << "no tooltip window before the mouse comes";
    form->slot(3).setHint(L"C:\\Jingles\\Wetter.mp3");
    form->slot(3).setHint(L"C:\\Jingles\\Verkehr.mp3");
    form->slot(4).setHint(L"C:\\Jingles\\weg.mp3");
    form->slot(4).setHint(L"");
    HWND j3 = child(ids::J1 + 2);
    SendMessageW(main(), WM_SETCURSOR, reinterpret_cast<WPARAM>(j3), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const std::vector<HWND> tips = threadToolTips();
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_EQ(tips.front(), window->toolTipWindow());
    EXPECT_EQ(toolTipText(tips.front(), main(), j3), L"C:\\Jingles\\Verkehr.mp3") << "the last hint set";
    EXPECT_EQ(toolTipText(tips.front(), main(), child(ids::J1 + 3)), L"<none>") << "a hint cleared before is no tool";
    SendMessageW(main(), WM_SETCURSOR, reinterpret_cast<WPARAM>(j3), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(threadToolTips().size(), 1u) << "one window for the form";
}

// --- Keys, timers and the life cycle

TEST_F(MainWindowTest, PostedF5ReachesSlotFiveThroughTheAccelerators) {
    create();
    int slot = 0;
    for (int n = 1; n <= TKavintamainform::kSlotCount; ++n)
        form->slot(n).onClick = [&slot, n](Button&) { slot = n; };
    PostMessageW(main(), WM_KEYDOWN, VK_F5, 0);
    pump();
    EXPECT_EQ(slot, 5);
    PostMessageW(main(), WM_KEYDOWN, VK_F12, 0);
    pump();
    EXPECT_EQ(slot, 12);
}

TEST_F(MainWindowTest, HeldFunctionKeyFiresItsSlotOnceForItsFirstKeyDown) {
    create();
    std::vector<int> fired;
    for (int n = 1; n <= TKavintamainform::kSlotCount; ++n)
        form->slot(n).onClick = [&fired, n](Button&) { fired.push_back(n); };
    constexpr LPARAM kRepeat = LPARAM{1} << 30;  // the key was already down
    PostMessageW(main(), WM_KEYDOWN, VK_F2, 1);
    for (int i = 0; i < 5; ++i) PostMessageW(main(), WM_KEYDOWN, VK_F2, kRepeat | 1);
    PostMessageW(main(), WM_KEYUP, VK_F2, static_cast<LPARAM>(0xC0000001u));
    PostMessageW(main(), WM_SYSKEYDOWN, VK_F12, kRepeat | 1);
    pump();
    EXPECT_EQ(fired, std::vector<int>{2}) << "the keyboard's repeats fired the slot again";
    PostMessageW(main(), WM_KEYDOWN, VK_F2, 1);  // the next press
    pump();
    EXPECT_EQ(fired, (std::vector<int>{2, 2}));
}

TEST_F(MainWindowTest, F5RunsTheSlotHandlerWithThePlayingMarker) {
    create();
    PostMessageW(main(), WM_KEYDOWN, VK_F5, 0);
    pump();
    EXPECT_EQ(windowText(child(ids::J1 + 4)), L">>");
    EXPECT_GE(fontOf(child(ids::J1 + 4)).lfWeight, FW_BOLD);
    EXPECT_EQ(windowText(child(ids::J1 + 3)), L"- -") << "slot 4 untouched";
}

TEST_F(MainWindowTest, StartTimerTicksAndShowsTheFirstCategory) {
    profile.set(ini, L"Zeta", L"Text1", L"Z");
    profile.set(ini, L"alpha", L"Text1", L"Intro");
    build();
    EXPECT_EQ(form->kategorie.itemIndex(), -1) << "nothing selected before the tick";
    // The children come with the loop's first messages and may already show the tick's
    // selection when a slow machine takes more than the timer's period to create them.
    ASSERT_TRUE(pumpUntil([&] { return child(ids::kategorie) != nullptr; }));
    HWND combo = child(ids::kategorie);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    ASSERT_TRUE(pumpUntil([&] { return SendMessageW(combo, CB_GETCURSEL, 0, 0) == 0; }));
    wchar_t first[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"alpha");
    EXPECT_EQ(windowText(child(ids::J1)), L"Intro");
    EXPECT_EQ(windowText(child(ids::J1 + 1)), L"unbelegt");
    EXPECT_FALSE(form->starttimer.enabled()) << "the start timer runs once";
}

TEST_F(MainWindowTest, StartTimerRunsFromTheWindowsCreationAndTicksInTheLoopAfterTheChildren) {
    profile.set(ini, L"alpha", L"Text1", L"Intro");
    build();
    Sleep(250);  // far past the start timer's period, with no message loop running
    EXPECT_EQ(form->kategorie.itemIndex(), -1) << "a timer ticks only in the message loop";
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE))
        << "the designed, enabled start timer runs from the window's creation";
    pump();  // the loop's first round: the children are created before the tick is served
    ASSERT_NE(child(ids::kategorie), nullptr);
    EXPECT_EQ(form->kategorie.itemIndex(), 0);
    EXPECT_EQ(windowText(child(ids::J1)), L"Intro");
}

TEST_F(MainWindowTest, StartTimerTicksNoSoonerThanItsPeriod) {
    profile.set(ini, L"alpha", L"Text1", L"Intro");
    const auto created = std::chrono::steady_clock::now();
    build();
    ASSERT_TRUE(pumpUntil([&] { return form->kategorie.itemIndex() == 0; }));
    EXPECT_GE(std::chrono::steady_clock::now() - created, std::chrono::milliseconds(90));
}

TEST_F(MainWindowTest, ModelTimersTickThroughWindowTimers) {
    create();
    int ticks = 0;
    form->playerstatustimer.onTimer = [&] { ++ticks; };
    form->playerstatustimer.setInterval(20);
    pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    pump();
    EXPECT_EQ(ticks, 0) << "a disabled timer does not tick";
    form->playerstatustimer.setEnabled(true);
    EXPECT_TRUE(pumpUntil([&] { return ticks >= 3; }));
    form->playerstatustimer.setEnabled(false);
    const int stopped = ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    pump();
    EXPECT_EQ(ticks, stopped);
}

TEST_F(MainWindowTest, CloseRunsTheCloseQueryThenDestroysAndQuits) {
    create();
    profile.set(ini, L"alpha", L"Text1", L"Intro");
    HWND handle = main();
    SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_GE(player.closeCalls, 1) << "the media player is closed";
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(window->hwnd(), nullptr);
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "closing ends the message loop";
    // The form's controls no longer talk to the destroyed windows.
    form->Jinglestatus.setText(L"after");
    form->auto_fi.setChecked(true);
}

TEST_F(MainWindowTest, TerminateRequestQuitsWithoutCloseQuery) {
    create();
    const int closesBefore = player.closeCalls;
    window->requestTerminate();
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    HWND handle = main();
    window.reset();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(player.closeCalls, closesBefore) << "no close query ran";
}

TEST_F(MainWindowTest, ScaleChangeLaysTheControlsOutAgain) {
    create();
    window->setScale(144);
    RECT client{};
    GetClientRect(main(), &client);
    EXPECT_EQ(client.right, 605);  // 403 * 1.5, rounded half up
    EXPECT_EQ(client.bottom, 707);
    RECT r{};
    GetWindowRect(child(ids::KAT_neu), &r);
    MapWindowPoints(nullptr, main(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 441);  // 294 * 1.5
    EXPECT_EQ(r.right - r.left, 78);
    EXPECT_EQ(fontOf(child(ids::auto_fi)).lfHeight, -16);  // 8 points at 144 PPI
    EXPECT_EQ(window->clientHeight(), 471) << "still in design pixels";
}

TEST_F(MainWindowTest, ScaleSetBeforeTheChildrenExistHoldsForThem) {
    build();
    window->setScale(144);
    pump();
    RECT r{};
    GetWindowRect(child(ids::KAT_neu), &r);
    MapWindowPoints(nullptr, main(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 441);
    EXPECT_EQ(r.right - r.left, 78);
    EXPECT_EQ(fontOf(child(ids::auto_fi)).lfHeight, -16);
    RECT bar{};
    GetWindowRect(child(ids::StatusBarMain), &bar);
    MapWindowPoints(nullptr, main(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.bottom, 707) << "docked to the scaled client area";
    EXPECT_EQ(bar.right, 605);
}

// --- Painting

// Counts the messages of one kind a window receives while it is watched.
class MessageCounter {
public:
    MessageCounter(HWND window, UINT message) : window_(window), message_(message) {
        SetWindowSubclass(window_, count, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    }
    ~MessageCounter() { RemoveWindowSubclass(window_, count, reinterpret_cast<UINT_PTR>(this)); }
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;
    int seen() const { return seen_; }

private:
    static LRESULT CALLBACK count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
        auto* self = reinterpret_cast<MessageCounter*>(data);
        if (message == self->message_) ++self->seen_;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND window_;
    UINT message_;
    int seen_ = 0;
};

RECT rectInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The pixels of the window's client area inside r, row by row, as the screen shows them.
std::vector<COLORREF> pixelsOf(HWND window, const RECT& r) {
    HDC dc = GetDC(window);
    std::vector<COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), CLR_INVALID), 0) << "the area is not on the screen";
    return pixels;
}

// How many different colours the area shows: one for an empty area, many for a frame
// with a caption.
size_t coloursIn(HWND window, const RECT& r) {
    const auto pixels = pixelsOf(window, r);
    return std::set<COLORREF>(pixels.begin(), pixels.end()).size();
}

// The colour the window's background shows at a point of its client area.
COLORREF pixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

TEST_F(MainWindowTest, ExposedWindowPaintsEveryChildAndTheBackgroundInsideTheGroupBoxes) {
    showOnTop();
    // As when another window uncovers this one.
    RedrawWindow(main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    pump();
    for (Control* control : form->controls()) {
        RECT any{};
        EXPECT_FALSE(GetUpdateRect(child(control->id()), &any, FALSE)) << control->name() << " is left unpainted";
    }
    EXPECT_GT(coloursIn(main(), rectInParent(child(ids::J1))), 3u) << "the button's frame and caption";
    EXPECT_GT(coloursIn(main(), rectInParent(child(ids::Label1))), 1u) << "the label's text";
    EXPECT_GT(coloursIn(main(), rectInParent(child(ids::Jinglestatus))), 1u) << "the label on the frame's top";
    // Spots inside the frames where no control lies: a group box paints only its frame.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(pixelAt(main(), 397, 88), face) << "inside box_main, right of the slot buttons";
    EXPECT_EQ(pixelAt(main(), 300, 150), face) << "inside GroupBox2, right of the radio buttons";
}

TEST_F(MainWindowTest, GroupBoxesLieBeneathEveryOtherChild) {
    create();
    HWND bottom = GetWindow(GetWindow(main(), GW_CHILD), GW_HWNDLAST);
    std::set<int> lowest{GetDlgCtrlID(bottom), GetDlgCtrlID(GetWindow(bottom, GW_HWNDPREV))};
    EXPECT_EQ(lowest, (std::set<int>{ids::box_main, ids::GroupBox2}))
        << "a group box above its contents would paint its frame over them";
}

TEST_F(MainWindowTest, ChangedChildStillPaintsItselfAlone) {
    showOnTop();
    const RECT slot = rectInParent(child(ids::J1 + 1));
    const auto before = pixelsOf(main(), slot);
    form->slot(2).setText(L"Ein viel l\u00e4ngerer Text");
    pump();
    EXPECT_NE(pixelsOf(main(), slot), before) << "the new caption shows without the window's paint";
}

TEST_F(MainWindowTest, ChildWaitingToBePaintedWhenALoadHoldsThePaintingIsStillPainted) {
    showOnTop();
    HWND box = child(ids::kategorie);
    MessageCounter paints(box, WM_PAINT);
    MessageCounter prints(box, WM_PRINTCLIENT);
    InvalidateRect(box, nullptr, FALSE);  // as the category's selection, shown just before its load
    window->beginUpdate();
    window->endUpdate();
    pump();
    EXPECT_GE(paints.seen() + prints.seen(), 1) << "holding the painting must not drop what waited for it";
}

TEST_F(MainWindowTest, WindowStaysVisibleWhileALoadHoldsItsPainting) {
    showOnTop();
    ASSERT_TRUE(window->isVisible());
    window->beginUpdate();
    EXPECT_TRUE(window->isVisible()) << "holding the painting hid the window for the form";
    // The scaling notice is shown only to a visible window.
    form->c_fensterskalieren.setChecked(!form->c_fensterskalieren.checked());
    window->endUpdate();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, texts.text(TextId::SkalierungNachNeustart));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, CategoryReloadSetsEachChangedTextOnceAndRepaintsOnlyWhatChanged) {
    profile.set(ini, L"alpha", L"Text1", L"Intro");
    create(SW_SHOWNOACTIVATE);
    ASSERT_TRUE(pumpUntil([&] { return form->kategorie.itemIndex() == 0; }));
    pump();
    profile.set(ini, L"alpha", L"Text2", L"Outro");
    MessageCounter unchangedTexts(child(ids::J1), WM_SETTEXT);
    MessageCounter changedTexts(child(ids::J1 + 1), WM_SETTEXT);
    form->kategorieChange();  // the reload after every jingle, say

    EXPECT_EQ(unchangedTexts.seen(), 0) << "cleared and set again to the same text: nothing to show";
    EXPECT_EQ(changedTexts.seen(), 1) << "cleared, then loaded: shown once";
    EXPECT_EQ(windowText(child(ids::J1 + 1)), L"Outro");
    UniqueRegionForTest update;
    ASSERT_NE(GetUpdateRgn(main(), update.get(), FALSE), ERROR);
    const RECT changed = rectInParent(child(ids::J1 + 1));
    const RECT unchanged = rectInParent(child(ids::Label9));
    EXPECT_TRUE(RectInRegion(update.get(), &changed));
    EXPECT_FALSE(RectInRegion(update.get(), &unchanged)) << "an unchanged label is not painted again";
    pump();
    EXPECT_EQ(windowText(child(ids::J1 + 1)), L"Outro");
}

}  // namespace

// The self-drawn drop-down list box: the combo box messages it answers, what the operator's
// keys, wheel and clicks do with it and its list, what its parent is told, and what it shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ui/win32/DropDownList.h"

namespace {

using kv::ui::win32::kDropDownListClass;
using kv::ui::win32::kDropDownListRows;

constexpr int kBoxId = 42;

// A parent that keeps the box's notifications in order.
struct Parent {
    std::vector<int> told;
    std::function<void()> onDropDown;
};

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* parent = reinterpret_cast<Parent*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COMMAND && parent && LOWORD(wParam) == kBoxId) {
        parent->told.push_back(HIWORD(wParam));
        if (HIWORD(wParam) == CBN_DROPDOWN && parent->onDropDown) parent->onDropDown();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The window of the open list: the one top-level window of the list's class.
HWND openList() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (wcscmp(name, L"KvDropDownListRows") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

class DropDownListTest : public ::testing::Test {
protected:
    Parent parent;
    HWND parentWindow = nullptr;
    HWND box = nullptr;

    void SetUp() override {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = parentProc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"KvDropDownTestParent";
        RegisterClassExW(&wc);
        kv::ui::win32::registerDropDownList(instance);
        parentWindow = CreateWindowExW(0, L"KvDropDownTestParent", L"", WS_POPUP | WS_VISIBLE, 40, 40, 300, 120,
                                       nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrW(parentWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&parent));
        box = CreateWindowExW(0, kDropDownListClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 200, 21,
                              parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBoxId)), instance,
                              nullptr);
        ASSERT_NE(box, nullptr);
        SetFocus(box);
        parent.told.clear();
    }
    void TearDown() override {
        DestroyWindow(parentWindow);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }

    void add(std::initializer_list<const wchar_t*> entries) {
        for (const wchar_t* entry : entries) SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    int selection() const { return static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0)); }
    bool dropped() const { return SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }
    std::wstring entry(int index) const {
        wchar_t text[256] = {};
        SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    void key(WPARAM vk) { SendMessageW(box, WM_KEYDOWN, vk, 1); }
    int told(int code) const { return static_cast<int>(std::count(parent.told.begin(), parent.told.end(), code)); }
    // The middle of row in the open list, in the list's client coordinates.
    LPARAM row(HWND list, int index) const {
        RECT client{};
        GetClientRect(list, &client);
        const int height = client.bottom / std::max(1, std::min<int>(kDropDownListRows,
                                                                     static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0))));
        return at(20, index * height + height / 2);
    }
};

TEST_F(DropDownListTest, AnswersTheComboBoxMessagesForItsEntries) {
    add({L"Beta", L"Delta"});
    EXPECT_EQ(SendMessageW(box, CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(L"Gamma")), 1);
    EXPECT_EQ(SendMessageW(box, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"Alpha")), 0);
    EXPECT_EQ(SendMessageW(box, CB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(L"past the end")), CB_ERR);
    ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(entry(0), L"Alpha");
    EXPECT_EQ(entry(2), L"Gamma");
    EXPECT_EQ(SendMessageW(box, CB_GETLBTEXTLEN, 3, 0), 5);
    EXPECT_EQ(SendMessageW(box, CB_GETLBTEXTLEN, 4, 0), CB_ERR);
    EXPECT_EQ(selection(), -1);

    EXPECT_EQ(SendMessageW(box, CB_SETCURSEL, 2, 0), 2);
    wchar_t text[64] = {};
    EXPECT_EQ(SendMessageW(box, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, L"Gamma") << "the window text is the selected entry";
    SendMessageW(box, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"Aaron"));
    EXPECT_EQ(selection(), 3) << "an entry inserted before the selection moves it along";
    SendMessageW(box, CB_DELETESTRING, 0, 0);
    EXPECT_EQ(selection(), 2);
    EXPECT_EQ(SendMessageW(box, CB_DELETESTRING, 2, 0), 3) << "the entries left";
    EXPECT_EQ(selection(), -1) << "the selected entry is gone";

    SendMessageW(box, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(selection(), -1) << "-1 clears the selection";
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(SendMessageW(box, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(selection(), -1) << "an index past the end clears it too";
    EXPECT_EQ(SendMessageW(box, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(parent.told.empty()) << "the program's own changes are not the operator's";
}

TEST_F(DropDownListTest, ClosedBoxSelectsWithKeysLettersAndWheelAndTellsEachChange) {
    add({L"Allgemein", L"Beiträge", L"Bumper", L"Werbung"});
    key(VK_DOWN);
    EXPECT_EQ(selection(), 0) << "from nothing the first entry";
    key(VK_DOWN);
    EXPECT_EQ(selection(), 1);
    key(VK_END);
    EXPECT_EQ(selection(), 3);
    key(VK_DOWN);
    EXPECT_EQ(selection(), 3);
    EXPECT_EQ(told(CBN_SELCHANGE), 3) << "no change at the end, nothing told";

    SendMessageW(box, WM_CHAR, L'b', 1);
    EXPECT_EQ(selection(), 1) << "the first entry with that letter, ignoring case";
    SendMessageW(box, WM_CHAR, L'B', 1);
    EXPECT_EQ(selection(), 2) << "the next one on each press";
    SendMessageW(box, WM_CHAR, L'b', 1);
    EXPECT_EQ(selection(), 1) << "and round again";
    SendMessageW(box, WM_CHAR, L'x', 1);
    EXPECT_EQ(selection(), 1) << "no entry with that letter";

    SendMessageW(box, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(selection(), 0);
    SendMessageW(box, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(selection(), 1);
    EXPECT_EQ(told(CBN_SELCHANGE), 8);
    EXPECT_FALSE(dropped());
}

TEST_F(DropDownListTest, ClickOpensTheListBelowTheBoxAndAClickOnARowPicksIt) {
    add({L"A", L"B", L"C"});
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at(50, 10));
    ASSERT_TRUE(dropped());
    HWND list = openList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GetCapture(), list) << "the list holds the mouse while it is open";
    RECT face{}, shown{};
    GetWindowRect(box, &face);
    GetWindowRect(list, &shown);
    EXPECT_EQ(shown.top, face.bottom);
    EXPECT_EQ(shown.left, face.left);
    EXPECT_EQ(shown.right - shown.left, face.right - face.left);
    EXPECT_EQ(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL, 0) << "three entries need no scroll bar";

    SendMessageW(list, WM_LBUTTONUP, 0, row(list, 2));
    EXPECT_TRUE(dropped()) << "releasing the press that opened it, without dragging, keeps it open";
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, row(list, 2));
    SendMessageW(list, WM_LBUTTONUP, 0, row(list, 2));
    EXPECT_FALSE(dropped());
    EXPECT_FALSE(IsWindow(list)) << "the list window exists only while open";
    EXPECT_EQ(selection(), 2);
    EXPECT_EQ(parent.told, (std::vector<int>{CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST_F(DropDownListTest, PressOnTheBoxDraggedOntoARowPicksItOnRelease) {
    add({L"A", L"B", L"C"});
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at(50, 10));
    HWND list = openList();
    ASSERT_NE(list, nullptr);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, row(list, 1));
    SendMessageW(list, WM_LBUTTONUP, 0, row(list, 1));
    EXPECT_FALSE(dropped());
    EXPECT_EQ(selection(), 1);
}

TEST_F(DropDownListTest, ReleaseBesideTheRowsPicksNothing) {
    add({L"A", L"B", L"C"});
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = openList();
    ASSERT_NE(list, nullptr);
    RECT client{};
    GetClientRect(list, &client);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, row(list, 2));
    const LPARAM beside = MAKELPARAM(client.right + 30, HIWORD(row(list, 2)));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, beside);
    SendMessageW(list, WM_LBUTTONUP, 0, beside);
    EXPECT_TRUE(dropped()) << "a release to the right of a row is on no row";
    EXPECT_EQ(selection(), 0);
}

TEST_F(DropDownListTest, KeysMoveTheMarkInTheOpenListAndOnlyEnterPicksIt) {
    add({L"A", L"B", L"C", L"D"});
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    SendMessageW(box, WM_SYSKEYDOWN, VK_DOWN, 0x20000001);  // Alt+Down
    ASSERT_TRUE(dropped());
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(selection(), 0) << "moving the mark is no choice yet";
    EXPECT_EQ(told(CBN_SELCHANGE), 0);
    MSG enter{box, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_TRUE(SendMessageW(box, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE)
        << "Enter must reach the open box past the dialog keys";
    key(VK_RETURN);
    EXPECT_FALSE(dropped());
    EXPECT_EQ(selection(), 2);
    EXPECT_EQ(told(CBN_SELCHANGE), 1);
    EXPECT_FALSE(SendMessageW(box, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE)
        << "closed, Enter belongs to the window's default button";
}

TEST_F(DropDownListTest, EscapeAClickOutsideAndLosingTheFocusCloseWithoutAChoice) {
    add({L"A", L"B", L"C"});
    SendMessageW(box, CB_SETCURSEL, 1, 0);

    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    key(VK_DOWN);
    key(VK_ESCAPE);
    EXPECT_FALSE(dropped());

    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = openList();
    ASSERT_NE(list, nullptr);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at(-200, -200));
    EXPECT_FALSE(dropped()) << "a press anywhere else closes the list";

    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    key(VK_UP);
    SetFocus(parentWindow);
    EXPECT_FALSE(dropped());

    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(dropped());
    ReleaseCapture();  // as a menu or a task switch takes the mouse
    EXPECT_FALSE(dropped());

    EXPECT_EQ(selection(), 1);
    EXPECT_EQ(told(CBN_SELCHANGE), 0);
    EXPECT_EQ(told(CBN_DROPDOWN), 4);
    EXPECT_EQ(told(CBN_CLOSEUP), 4);
}

TEST_F(DropDownListTest, LongListShowsEightRowsWithAScrollBarAndStartsAtTheSelection) {
    for (int i = 0; i < 20; ++i) {
        const std::wstring text = L"Entry " + std::to_wstring(i);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(box, CB_SETCURSEL, 15, 0);
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = openList();
    ASSERT_NE(list, nullptr);
    EXPECT_NE(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL, 0);
    const int top = GetScrollPos(list, SB_VERT);
    EXPECT_LE(top, 15);
    EXPECT_GT(top + kDropDownListRows, 15) << "the selected entry is among the rows shown";
    SendMessageW(list, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 0);
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 3);
    SendMessageW(list, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 20 - kDropDownListRows) << "no empty rows below the last entry";
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, row(list, 0));
    SendMessageW(list, WM_LBUTTONUP, 0, row(list, 0));
    EXPECT_EQ(selection(), 20 - kDropDownListRows) << "the first row shown";
}

TEST_F(DropDownListTest, EntriesAddedWhenTheParentHearsOfTheOpeningAreInTheList) {
    parent.onDropDown = [this] { add({L"Spotify", L"VLC"}); };
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = openList();
    ASSERT_NE(list, nullptr);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, row(list, 1));
    SendMessageW(list, WM_LBUTTONUP, 0, row(list, 1));
    EXPECT_EQ(selection(), 1);
    EXPECT_EQ(entry(1), L"VLC");
}

TEST_F(DropDownListTest, ListOpensAboveTheBoxWhenTheScreenEndsBelowIt) {
    for (int i = 0; i < 10; ++i) add({L"Entry"});
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(parentWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    SetWindowPos(parentWindow, nullptr, 40, monitor.rcWork.bottom - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = openList();
    ASSERT_NE(list, nullptr);
    RECT face{}, shown{};
    GetWindowRect(box, &face);
    GetWindowRect(list, &shown);
    EXPECT_EQ(shown.bottom, face.top);
}

TEST_F(DropDownListTest, DisabledBoxNeitherOpensNorStaysOpen) {
    add({L"A"});
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(dropped());
    EnableWindow(box, FALSE);
    EXPECT_FALSE(dropped());
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(box, WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    EXPECT_FALSE(dropped());
}

TEST_F(DropDownListTest, BoxThatGoesWhileOpenTakesItsListAlongAndTellsNothingMore) {
    add({L"A"});
    SetFocus(parentWindow);  // no focus to lose, which would close the list first
    parent.told.clear();
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_NE(openList(), nullptr);
    DestroyWindow(box);
    EXPECT_EQ(openList(), nullptr);
    EXPECT_EQ(parent.told, (std::vector<int>{CBN_DROPDOWN}));
}

// Dark pixels of the box's text area as it prints itself.
int darkPixelsPrinted(HWND box) {
    RECT client{};
    GetClientRect(box, &client);
    HDC screen = GetDC(box);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, client.right, client.bottom};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    int dark = 0;
    for (int y = 3; y < client.bottom - 3; ++y)
        for (int x = 3; x < client.right - GetSystemMetrics(SM_CXVSCROLL) - 2; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
        }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(box, screen);
    return dark;
}

TEST_F(DropDownListTest, PrintsTheSelectedEntryAndNothingWithoutOne) {
    add({L"WWWWWW"});
    SetFocus(parentWindow);  // unfocused: dark text on a light field
    EXPECT_EQ(darkPixelsPrinted(box), 0);
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    EXPECT_GT(darkPixelsPrinted(box), 20) << "the entry's text";
}

}  // namespace

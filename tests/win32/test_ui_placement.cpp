// The real main window's placement: restored at creation, saved with every configuration
// save, its normal position kept while minimised; and the compact toggle at two scalings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "MainWindowFixture.h"
#include "ui/ControlIds.h"
#include "ui/MainUnit.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Win32Monitors.h"
#include "ui/formhook_unit.h"

namespace {

using namespace kv;
using namespace kv::ui;
using kv::ui::win32::Win32MainWindow;

class PlacementWindowTest : public test::MainWindowFixture {
protected:
    const std::wstring section = L"FORM_Kavintamainform";

    RECT outer() const {
        RECT r{};
        GetWindowRect(window->hwnd(), &r);
        return r;
    }
    int clientBottom() const {
        RECT r{};
        GetClientRect(window->hwnd(), &r);
        return r.bottom;
    }
    RECT primaryWorkArea() const {
        const auto all = win32::Win32Monitors().list();
        const Rect w = all.at(static_cast<size_t>(win32::Win32Monitors().primaryIndex())).workArea;
        return {w.left, w.top, w.right(), w.bottom()};
    }
};

TEST_F(PlacementWindowTest, MonitorsAreListedWithThePrimaryAmongThem) {
    const auto all = win32::Win32Monitors().list();
    ASSERT_FALSE(all.empty());
    const int primary = win32::Win32Monitors().primaryIndex();
    EXPECT_GE(primary, 0);
    EXPECT_LT(primary, static_cast<int>(all.size()));
    EXPECT_GT(all[static_cast<size_t>(primary)].workArea.width, 0);
}

TEST_F(PlacementWindowTest, CreationRestoresThePositionAndKeepsTheDesignedSize) {
    profile.set(ini, section, L"TOP", L"120");
    profile.set(ini, section, L"LEFT", L"140");
    profile.set(ini, section, L"HEIGHT", L"150");  // a compact height saved earlier
    create(SW_SHOWNOACTIVATE);
    const RECT r = outer();
    EXPECT_EQ(r.left, 140);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(clientBottom(), 471);
}

TEST_F(PlacementWindowTest, PositionBeyondTheWorkAreaIsClampedToItsRightAndBottom) {
    const RECT work = primaryWorkArea();
    profile.set(ini, section, L"TOP", std::to_wstring(work.bottom - 10));
    profile.set(ini, section, L"LEFT", std::to_wstring(work.right + 500));
    profile.set(ini, section, L"MONITOR", L"7");  // a monitor that is not there
    create(SW_SHOWNOACTIVATE);
    const RECT r = outer();
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
}

TEST_F(PlacementWindowTest, ClosingWhileMinimisedSavesTheNormalPosition) {
    profile.set(ini, L"KONFIG", L"fensterskalieren", L"0");
    create(SW_SHOWNOACTIVATE);
    SetWindowPos(window->hwnd(), nullptr, 150, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump();
    const RECT before = outer();
    ShowWindow(window->hwnd(), SW_MINIMIZE);
    pump();
    ASSERT_TRUE(IsIconic(window->hwnd()));
    form->konfigspeichern();
    EXPECT_EQ(profile.get(ini, section, L"LEFT"), L"150");
    EXPECT_EQ(profile.get(ini, section, L"TOP"), L"130");
    EXPECT_EQ(profile.get(ini, section, L"WINDOWSTATE"), L"1");
    EXPECT_EQ(profile.get(ini, section, L"HEIGHT"), std::to_wstring(before.bottom - before.top));
}

TEST_F(PlacementWindowTest, SavedMaximisedOpensMaximised) {
    profile.set(ini, section, L"WINDOWSTATE", L"2");
    create(SW_SHOWNORMAL);
    EXPECT_TRUE(IsZoomed(window->hwnd()));
    form->konfigspeichern();
    EXPECT_EQ(profile.get(ini, section, L"WINDOWSTATE"), L"2");
}

TEST_F(PlacementWindowTest, CompactToggleGoesAndComesBackAt96And144Ppi) {
    create(SW_SHOWNOACTIVATE);
    form->fensterkleingross.click();
    EXPECT_EQ(clientBottom(), 141);
    form->fensterkleingross.click();
    EXPECT_EQ(clientBottom(), 471);
    window->setScale(144);
    EXPECT_EQ(clientBottom(), 707);
    form->fensterkleingross.click();
    EXPECT_EQ(clientBottom(), 212) << "141 design pixels at 144 PPI";
    form->fensterkleingross.click();
    EXPECT_EQ(clientBottom(), 707) << "the second press restores the full height";
}

// The system's message when the window reaches a monitor with another PPI, with the
// rectangle it suggests for a 605 x 707 client area at (50, 60).
RECT sendDpiChanged(HWND window, int dpi) {
    RECT suggested{0, 0, 605, 707};
    AdjustWindowRectEx(&suggested, Win32MainWindow::kStyle, FALSE, Win32MainWindow::kExStyle);
    OffsetRect(&suggested, 50 - suggested.left, 60 - suggested.top);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

TEST_F(PlacementWindowTest, ScaledWindowFollowsAPpiChangeIntoTheSuggestedRectangle) {
    create(SW_SHOWNOACTIVATE);
    TFormHook::SetFormScaleable(true);
    const RECT suggested = sendDpiChanged(window->hwnd(), 144);
    TFormHook::SetFormScaleable(false);
    EXPECT_EQ(window->scale().dpi(), 144);
    const RECT r = outer();
    EXPECT_EQ(r.left, suggested.left);
    EXPECT_EQ(r.top, suggested.top);
    EXPECT_EQ(clientBottom(), 707);
    RECT kat{};
    GetWindowRect(GetDlgItem(window->hwnd(), ids::KAT_neu), &kat);
    EXPECT_EQ(kat.right - kat.left, 78) << "52 design pixels at 144 PPI";
}

TEST_F(PlacementWindowTest, UnscaledWindowKeepsItsPixelsOnAPpiChange) {
    profile.set(ini, L"KONFIG", L"fensterskalieren", L"0");
    create(SW_SHOWNOACTIVATE);
    const RECT before = outer();
    sendDpiChanged(window->hwnd(), 144);
    EXPECT_EQ(window->scale().dpi(), 96);
    const RECT after = outer();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(clientBottom(), 471);
}

}  // namespace

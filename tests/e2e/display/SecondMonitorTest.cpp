// A window left on a second monitor comes back there, and into the first monitor's work
// area once the second is gone. The monitors are those of the display a Wine session starts
// on, so scripts/e2e-displays.sh runs each phase in a session of its own and hands the data
// folder on (KV_E2E_PHASE_DIR): first with two monitors, then with one.
#include "DisplayPhase.h"

namespace kv::e2e {
namespace {

const std::wstring kSection = L"FORM_Kavintamainform";

// The monitors as the platform lists them, in its order.
std::vector<MONITORINFO> monitorList() {
    std::vector<HMONITOR> handles;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR m, HDC, LPRECT, LPARAM list) {
            reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(m);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&handles));
    std::vector<MONITORINFO> infos;
    for (HMONITOR m : handles) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        GetMonitorInfoW(m, &info);
        infos.push_back(info);
    }
    return infos;
}

RECT outer(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool sameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// A top-left corner on the second monitor alone: right of the first one, and low enough
// that the window reaches below the first one's bottom edge.
POINT placeOnSecondOnly(const MONITORINFO& first, const MONITORINFO& second, SIZE window) {
    const POINT p{first.rcMonitor.right + 76, first.rcMonitor.bottom - 268};
    EXPECT_LE(p.x + window.cx, second.rcWork.right) << "the second monitor has no room right of the first";
    EXPECT_LE(p.y + window.cy, second.rcWork.bottom);
    return p;
}

class SecondMonitor : public DisplayPhase {};

// Phase 1, on the display with two monitors.
TEST_F(SecondMonitor, KeepsTheWindowWhileItIsThere) {
    usePhysicalPixels();
    const auto monitors = monitorList();
    ASSERT_EQ(monitors.size(), 2u) << "this phase needs the two-monitor display";
    writeIni(L"[Musik]\r\nText1=Jingle A\r\n");

    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const RECT first = outer(window.hwnd());
    const SIZE size{first.right - first.left, first.bottom - first.top};
    const POINT p = placeOnSecondOnly(monitors[0], monitors[1], size);
    SetWindowPos(window.hwnd(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(waitUntil([&] { return outer(window.hwnd()).left == p.x; }, Millis{3000}));
    EXPECT_EQ(closeAndWait(window, process(0)), std::optional<DWORD>(0));

    const IniSnapshot saved = readIni();
    EXPECT_EQ(saved.value(kSection, L"MONITOR"), L"1") << "index of the second monitor in the platform's list";
    EXPECT_EQ(saved.value(kSection, L"LEFT"), std::to_wstring(p.x));
    EXPECT_EQ(saved.value(kSection, L"TOP"), std::to_wstring(p.y));

    // Saved on monitor 1, kept in monitor 1's work area: not pulled onto the primary one.
    KavintaWindow again = startShown(standardData());
    ASSERT_NE(again.hwnd(), nullptr);
    const RECT back = outer(again.hwnd());
    EXPECT_EQ(back.left, p.x);
    EXPECT_EQ(back.top, p.y);
    EXPECT_EQ(back.right - back.left, size.cx);
    EXPECT_EQ(back.bottom - back.top, size.cy);
    EXPECT_EQ(closeAndWait(again, process(1)), std::optional<DWORD>(0));
    EXPECT_EQ(readIni().value(kSection, L"MONITOR"), L"1");
}

// Phase 2, the next session, on a display with one monitor.
TEST_F(SecondMonitor, GoneWindowComesBackIntoTheFirst) {
    usePhysicalPixels();
    const auto monitors = monitorList();
    ASSERT_EQ(monitors.size(), 1u) << "this phase needs the one-monitor display";
    const IniSnapshot before = readIni();
    ASSERT_EQ(before.value(kSection, L"MONITOR"), L"1") << "the two-monitor phase did not run first";
    const int savedLeft = std::stoi(before.value(kSection, L"LEFT").value_or(L"0"));
    const int savedTop = std::stoi(before.value(kSection, L"TOP").value_or(L"0"));

    KavintaWindow window = startShown(standardData());
    ASSERT_NE(window.hwnd(), nullptr);
    const RECT work = monitors[0].rcWork;
    const RECT r = outer(window.hwnd());
    const int width = r.right - r.left, height = r.bottom - r.top;
    // The saved position lies beyond the right and the bottom edge of what is left: both win.
    ASSERT_GT(savedLeft + width, work.right);
    ASSERT_GT(savedTop + height, work.bottom);
    EXPECT_EQ(r.left, work.right - width);
    EXPECT_EQ(r.top, work.bottom - height);
    screenshot(window.hwnd());
    // Clamped once at start, and it stays there.
    Sleep(300);
    EXPECT_TRUE(sameRect(outer(window.hwnd()), r));
    EXPECT_EQ(closeAndWait(window, process(0)), std::optional<DWORD>(0));

    const IniSnapshot saved = readIni();
    EXPECT_EQ(saved.value(kSection, L"MONITOR"), L"0");
    EXPECT_EQ(saved.value(kSection, L"LEFT"), std::to_wstring(work.right - width));
    EXPECT_EQ(saved.value(kSection, L"TOP"), std::to_wstring(work.bottom - height));
}

}  // namespace
}  // namespace kv::e2e

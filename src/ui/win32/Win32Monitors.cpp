#include "ui/win32/Win32Monitors.h"

namespace kv::ui::win32 {

namespace {

BOOL CALLBACK collect(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    reinterpret_cast<std::vector<HMONITOR>*>(list)->push_back(monitor);
    return TRUE;
}

std::vector<HMONITOR> handles() {
    std::vector<HMONITOR> all;
    EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

}  // namespace

std::vector<MonitorArea> Win32Monitors::list() const {
    std::vector<MonitorArea> areas;
    for (HMONITOR monitor : handles()) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (!GetMonitorInfoW(monitor, &info)) continue;
        const RECT& w = info.rcWork;
        areas.push_back({{w.left, w.top, w.right - w.left, w.bottom - w.top}});
    }
    return areas;
}

int Win32Monitors::primaryIndex() const {
    const int index = indexOf(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    return index < 0 ? 0 : index;
}

int Win32Monitors::indexOf(HMONITOR monitor) {
    const std::vector<HMONITOR> all = handles();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == monitor) return static_cast<int>(i);
    return -1;
}

}  // namespace kv::ui::win32

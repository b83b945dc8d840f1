#pragma once
// The monitors in the platform's own order (EnumDisplayMonitors), with their work areas.
#include <windows.h>

#include <vector>

#include "ui/formutil_unit.h"

namespace kv::ui::win32 {

class Win32Monitors final : public IMonitors {
public:
    std::vector<MonitorArea> list() const override;
    int primaryIndex() const override;
    // The index of a monitor in the list, -1 when it is not (or no longer) there.
    static int indexOf(HMONITOR monitor);
};

}  // namespace kv::ui::win32

#pragma once
// One tooltip window for the whole form, with one tool per control that shows a hint.
#include <windows.h>

#include <set>
#include <string>

#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

class ToolTips {
public:
    explicit ToolTips(HWND owner);
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    HWND window() const { return tooltip_.get(); }
    // Shows text as the control's tooltip, or removes its tool when show is off or the
    // text is empty.
    void set(HWND control, const std::wstring& text, bool show);
    void remove(HWND control);
    bool has(HWND control) const { return tools_.count(control) > 0; }

private:
    HWND owner_;
    UniqueWindow tooltip_;
    std::set<HWND> tools_;
};

}  // namespace kv::ui::win32

#pragma once
// One tooltip window for the whole form, with one tool per control that shows a hint.
//
// The window is created only when it is first needed (the mouse comes over the form, or
// someone asks for it): it is a top-level window, and creating it costs the start-up as
// much as several controls. Until then the hints are kept and become tools at once.
#include <windows.h>

#include <map>
#include <string>

#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

class ToolTips {
public:
    explicit ToolTips(HWND owner) : owner_(owner) {}
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    // The tooltip window, created with every tool on first call.
    HWND window();
    // Shows text as the control's tooltip, or removes its tool when show is off or the
    // text is empty.
    void set(HWND control, const std::wstring& text, bool show);
    void remove(HWND control);

private:
    bool has(HWND control) const { return hints_.count(control) > 0; }
    bool addTool(HWND control, const std::wstring& text);

    HWND owner_;
    UniqueWindow tooltip_;
    std::map<HWND, std::wstring> hints_;  // every control with a hint to show
};

}  // namespace kv::ui::win32

#pragma once
// Keyboard navigation among the main window's controls: Tab walks them in their creation
// order (the z-order of the child windows), radio buttons that stand together form one
// group inside which the arrow keys move, and the focus returns to the control that had it
// when the window is activated again.
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/win32/Win32View.h"

namespace kv::ui::win32 {

// WS_GROUP on the first of each run of radio buttons and on the control after its last,
// so that the run is one group; a run without a checked button gets the tab stop on its
// first button (otherwise the checked one has it).
void markRadioGroups(const std::vector<std::unique_ptr<Win32View>>& views);

// The first control that Tab reaches in parent (nullptr when there is none).
HWND firstTabStop(HWND parent);

// Remembers the parent's focused control while the parent is inactive and gives it back.
class FocusKeeper {
public:
    // WM_ACTIVATE with WA_INACTIVE: the control that has the focus now.
    void deactivating(HWND parent);
    // WM_SETFOCUS of the parent: hands the focus on to the remembered control, or to the
    // first one Tab reaches; false when the parent has no control to take it.
    bool passFocus(HWND parent);
    void forget() { last_ = nullptr; }

private:
    HWND last_ = nullptr;
};

}  // namespace kv::ui::win32

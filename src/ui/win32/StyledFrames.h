#pragma once
// Group boxes and the separator line in the active style, painted over the system's
// windows of their kind (see PaintHook); false while no style is active.
#include <windows.h>

#include "ui/win32/StyleLook.h"

namespace kv::ui::win32 {

// The frame in group.frame and the caption in group.caption on the window's background;
// the inside is left to the controls it holds.
bool paintStyledGroupBox(HWND box, HDC dc, const StyleLook& look, int dpi);
bool paintStyledSeparator(HWND line, HDC dc, const StyleLook& look);
// The sunken border of an edit (WS_EX_CLIENTEDGE) in button.border, or focus while it has the
// keyboard focus, into the window's DC.
bool paintStyledEditFrame(HWND edit, HDC windowDc, const StyleLook& look);

}  // namespace kv::ui::win32

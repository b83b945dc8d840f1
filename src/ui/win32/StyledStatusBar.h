#pragma once
// The status bar in the active style. Its parts stay the bar's ordinary text parts, so
// SB_GETTEXT and screen readers keep reading their texts; only the painting is the
// style's (see PaintHook): face, texts and the lines between the parts.
#include <windows.h>

#include "ui/win32/StyleLook.h"

namespace kv::ui::win32 {

bool paintStyledStatusBar(HWND bar, HDC dc, const StyleLook& look, int dpi);
// The bar's own background colour (SB_SETBKCOLOR): the style's face, or the system's.
void setStatusBarBackground(HWND bar, const StyleLook& look);

}  // namespace kv::ui::win32

#pragma once
// The up-down arrows of the spin edits and the track bar in the active style: the arrows
// painted over the system's up-down control (see PaintHook), the track bar through its
// custom draw (channel, thumb and tics). Both answer false / CDRF_DODEFAULT without a style.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/StyleLook.h"

namespace kv::ui::win32 {

bool paintStyledUpDown(HWND arrows, HDC dc, const StyleLook& look, int dpi);
LRESULT drawStyledTrackBar(const NMCUSTOMDRAW& draw, const StyleLook& look, int dpi);

}  // namespace kv::ui::win32

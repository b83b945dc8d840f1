#pragma once
// Push buttons, check boxes and radio buttons in the active style, drawn through the
// button's own custom draw (NM_CUSTOMDRAW): the window stays the system's button of its
// kind, which keeps its keys, its states and what screen readers learn of it.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/win32/StyleLook.h"

namespace kv::ui::win32 {

// Each answers one NM_CUSTOMDRAW of its button kind while look has a style: it draws the
// whole button at the pre-paint stage and returns CDRF_SKIPDEFAULT. A push button's caption
// and font come from its view, which knows them (asking the window costs messages on every
// paint); playing: a slot whose jingle runs.
LRESULT drawStyledPushButton(const NMCUSTOMDRAW& draw, const StyleLook& look, int dpi, bool playing,
                             const std::wstring& caption, HFONT font);
LRESULT drawStyledCheckButton(const NMCUSTOMDRAW& draw, const StyleLook& look, int dpi, bool radio);
// The face of a flat glyph button (WM_DRAWITEM) before its glyph is drawn.
void drawStyledFlatFace(const DRAWITEMSTRUCT& item, const StyleLook& look, int dpi);

}  // namespace kv::ui::win32

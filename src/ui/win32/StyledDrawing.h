#pragma once
// The few shapes a style draws its controls with, in the style's cached brushes and pens.
#include <windows.h>

#include <string>

#include "ui/StyleData.h"
#include "ui/win32/StyleLook.h"

namespace kv::ui::win32 {

// Fills r with the face and frames it with the border (borderWidth pixels, inside r), its
// corners rounded by radius pixels. Outside the corners r keeps what it showed.
void drawRoundedBox(HDC dc, const RECT& r, const StyleLook& look, StyleRole face, StyleRole border, int borderWidth,
                    int radius);
// Only the frame of such a box.
void drawRoundedFrame(HDC dc, const RECT& r, const StyleLook& look, StyleRole border, int width, int radius);
// A filled triangle pointing up or down, centred in r.
void drawArrow(HDC dc, const RECT& r, COLORREF colour, bool up, int size);
// Text in colour, with the window's font, transparent over what lies beneath.
void drawStyledText(HDC dc, HWND window, const std::wstring& text, RECT r, COLORREF colour, UINT format);
// The same with the font and whether access keys show already known.
void drawStyledText(HDC dc, HFONT font, bool accessKeys, const std::wstring& text, RECT r, COLORREF colour,
                    UINT format);

// The size the text takes on one line in the window's font.
SIZE measureStyledText(HDC dc, HWND window, const std::wstring& text);

// Whether the window shows its focus mark and its underlined access keys now (the system
// hides both until the keyboard is used).
bool showsFocusCues(HWND window);
bool showsAccessKeys(HWND window);
// The window's whole text, however long.
std::wstring textOfWindow(HWND window);
// Whether the mouse is over the window's rectangle now. Asked of the rectangle, not of the
// window under the mouse: that question goes to whichever program's window lies there.
bool mouseOver(HWND window, const RECT* part = nullptr);

}  // namespace kv::ui::win32

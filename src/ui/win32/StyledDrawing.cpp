#include "ui/win32/StyledDrawing.h"

namespace kv::ui::win32 {

void drawRoundedBox(HDC dc, const RECT& r, const StyleLook& look, StyleRole face, StyleRole border, int borderWidth,
                    int radius) {
    SelectedObject brush(dc, look.brush(face));
    SelectedObject pen(dc, borderWidth > 0 ? look.pen(border, borderWidth) : GetStockObject(NULL_PEN));
    // A null pen leaves the right and bottom edges out: the fill takes them instead.
    const int extra = borderWidth > 0 ? 0 : 1;
    RoundRect(dc, r.left, r.top, r.right + extra, r.bottom + extra, 2 * radius, 2 * radius);
}

void drawRoundedFrame(HDC dc, const RECT& r, const StyleLook& look, StyleRole border, int width, int radius) {
    if (width <= 0) return;
    SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    SelectedObject pen(dc, look.pen(border, width));
    RoundRect(dc, r.left, r.top, r.right, r.bottom, 2 * radius, 2 * radius);
}

void drawArrow(HDC dc, const RECT& r, COLORREF colour, bool up, int size) {
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    const int half = size, height = (size + 1) / 2;
    // Drawn line by line: exact at every size, no pen or brush needed.
    for (int row = 0; row <= height; ++row) {
        const int y = up ? cy - height / 2 + row : cy + height / 2 - row;
        const int w = half * row / (height ? height : 1);
        RECT line{cx - w, y, cx + w + 1, y + 1};
        SetBkColor(dc, colour);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    }
}

void drawStyledText(HDC dc, HWND window, const std::wstring& text, RECT r, COLORREF colour, UINT format) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    drawStyledText(dc, font, showsAccessKeys(window), text, r, colour, format);
}

void drawStyledText(HDC dc, HFONT font, bool accessKeys, const std::wstring& text, RECT r, COLORREF colour,
                    UINT format) {
    SelectedObject selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, colour);
    const int mode = SetBkMode(dc, TRANSPARENT);
    if (!accessKeys) format |= DT_HIDEPREFIX;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SetBkMode(dc, mode);
}

SIZE measureStyledText(HDC dc, HWND window, const std::wstring& text) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, 0, 0};
    UINT format = DT_LEFT | DT_SINGLELINE | DT_CALCRECT;
    if (!showsAccessKeys(window)) format |= DT_HIDEPREFIX;
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()), &r, format);
    return {r.right - r.left, r.bottom - r.top};
}

bool mouseOver(HWND window, const RECT* part) {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return false;
    RECT r{};
    if (part) {
        r = *part;
        MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    } else {
        GetWindowRect(window, &r);
    }
    return PtInRect(&r, cursor) != FALSE;
}

bool showsFocusCues(HWND window) { return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0; }

bool showsAccessKeys(HWND window) { return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) == 0; }

std::wstring textOfWindow(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace kv::ui::win32

#include "ui/win32/DropDownPaint.h"

#include <vssym32.h>

#include <algorithm>

#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

namespace {

constexpr int kTextIndent = 2;  // pixels between the text area's edge and the text
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

// Frame and arrow button; returns the area left for the entry.
RECT paintFrame(HDC dc, const DropDownFace& face) {
    const RECT& client = face.client;
    RECT text = client;
    RECT button = client;
    if (face.theme) {
        const int state = !face.enabled ? CBRO_DISABLED : face.open ? CBRO_PRESSED : face.hot ? CBRO_HOT : CBRO_NORMAL;
        DrawThemeBackground(face.theme, dc, CP_READONLY, state, &client, nullptr);
        if (FAILED(GetThemeBackgroundContentRect(face.theme, dc, CP_READONLY, state, &client, &text))) {
            text = client;
            InflateRect(&text, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        }
        button = RECT{client.left, client.top + 1, client.right - 1, client.bottom - 1};
        button.left = std::max(client.left, button.right - GetSystemMetrics(SM_CXVSCROLL));
        const int buttonState =
            !face.enabled ? CBXSR_DISABLED : face.open ? CBXSR_PRESSED : face.hot ? CBXSR_HOT : CBXSR_NORMAL;
        DrawThemeBackground(face.theme, dc, CP_DROPDOWNBUTTONRIGHT, buttonState, &button, nullptr);
    } else {
        DrawEdge(dc, &text, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        button = text;
        button.left = std::max(text.left, text.right - GetSystemMetrics(SM_CXVSCROLL));
        DrawFrameControl(dc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (face.open ? DFCS_PUSHED | DFCS_FLAT : 0) |
                             (face.enabled ? 0 : DFCS_INACTIVE));
    }
    text.right = std::max(text.left, button.left - 1);
    InflateRect(&text, 0, -1);
    return text;
}

}  // namespace

void paintDropDownFace(HDC dc, const DropDownFace& face) {
    const RECT text = paintFrame(dc, face);
    if (face.marked) {
        FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (!face.theme) {
        FillRect(dc, &text, face.enabled ? face.background : GetSysColorBrush(COLOR_BTNFACE));
    }
    if (!face.enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    if (face.text) {
        SelectedObject selected(dc, face.font);
        SetBkMode(dc, TRANSPARENT);
        RECT inner = text;
        inner.left += kTextIndent;
        DrawTextW(dc, face.text->c_str(), static_cast<int>(face.text->size()), &inner, kTextFormat);
    }
    if (face.marked) DrawFocusRect(dc, &text);
}

void paintDropDownRows(HDC dc, const DropDownRows& rows) {
    FillRect(dc, &rows.client, rows.background);
    const COLORREF text = GetTextColor(dc);
    SelectedObject selected(dc, rows.font);
    SetBkMode(dc, TRANSPARENT);
    const int count = rows.items ? static_cast<int>(rows.items->size()) : 0;
    for (int index = rows.top; index < rows.top + rows.rows && index < count; ++index) {
        const int y = rows.client.top + (index - rows.top) * rows.rowHeight;
        RECT row{rows.client.left, y, rows.client.right, y + rows.rowHeight};
        const bool marked = index == rows.highlight;
        if (marked) FillRect(dc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, marked ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
        row.left += kTextIndent;
        const std::wstring& entry = (*rows.items)[static_cast<size_t>(index)];
        DrawTextW(dc, entry.c_str(), static_cast<int>(entry.size()), &row, kTextFormat);
    }
}

}  // namespace kv::ui::win32

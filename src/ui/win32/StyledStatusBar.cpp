#include "ui/win32/StyledStatusBar.h"

#include <commctrl.h>

#include <string>

#include "ui/win32/StyledDrawing.h"

namespace kv::ui::win32 {

namespace {

constexpr int kMaxParts = 8;
constexpr int kTextIndent = 3;  // design pixels

std::wstring partText(HWND bar, int part) {
    const LRESULT length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

bool paintStyledStatusBar(HWND bar, HDC dc, const StyleLook& look, int dpi) {
    if (!look.style()) return false;
    RECT client{};
    GetClientRect(bar, &client);
    FillRect(dc, &client, look.brush(StyleRole::StatusFace));
    RECT top{client.left, client.top, client.right, client.top + 1};
    FillRect(dc, &top, look.brush(StyleRole::Separator));

    int edges[kMaxParts] = {};
    const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, kMaxParts, reinterpret_cast<LPARAM>(edges)));
    const int indent = MulDiv(kTextIndent, dpi, 96);
    for (int part = 0; part < parts && part < kMaxParts; ++part) {
        RECT r{};
        if (!SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&r))) continue;
        if (edges[part] != -1) {
            RECT line{r.right - 1, r.top + 1, r.right, r.bottom - 1};
            FillRect(dc, &line, look.brush(StyleRole::Separator));
        }
        r.left += indent;
        r.right -= indent;
        drawStyledText(dc, bar, partText(bar, part), r, look.colour(StyleRole::StatusText),
                       DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    return true;
}

void setStatusBarBackground(HWND bar, const StyleLook& look) {
    const COLORREF colour = look.style() ? look.colour(StyleRole::StatusFace) : CLR_DEFAULT;
    SendMessageW(bar, SB_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
}

}  // namespace kv::ui::win32

#include "ui/win32/StyledSpinTrack.h"

#include "ui/StyleStates.h"
#include "ui/win32/StyledDrawing.h"

namespace kv::ui::win32 {

namespace {

constexpr int kArrowSize = 3;  // design pixels from the tip to each corner

// The state of one arrow: the mouse over it, or pressed on it while the control holds
// the mouse.
ControlState arrowState(HWND arrows, const RECT& half) {
    if (!IsWindowEnabled(arrows)) return ControlState::Disabled;
    const bool over = mouseOver(arrows, &half);
    const bool pressed = over && GetCapture() == arrows && GetKeyState(VK_LBUTTON) < 0;
    return controlState(true, pressed, over);
}

void drawThumb(HDC dc, const RECT& r, const StyleLook& look, UINT itemState, int dpi) {
    const bool active = (itemState & (CDIS_HOT | CDIS_SELECTED)) != 0;
    const StyleRole face = (itemState & CDIS_DISABLED) ? StyleRole::ButtonDisabledFace : StyleRole::TrackThumb;
    drawRoundedBox(dc, r, look, face, active ? StyleRole::Focus : StyleRole::ButtonBorder, scaledMetric(1, dpi),
                   look.metric(StyleMetric::CheckRadius, dpi));
}

constexpr int kTicGap = 2, kTicLength = 3;  // design pixels below the thumb

// Tics below a horizontal bar's thumb, as TBS_BOTTOM places them.
void drawTics(HDC dc, HWND track, const StyleLook& look, int dpi) {
    const int count = static_cast<int>(SendMessageW(track, TBM_GETNUMTICS, 0, 0));
    RECT channel{}, thumb{};
    SendMessageW(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int top = thumb.bottom + MulDiv(kTicGap, dpi, 96);
    const int bottom = top + MulDiv(kTicLength, dpi, 96);
    HBRUSH brush = look.brush(StyleRole::ButtonBorder);
    auto tic = [&](int x) {
        RECT line{x, top, x + 1, bottom};
        FillRect(dc, &line, brush);
    };
    // The first and the last tic are the ends of the range; TBM_GETTICPOS knows the others.
    const int half = (thumb.right - thumb.left) / 2;
    tic(channel.left + half);
    tic(channel.right - half - 1);
    for (int i = 0; i < count - 2; ++i) {
        const int x = static_cast<int>(SendMessageW(track, TBM_GETTICPOS, static_cast<WPARAM>(i), 0));
        if (x >= 0) tic(x);
    }
}

}  // namespace

bool paintStyledUpDown(HWND arrows, HDC dc, const StyleLook& look, int dpi) {
    if (!look.style()) return false;
    RECT client{};
    GetClientRect(arrows, &client);
    FillRect(dc, &client, look.brush(StyleRole::EditFace));
    const int middle = (client.top + client.bottom) / 2;
    const RECT halves[2] = {{client.left, client.top, client.right, middle},
                            {client.left, middle, client.right, client.bottom}};
    for (int i = 0; i < 2; ++i) {
        const ButtonColours c = buttonColours(arrowState(arrows, halves[i]), false, false);
        drawRoundedBox(dc, halves[i], look, c.face, c.border, scaledMetric(1, dpi),
                       look.metric(StyleMetric::CheckRadius, dpi) / 2);
        drawArrow(dc, halves[i], look.colour(c.text), i == 0, MulDiv(kArrowSize, dpi, 96));
    }
    return true;
}

LRESULT drawStyledTrackBar(const NMCUSTOMDRAW& draw, const StyleLook& look, int dpi) {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    HDC dc = draw.hdc;
    switch (draw.dwItemSpec) {
        case TBCD_CHANNEL: {
            RECT channel = draw.rc;
            drawRoundedBox(dc, channel, look, StyleRole::TrackChannel, StyleRole::TrackChannel, 0, 0);
            return CDRF_SKIPDEFAULT;
        }
        case TBCD_THUMB: drawThumb(dc, draw.rc, look, draw.uItemState, dpi); return CDRF_SKIPDEFAULT;
        case TBCD_TICS: drawTics(dc, draw.hdr.hwndFrom, look, dpi); return CDRF_SKIPDEFAULT;
        default: return CDRF_DODEFAULT;
    }
}

}  // namespace kv::ui::win32

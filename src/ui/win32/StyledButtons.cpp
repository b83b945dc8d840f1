#include "ui/win32/StyledButtons.h"

#include "ui/StyleStates.h"
#include "ui/win32/StyledDrawing.h"

namespace kv::ui::win32 {

namespace {

constexpr int kCheckBoxSize = 13;  // design pixels, as the system's box
constexpr int kCheckTextGap = 4;

struct ButtonState {
    ControlState state;
    bool focusShown;
    bool accessKeys;
};

ButtonState stateOf(const NMCUSTOMDRAW& draw) {
    HWND button = draw.hdr.hwndFrom;
    const bool enabled = !(draw.uItemState & CDIS_DISABLED) && IsWindowEnabled(button);
    const LRESULT pushState = SendMessageW(button, BM_GETSTATE, 0, 0);
    const bool pressed = (draw.uItemState & CDIS_SELECTED) || (pushState & BST_PUSHED);
    const bool hot = (draw.uItemState & CDIS_HOT) != 0;
    const bool focused = (draw.uItemState & CDIS_FOCUS) != 0;
    const LRESULT cues = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
    return {controlState(enabled, pressed, hot), enabled && focused && !(cues & UISF_HIDEFOCUS),
            !(cues & UISF_HIDEACCEL)};
}

int scaled(int designPixels, int dpi) { return MulDiv(designPixels, dpi, 96); }

void drawCheckMark(HDC dc, const RECT& box, const StyleLook& look, StyleRole mark, int dpi) {
    const int w = box.right - box.left;
    const POINT tick[3] = {{box.left + w * 3 / 13, box.top + w * 6 / 13},
                           {box.left + w * 5 / 13, box.top + w * 9 / 13},
                           {box.left + w * 10 / 13, box.top + w * 3 / 13}};
    SelectedObject pen(dc, look.pen(mark, scaled(2, dpi)));
    Polyline(dc, tick, 3);
}

void drawRadioCircle(HDC dc, const RECT& box, const StyleLook& look, const CheckColours& c, bool checked, int dpi) {
    {
        SelectedObject brush(dc, look.brush(c.face));
        SelectedObject pen(dc, look.pen(c.border, scaledMetric(1, dpi)));
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
    }
    if (!checked) return;
    RECT dot = box;
    const int inset = (box.right - box.left) * 3 / 10;
    InflateRect(&dot, -inset, -inset);
    SelectedObject brush(dc, look.brush(c.mark));
    SelectedObject pen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, dot.left, dot.top, dot.right + 1, dot.bottom + 1);
}

}  // namespace

LRESULT drawStyledPushButton(const NMCUSTOMDRAW& draw, const StyleLook& look, int dpi, bool playing,
                             const std::wstring& caption, HFONT font) {
    if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    HDC dc = draw.hdc;
    const RECT r = draw.rc;
    const ButtonState s = stateOf(draw);
    const ButtonColours c = buttonColours(s.state, s.focusShown, playing);
    const int border = look.metric(StyleMetric::BorderWidth, dpi);
    const int radius = look.metric(StyleMetric::ButtonRadius, dpi);
    FillRect(dc, &r, look.windowBrush());  // beyond the rounded corners
    drawRoundedBox(dc, r, look, c.face, c.border, border, radius);
    if (s.focusShown) {
        // A second ring inside the border, in the focus colour.
        RECT ring = r;
        const int inset = border + scaledMetric(1, dpi);
        InflateRect(&ring, -inset, -inset);
        drawRoundedFrame(dc, ring, look, StyleRole::Focus, look.metric(StyleMetric::FocusWidth, dpi),
                         radius > inset ? radius - inset : 0);
    }
    RECT text = r;
    if (s.state == ControlState::Pressed) OffsetRect(&text, 0, 1);
    drawStyledText(dc, font, s.accessKeys, caption, text, look.colour(c.text), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return CDRF_SKIPDEFAULT;
}

LRESULT drawStyledCheckButton(const NMCUSTOMDRAW& draw, const StyleLook& look, int dpi, bool radio) {
    if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    HWND button = draw.hdr.hwndFrom;
    HDC dc = draw.hdc;
    const RECT r = draw.rc;
    const ButtonState s = stateOf(draw);
    const CheckColours c = checkColours(s.state, s.focusShown);
    const bool checked = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    FillRect(dc, &r, look.windowBrush());

    const int size = scaled(kCheckBoxSize, dpi);
    const int top = r.top + (r.bottom - r.top - size) / 2;
    const RECT box{r.left, top, r.left + size, top + size};
    if (radio) {
        drawRadioCircle(dc, box, look, c, checked, dpi);
    } else {
        drawRoundedBox(dc, box, look, c.face, c.border, scaledMetric(1, dpi), look.metric(StyleMetric::CheckRadius, dpi));
        if (checked) drawCheckMark(dc, box, look, c.mark, dpi);
    }

    RECT text{box.right + scaled(kCheckTextGap, dpi), r.top, r.right, r.bottom};
    const std::wstring caption = textOfWindow(button);
    drawStyledText(dc, button, caption, text, look.colour(c.text), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (s.focusShown && !caption.empty()) {
        const SIZE extent = measureStyledText(dc, button, caption);
        RECT mark{text.left, r.top + (r.bottom - r.top - extent.cy) / 2, text.left + extent.cx, 0};
        mark.bottom = mark.top + extent.cy;
        InflateRect(&mark, scaledMetric(1, dpi), 0);
        if (mark.right > r.right) mark.right = r.right;
        FrameRect(dc, &mark, look.brush(StyleRole::Focus));
    }
    return CDRF_SKIPDEFAULT;
}

void drawStyledFlatFace(const DRAWITEMSTRUCT& item, const StyleLook& look, int dpi) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, look.windowBrush());
    if (pressed)
        drawRoundedBox(item.hDC, item.rcItem, look, StyleRole::ButtonPressedFace, StyleRole::ButtonBorder,
                       look.metric(StyleMetric::BorderWidth, dpi), look.metric(StyleMetric::ButtonRadius, dpi));
}

}  // namespace kv::ui::win32

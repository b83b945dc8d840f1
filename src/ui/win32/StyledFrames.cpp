#include "ui/win32/StyledFrames.h"

#include <string>

#include "ui/StyleStates.h"
#include "ui/win32/StyledDrawing.h"

namespace kv::ui::win32 {

namespace {
constexpr int kCaptionIndent = 8;  // design pixels from the frame's left edge
constexpr int kCaptionPadding = 2;
}  // namespace

bool paintStyledGroupBox(HWND box, HDC dc, const StyleLook& look, int dpi) {
    if (!look.style()) return false;
    RECT client{};
    GetClientRect(box, &client);
    const std::wstring caption = textOfWindow(box);
    const SIZE textSize = measureStyledText(dc, box, caption);
    const int textHeight = textSize.cy;

    RECT frame = client;
    frame.top = textHeight / 2;
    drawRoundedFrame(dc, frame, look, StyleRole::GroupFrame, scaledMetric(1, dpi),
                     look.metric(StyleMetric::ButtonRadius, dpi));
    if (caption.empty()) return true;
    const int indent = MulDiv(kCaptionIndent, dpi, 96), padding = MulDiv(kCaptionPadding, dpi, 96);
    RECT back{indent, 0, indent + textSize.cx + 2 * padding, textHeight};
    if (back.right > client.right) back.right = client.right;
    FillRect(dc, &back, look.windowBrush());
    RECT text = back;
    InflateRect(&text, -padding, 0);
    const StyleRole colour = IsWindowEnabled(box) ? StyleRole::GroupCaption : StyleRole::ButtonDisabledText;
    drawStyledText(dc, box, caption, text, look.colour(colour), DT_LEFT | DT_SINGLELINE | DT_TOP);
    return true;
}

bool paintStyledSeparator(HWND line, HDC dc, const StyleLook& look) {
    if (!look.style()) return false;
    RECT client{};
    GetClientRect(line, &client);
    FillRect(dc, &client, look.brush(StyleRole::Separator));
    return true;
}

bool paintStyledEditFrame(HWND edit, HDC windowDc, const StyleLook& look) {
    if (!look.style() || !(GetWindowLongPtrW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return false;
    RECT outer{};
    GetWindowRect(edit, &outer);
    OffsetRect(&outer, -outer.left, -outer.top);
    const bool focused = GetFocus() == edit;
    FrameRect(windowDc, &outer, look.brush(focused ? StyleRole::Focus : StyleRole::ButtonBorder));
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    const bool enabled = IsWindowEnabled(edit) != FALSE;
    FrameRect(windowDc, &inner, look.brush(enabled ? StyleRole::EditFace : StyleRole::ButtonDisabledFace));
    return true;
}

}  // namespace kv::ui::win32

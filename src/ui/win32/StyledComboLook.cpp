#include "ui/win32/StyledComboLook.h"

#include "ui/StyleStates.h"
#include "ui/win32/StyledDrawing.h"

namespace kv::ui::win32 {

namespace {

constexpr int kItemHeight = 15;  // design pixels: the closed box stays 21 high
constexpr int kTextIndent = 2;
constexpr int kArrowSize = 4;

std::wstring selectedText(HWND box) {
    const auto index = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    const auto length = SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

int StyledComboLook::itemHeight() const { return scale_.toWindow(kItemHeight); }

void StyledComboLook::drawEntry(HDC dc, HWND box, RECT r, const std::wstring& text, bool selected, bool face,
                                bool enabled) const {
    StyleRole back = face ? StyleRole::ComboFace : StyleRole::ComboList;
    StyleRole fore = face ? StyleRole::ComboText : StyleRole::ComboListText;
    if (!enabled) {
        fore = StyleRole::ButtonDisabledText;
        back = StyleRole::ButtonDisabledFace;
    } else if (selected) {
        back = StyleRole::Selection;
        fore = StyleRole::SelectionText;
    }
    FillRect(dc, &r, look_.brush(back));
    r.left += scale_.toWindow(kTextIndent);
    drawStyledText(dc, box, text, r, look_.colour(fore), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void StyledComboLook::drawItem(const DRAWITEMSTRUCT& item, const std::wstring& text) {
    if (!look_.style()) return;
    const bool face = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    HWND box = item.hwndItem;  // the combo box, for the list's entries too
    const bool enabled = !(item.itemState & ODS_DISABLED);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    drawEntry(item.hDC, box, item.rcItem, text, selected, face, enabled);
    if (face && (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT) && showsFocusCues(box))
        DrawFocusRect(item.hDC, &item.rcItem);
}

HBRUSH StyledComboLook::listColours(HDC dc) {
    if (!look_.style()) return nullptr;
    SetTextColor(dc, look_.colour(StyleRole::ComboListText));
    SetBkColor(dc, look_.colour(StyleRole::ComboList));
    return look_.brush(StyleRole::ComboList);
}

bool StyledComboLook::paintFace(HWND box, HDC dc) {
    if (!look_.style()) return false;
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(box, &info)) return false;
    RECT client{};
    GetClientRect(box, &client);
    const int dpi = scale_.dpi();
    const bool enabled = IsWindowEnabled(box) != FALSE;
    const bool focused = GetFocus() == box;
    const bool dropped = SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    const bool hot = mouseOver(box);

    FillRect(dc, &client, look_.windowBrush());
    const ButtonColours c = buttonColours(controlState(enabled, dropped, hot), focused && showsFocusCues(box), false);
    const int border = look_.metric(StyleMetric::BorderWidth, dpi);
    const int radius = look_.metric(StyleMetric::ButtonRadius, dpi);
    drawRoundedBox(dc, client, look_, enabled ? StyleRole::ComboFace : StyleRole::ButtonDisabledFace, c.border, border,
                   radius);
    // The arrow button: a face of its own inside the frame.
    RECT button = info.rcButton;
    InflateRect(&button, -border, 0);
    button.top = client.top + border + scaledMetric(1, dpi);
    button.bottom = client.bottom - border - scaledMetric(1, dpi);
    drawRoundedBox(dc, button, look_, c.face, c.face, 0, radius > 1 ? radius - 1 : 0);
    drawArrow(dc, button, look_.colour(c.text), false, scale_.toWindow(kArrowSize));

    drawEntry(dc, box, info.rcItem, selectedText(box), enabled && focused && !dropped, true, enabled);
    if (enabled && focused && !dropped && showsFocusCues(box)) DrawFocusRect(dc, &info.rcItem);
    return true;
}

}  // namespace kv::ui::win32

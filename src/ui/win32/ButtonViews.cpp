// Push buttons, speed buttons, check boxes and radio buttons. The non-automatic button
// styles leave the checked state to the control model, which the view only mirrors.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/ControlViews.h"
#include "ui/win32/ModalLoops.h"

namespace kv::ui::win32 {

namespace {

constexpr UINT_PTR kMouseHookId = 1;

bool isMouseDown(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: return true;
        default: return false;
    }
}

MouseButton mouseButtonOf(UINT message) {
    if (message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK) return MouseButton::Right;
    if (message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK) return MouseButton::Middle;
    return MouseButton::Left;
}

}  // namespace

// --- Push and speed buttons

ButtonViewBase::ButtonViewBase(Button& model, const ViewContext& context)
    : Win32View(model, context), button_(model) {}

ButtonViewBase::~ButtonViewBase() {
    if (hooked_ && IsWindow(hwnd())) RemoveWindowSubclass(hwnd(), subclassProc, kMouseHookId);
}

void ButtonViewBase::installMouseHook() {
    hooked_ = SetWindowSubclass(hwnd(), subclassProc, kMouseHookId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void ButtonViewBase::onCommand(int notifyCode, HWND) {
    // An owner-drawn button reports the second click of a double click as a double click.
    if (notifyCode == BN_CLICKED || notifyCode == BN_DOUBLECLICKED) button_.click();
}

LRESULT ButtonViewBase::onMouseButton(UINT message, WPARAM wParam, LPARAM lParam) {
    const unsigned loopsBefore = modalLoopCount();
    const MouseButton pressed = mouseButtonOf(message);
    button_.mouseDown(pressed);
    // A dialog shown by the handler has taken the press (and its release): the button's
    // own processing would capture the mouse and stay pushed, so it is left out.
    if (pressed == MouseButton::Left && modalLoopCount() != loopsBefore) return 0;
    return DefSubclassProc(hwnd(), message, wParam, lParam);
}

LRESULT CALLBACK ButtonViewBase::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR self) noexcept {
    try {
        if (isMouseDown(message))
            return reinterpret_cast<ButtonViewBase*>(self)->onMouseButton(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            reinterpret_cast<ButtonViewBase*>(self)->hooked_ = false;
            RemoveWindowSubclass(window, subclassProc, id);
        }
    } catch (...) {
        reportCurrentException(GetParent(window));
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

PushButtonView::PushButtonView(Button& model, const ViewContext& context)
    : ButtonViewBase(model, context), push_(model) {
    createWindow(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
    installMouseHook();
}

std::wstring PushButtonView::initialText() const { return push_.caption(); }

bool PushButtonView::applyText() { return showText(push_.caption()); }

SpeedButtonView::SpeedButtonView(SpeedButton& model, const ViewContext& context)
    : ButtonViewBase(model, context), speed_(model) {
    createWindow(L"BUTTON", BS_OWNERDRAW);
    installMouseHook();
    setGlyph(glyphForResource(model.glyph()));
}

void SpeedButtonView::setGlyph(GlyphImage glyph) {
    glyph_ = std::move(glyph);
    bitmap_ = makeBitmap(glyph_);
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void SpeedButtonView::apply(Aspect aspect) {
    if (aspect == Aspect::Glyph) {
        setGlyph(glyphForResource(speed_.glyph()));
        return;
    }
    ButtonViewBase::apply(aspect);
}

bool SpeedButtonView::onDrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    if (pressed) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    if (!bitmap_) return true;

    const int width = scale().toWindow(glyph_.width);
    const int height = scale().toWindow(glyph_.height);
    const int offset = pressed ? 1 : 0;  // a pressed flat button shifts its picture
    const int x = r.left + (r.right - r.left - width) / 2 + offset;
    const int y = r.top + (r.bottom - r.top - height) / 2 + offset;
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return true;
    SelectedObject selected(memory.get(), bitmap_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, width, height, memory.get(), 0, 0, glyph_.width, glyph_.height, SRCCOPY);
    return true;
}

// --- Check boxes and radio buttons

CheckBoxView::CheckBoxView(CheckBox& model, const ViewContext& context) : Win32View(model, context), box_(model) {
    createWindow(L"BUTTON", BS_CHECKBOX | WS_TABSTOP);
    if (box_.checked()) apply(Aspect::Checked);
}

void CheckBoxView::apply(Aspect aspect) {
    if (aspect == Aspect::Checked) {
        SendMessageW(hwnd(), BM_SETCHECK, box_.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    Win32View::apply(aspect);
}

void CheckBoxView::onCommand(int notifyCode, HWND) {
    if (notifyCode == BN_CLICKED) box_.click();
}

RadioButtonView::RadioButtonView(RadioButton& model, const ViewContext& context)
    : Win32View(model, context), radio_(model) {
    createWindow(L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP);
    if (radio_.checked()) apply(Aspect::Checked);
}

void RadioButtonView::apply(Aspect aspect) {
    if (aspect == Aspect::Checked) {
        SendMessageW(hwnd(), BM_SETCHECK, radio_.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    Win32View::apply(aspect);
}

void RadioButtonView::onCommand(int notifyCode, HWND) {
    if (notifyCode == BN_CLICKED) radio_.click();
}

}  // namespace kv::ui::win32

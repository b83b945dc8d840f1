// Push buttons, speed buttons, check boxes and radio buttons. Check boxes and radio buttons
// are the automatic kinds, as the keyboard and the system's accessibility expect them: the
// window changes its own state on a click, and the model, told by the click, takes the same
// state and runs its handler.
#include <windows.h>
#include <commctrl.h>

#include "app/Texts.h"
#include "ui/win32/ControlViews.h"
#include "ui/win32/ModalLoops.h"
#include "ui/win32/StyledButtons.h"

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

// The keyboard's context-menu keys: Shift+F10 going down, and the context-menu key coming
// up (when Windows, too, reports it as a context menu).
// Every message passes here: the keyboard state is asked only for F10.
bool isContextKey(UINT message, WPARAM key) {
    if ((message == WM_SYSKEYDOWN || message == WM_KEYDOWN) && key == VK_F10) {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool otherModifier = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
        return shift && !otherModifier;
    }
    return message == WM_KEYUP && key == VK_APPS;
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

void ButtonViewBase::onContextKey() { button_.mouseDown(MouseButton::Right); }

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
        // Told as the system tells it, as a context menu without a position that the button
        // passes to its parent. Not left to the default processing: it knows no context-menu
        // key on some systems, and after Shift+F10 it would enter the window's menu mode.
        if (isContextKey(message, wParam)) {
            SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), static_cast<LPARAM>(-1));
            return 0;
        }
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
    annotateName();
}

PushButtonView::~PushButtonView() {
    // The system keeps an annotation as long as it is not cleared, window or no window.
    if (!spokenName_.empty() && context().names) context().names->clearName(hwnd());
}

std::wstring PushButtonView::initialText() const { return push_.caption(); }

bool PushButtonView::applyText() {
    const bool changed = showText(push_.caption());
    annotateName();
    return changed;
}

bool PushButtonView::onNotify(const NMHDR& header, LRESULT& result) {
    const StyleLook* look = styledLook();
    if (header.code != NM_CUSTOMDRAW || !look) return false;
    HFONT font = context().fonts ? context().fonts->get(push_.font()) : nullptr;
    result = drawStyledPushButton(reinterpret_cast<const NMCUSTOMDRAW&>(header), *look, scale().dpi(),
                                  !push_.marker().empty(), push_.caption(), font);
    return true;
}

void PushButtonView::annotateName() {
    AccessibleNames* names = context().names;
    if (!names || !hwnd()) return;
    std::wstring name;
    if (!push_.marker().empty() && context().playingName) name = formatText(*context().playingName, push_.text());
    if (name == spokenName_) return;
    if (name.empty()) names->clearName(hwnd());
    else names->setName(hwnd(), name);
    spokenName_ = std::move(name);
}

SpeedButtonView::SpeedButtonView(SpeedButton& model, const ViewContext& context)
    : ButtonViewBase(model, context), speed_(model) {
    // The button starts with its designed picture; later ones (recoloured) come from the model.
    if (model.glyphPixels().empty()) model.setGlyphPixels(glyphForResource(model.glyph()));
    createWindow(L"BUTTON", BS_OWNERDRAW | WS_TABSTOP);
    installMouseHook();
    setGlyph(model.glyphPixels());
}

void SpeedButtonView::setGlyph(GlyphImage glyph) {
    glyph_ = std::move(glyph);
    makeShownBitmap();
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void SpeedButtonView::coloursChanged() { makeShownBitmap(); }

void SpeedButtonView::makeShownBitmap() {
    const bool systemColours = context().contrast && context().contrast->on() && isButtonToneGlyph(glyph_);
    if (!systemColours) {
        bitmap_ = makeBitmap(glyph_);
        return;
    }
    auto inGlyphOrder = [](COLORREF c) { return rgb(GetRValue(c), GetGValue(c), GetBValue(c)); };
    bitmap_ = makeBitmap(recoloured(glyph_, inGlyphOrder(GetSysColor(COLOR_BTNFACE)), inGlyphOrder(GetSysColor(COLOR_BTNTEXT))));
}

void SpeedButtonView::apply(Aspect aspect) {
    if (aspect == Aspect::Glyph) {
        setGlyph(speed_.glyphPixels());
        return;
    }
    ButtonViewBase::apply(aspect);
}

bool SpeedButtonView::onDrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    if (const StyleLook* look = styledLook()) {
        drawStyledFlatFace(item, *look, scale().dpi());
    } else {
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (pressed) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    if (bitmap_) drawGlyph(dc, r, pressed);
    // Over the picture, which may fill the button: the mark inverts what lies beneath it.
    if (showsFocusMark(item)) {
        RECT mark = r;
        InflateRect(&mark, -1, -1);
        DrawFocusRect(dc, &mark);
    }
    return true;
}

void SpeedButtonView::drawGlyph(HDC dc, const RECT& r, bool pressed) const {
    const int width = scale().toWindow(glyph_.width);
    const int height = scale().toWindow(glyph_.height);
    const int offset = pressed ? 1 : 0;  // a pressed flat button shifts its picture
    const int x = r.left + (r.right - r.left - width) / 2 + offset;
    const int y = r.top + (r.bottom - r.top - height) / 2 + offset;
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectedObject selected(memory.get(), bitmap_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, width, height, memory.get(), 0, 0, glyph_.width, glyph_.height, SRCCOPY);
}

// The focus mark shows while the button has the focus, unless the window's keyboard cues
// are hidden (the button then reports ODS_NOFOCUSRECT; its UI state says the same).
bool SpeedButtonView::showsFocusMark(const DRAWITEMSTRUCT& item) const {
    if (!(item.itemState & ODS_FOCUS) || (item.itemState & ODS_NOFOCUSRECT)) return false;
    const LRESULT cues = SendMessageW(item.hwndItem, WM_QUERYUISTATE, 0, 0);
    return (cues & UISF_HIDEFOCUS) == 0;
}

// --- Check boxes and radio buttons

CheckBoxView::CheckBoxView(CheckBox& model, const ViewContext& context) : Win32View(model, context), box_(model) {
    createWindow(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP);
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

bool CheckBoxView::onNotify(const NMHDR& header, LRESULT& result) {
    const StyleLook* look = styledLook();
    if (header.code != NM_CUSTOMDRAW || !look) return false;
    result = drawStyledCheckButton(reinterpret_cast<const NMCUSTOMDRAW&>(header), *look, scale().dpi(), false);
    return true;
}

RadioButtonView::RadioButtonView(RadioButton& model, const ViewContext& context)
    : Win32View(model, context), radio_(model) {
    // The form gives the first of a group without a checked button the tab stop.
    createWindow(L"BUTTON", BS_AUTORADIOBUTTON | (model.checked() ? WS_TABSTOP : 0));
    if (radio_.checked()) apply(Aspect::Checked);
}

// Of a group, the checked button is the one Tab reaches; the arrow keys move on from it.
void RadioButtonView::apply(Aspect aspect) {
    if (aspect == Aspect::Checked) {
        SendMessageW(hwnd(), BM_SETCHECK, radio_.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
        const LONG_PTR wanted = radio_.checked() ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        if (wanted != style) SetWindowLongPtrW(hwnd(), GWL_STYLE, wanted);
        return;
    }
    Win32View::apply(aspect);
}

// The keyboard's arrows reach a radio button twice on some systems (its focus and the
// dialog manager's click); the model runs the handler only for a change.
void RadioButtonView::onCommand(int notifyCode, HWND) {
    if (notifyCode == BN_CLICKED) radio_.click();
}

bool RadioButtonView::onNotify(const NMHDR& header, LRESULT& result) {
    const StyleLook* look = styledLook();
    if (header.code != NM_CUSTOMDRAW || !look) return false;
    result = drawStyledCheckButton(reinterpret_cast<const NMCUSTOMDRAW&>(header), *look, scale().dpi(), true);
    return true;
}

}  // namespace kv::ui::win32

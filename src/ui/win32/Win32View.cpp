#include "ui/win32/Win32View.h"

#include "ui/win32/StyleLook.h"

namespace kv::ui::win32 {

Win32View::Win32View(Control& model, const ViewContext& context) : model_(model), context_(context) {}

Win32View::~Win32View() {
    if (model_.view() == this) model_.attachView(nullptr);
    if (context_.tips && hwnd()) context_.tips->remove(hwnd());
}

void Win32View::createWindow(const wchar_t* className, DWORD style, DWORD exStyle) {
    style |= WS_CHILD;
    if (model_.visible()) style |= WS_VISIBLE;
    if (!model_.enabled()) style |= WS_DISABLED;
    const RECT r = windowRect();
    shownText_ = initialText();
    window_.reset(CreateWindowExW(exStyle, className, shownText_.c_str(), style, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, context_.parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(model_.id())),
                                  context_.instance, nullptr));
    // Nothing is painted yet: the font needs no redraw.
    setFont(false);
    applyHint();
    model_.attachView(this);
}

void Win32View::recreateWindow(const wchar_t* className, DWORD style, DWORD exStyle) {
    const HWND old = hwnd();
    const HWND above = old ? GetWindow(old, GW_HWNDPREV) : nullptr;
    if (context_.tips && old) context_.tips->remove(old);
    createWindow(className, style, exStyle);  // the old window goes once the new one exists
    if (hwnd()) SetWindowPos(hwnd(), above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

const StyleLook* Win32View::styledLook() const {
    return context_.look && context_.look->style() ? context_.look : nullptr;
}

RECT Win32View::windowRect() const { return scale().toWindow(model_.bounds()); }

void Win32View::refresh(Aspect aspect) {
    if (aspect == Aspect::Text && context_.changes && context_.changes->defersText()) {
        if (!textPending_) context_.changes->textDeferred(*this);
        textPending_ = true;
        return;
    }
    apply(aspect);
    reportChange(aspect);
}

void Win32View::showPendingText() {
    if (!textPending_) return;
    textPending_ = false;
    if (hwnd() && applyText()) reportChange(Aspect::Text);
}

void Win32View::reportChange(Aspect aspect) {
    if (context_.changes && hwnd()) context_.changes->viewChanged(*this, aspect);
}

void Win32View::apply(Aspect aspect) {
    if (!hwnd()) return;
    switch (aspect) {
        case Aspect::Text: applyText(); break;
        case Aspect::Font: applyFont(); break;
        case Aspect::Hint: applyHint(); break;
        case Aspect::Enabled: EnableWindow(hwnd(), model_.enabled() ? TRUE : FALSE); break;
        case Aspect::Visible: ShowWindow(hwnd(), model_.visible() ? SW_SHOWNA : SW_HIDE); break;
        case Aspect::Bounds: {
            const RECT r = windowRect();
            SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        default: break;  // the kinds that have these aspects handle them
    }
}

void Win32View::rescale() {
    apply(Aspect::Bounds);
    applyFont();
}

bool Win32View::applyText() { return showText(model_.text()); }

bool Win32View::showText(const std::wstring& text) {
    if (!hwnd() || text == shownText_) return false;
    shownText_ = text;
    SetWindowTextW(hwnd(), text.c_str());
    return true;
}

std::wstring Win32View::initialText() const { return model_.text(); }

void Win32View::applyFont() {
    setFont(true);
    InvalidateRect(hwnd(), nullptr, TRUE);  // the colour may have changed alone
}

void Win32View::setFont(bool redraw) {
    if (!hwnd() || !context_.fonts) return;
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(context_.fonts->get(model_.font())), redraw ? TRUE : FALSE);
}

void Win32View::applyHint() {
    if (context_.tips) context_.tips->set(hwnd(), model_.hint(), model_.showHint());
}

HBRUSH Win32View::ctlColor(HDC dc) {
    if (context_.contrast && context_.contrast->on()) return nullptr;
    return onCtlColor(dc);
}

HBRUSH Win32View::onCtlColor(HDC dc) {
    if (context_.look && context_.look->style()) {
        SetTextColor(dc, context_.look->colour(StyleRole::WindowText));
        SetBkColor(dc, context_.look->colour(StyleRole::Window));
        return context_.look->windowBrush();
    }
    SetTextColor(dc, static_cast<COLORREF>(model_.font().color));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace kv::ui::win32

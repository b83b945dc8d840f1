#include "ui/win32/Win32View.h"

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
    window_.reset(CreateWindowExW(exStyle, className, model_.text().c_str(), style, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, context_.parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(model_.id())),
                                  context_.instance, nullptr));
    applyFont();
    applyHint();
    model_.attachView(this);
}

RECT Win32View::windowRect() const { return scale().toWindow(model_.bounds()); }

void Win32View::refresh(Aspect aspect) {
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
    refresh(Aspect::Bounds);
    applyFont();
}

void Win32View::applyText() { SetWindowTextW(hwnd(), model_.text().c_str()); }

void Win32View::applyFont() {
    if (!hwnd() || !context_.fonts) return;
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(context_.fonts->get(model_.font())), TRUE);
    InvalidateRect(hwnd(), nullptr, TRUE);  // the colour may have changed alone
}

void Win32View::applyHint() {
    if (context_.tips) context_.tips->set(hwnd(), model_.hint(), model_.showHint());
}

HBRUSH Win32View::onCtlColor(HDC dc) {
    SetTextColor(dc, static_cast<COLORREF>(model_.font().color));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace kv::ui::win32

#include "ui/win32/OwnWindow.h"

#include "ui/win32/ModalLoops.h"
#include "ui/win32/WindowClass.h"

namespace kv::ui::win32 {

OwnWindow::~OwnWindow() { detach(); }

void OwnWindow::registerClass(WNDCLASSEXW wc) {
    wc.lpfnWndProc = procedure;
    registerWindowClassOnce(wc);
}

void OwnWindow::create(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style,
                       Placement placement, HWND parent, HINSTANCE instance) {
    CreateWindowExW(exStyle, className, caption, style, placement.x, placement.y, placement.width, placement.height,
                    parent, nullptr, instance, this);
}

void OwnWindow::detach() noexcept {
    if (hwnd() && IsWindow(hwnd())) SetWindowLongPtrW(hwnd(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK OwnWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<OwnWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->window_.reset(window);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<OwnWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        // The window is gone after this message: the owner must not destroy it again.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self) self->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {
        reportCurrentException(self->errorOwner());
        return 0;
    }
}

}  // namespace kv::ui::win32

#include "ui/win32/PaintHook.h"

#include <commctrl.h>

#include <utility>

namespace kv::ui::win32 {

namespace {
constexpr UINT_PTR kPaintHookId = 0x5354;  // apart from the views' other subclasses
}

void PaintHook::install(HWND window, Painter painter, Painter frame) {
    remove();
    if (!window) return;
    painter_ = std::move(painter);
    frame_ = std::move(frame);
    if (SetWindowSubclass(window, proc, kPaintHookId, reinterpret_cast<DWORD_PTR>(this))) window_ = window;
}

void PaintHook::remove() {
    if (window_ && IsWindow(window_)) RemoveWindowSubclass(window_, proc, kPaintHookId);
    window_ = nullptr;
}

LRESULT CALLBACK PaintHook::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<PaintHook*>(data);
    try {
        if (message == WM_NCPAINT && self->frame_) {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (HDC dc = GetWindowDC(window)) {
                self->frame_(window, dc);
                ReleaseDC(window, dc);
            }
            return result;
        }
        if (!self->painter_ && message != WM_NCDESTROY) return DefSubclassProc(window, message, wParam, lParam);
        switch (message) {
            case WM_PRINTCLIENT:
                if (self->painter_(window, reinterpret_cast<HDC>(wParam))) return 0;
                break;
            case WM_PAINT: {
                if (wParam != 0) {  // painting into a given DC
                    if (self->painter_(window, reinterpret_cast<HDC>(wParam))) return 0;
                    break;
                }
                PAINTSTRUCT ps{};
                HDC dc = BeginPaint(window, &ps);
                if (!self->painter_(window, dc)) DefSubclassProc(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
                EndPaint(window, &ps);
                return 0;
            }
            case WM_NCDESTROY:
                self->window_ = nullptr;
                RemoveWindowSubclass(window, proc, id);
                break;
            default: break;
        }
    } catch (...) {
        // A failed paint leaves the control as the system drew it.
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace kv::ui::win32

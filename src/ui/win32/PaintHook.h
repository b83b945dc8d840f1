#pragma once
// Lets a style paint a system control that offers no custom draw of its own (group box,
// separator, up-down, status bar; an edit's border): the control keeps its class and every message but
// WM_PAINT and WM_PRINTCLIENT, and even those while the painter declines (no style).
#include <windows.h>

#include <functional>

namespace kv::ui::win32 {

class PaintHook {
public:
    // Paints the whole client area into dc; false leaves the painting to the control.
    using Painter = std::function<bool(HWND, HDC)>;

    PaintHook() = default;
    ~PaintHook() { remove(); }
    PaintHook(const PaintHook&) = delete;
    PaintHook& operator=(const PaintHook&) = delete;

    // frame, when given, paints over the border the control drew (WM_NCPAINT) into the
    // window's DC; painter may be empty where only the border is the style's.
    void install(HWND window, Painter painter, Painter frame = {});
    void remove();

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self) noexcept;
    HWND window_ = nullptr;
    Painter painter_;
    Painter frame_;
};

}  // namespace kv::ui::win32

#pragma once
// The base of the program's own window classes. It registers the class once, hands `this`
// over at WM_NCCREATE, owns the window handle, and runs the derived class's handle() from
// one noexcept procedure: an exception that a handler lets out is reported in an error box
// and never leaves the procedure. From the derived destructor's detach() on, no member
// runs any more for that window, whatever messages its teardown still sends.
#include <windows.h>

#include "ui/win32/GdiObjects.h"

namespace kv::ui::win32 {

class OwnWindow {
public:
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;

    HWND hwnd() const { return window_.get(); }

protected:
    OwnWindow() = default;
    virtual ~OwnWindow();

    // Registers the class that wc describes with this base's procedure, unless its module
    // has a class of that name already.
    static void registerClass(WNDCLASSEXW wc);
    // Creates the window of a registered class; hwnd() is set from WM_NCCREATE on, so the
    // messages of the creation itself reach handle().
    struct Placement {
        int x = CW_USEDEFAULT;
        int y = CW_USEDEFAULT;
        int width = CW_USEDEFAULT;
        int height = CW_USEDEFAULT;
    };
    void create(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, Placement placement,
                HWND parent, HINSTANCE instance);
    // Derived destructors call this first: later messages go to DefWindowProcW.
    void detach() noexcept;

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd(), message, wParam, lParam);
    }
    // The owner of the error box for an exception a handler let out.
    virtual HWND errorOwner() const { return hwnd(); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    UniqueWindow window_;
};

}  // namespace kv::ui::win32

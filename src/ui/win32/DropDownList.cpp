#include "ui/win32/DropDownList.h"

#include <new>

#include "ui/win32/DropDownBox.h"
#include "ui/win32/WindowClass.h"

namespace kv::ui::win32 {

namespace {

DropDownBox* boxOf(HWND window) { return reinterpret_cast<DropDownBox*>(GetWindowLongPtrW(window, 0)); }

LRESULT CALLBACK boxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* box = new (std::nothrow) DropDownBox(window);
        if (!box) return FALSE;
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(box));
    }
    DropDownBox* box = boxOf(window);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, 0, 0);
        delete box;
    }
    if (!box || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return box->handle(message, wParam, lParam);
    } catch (...) {  // only memory can run out here: an entry that could not be stored
        return message == CB_ADDSTRING || message == CB_INSERTSTRING ? CB_ERRSPACE : 0;
    }
}

// The list window belongs to the box that created it and lives only while it is open.
LRESULT CALLBACK listProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, 0,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    DropDownBox* box = boxOf(window);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, 0, 0);
    if (!box || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return box->handleList(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

void registerOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, UINT style) {
    WNDCLASSEXW wc{};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(DropDownBox*);
    wc.hInstance = instance;
    wc.lpszClassName = name;
    registerWindowClassOnce(wc);
}

}  // namespace

void registerDropDownList(HINSTANCE instance) {
    registerOnce(instance, kDropDownListClass, boxProc, CS_DBLCLKS);
    registerOnce(instance, kDropDownRowsClass, listProc, CS_DROPSHADOW | CS_SAVEBITS);
}

}  // namespace kv::ui::win32

#include "ui/win32/KeyboardNavigation.h"

namespace kv::ui::win32 {

namespace {

void addStyle(HWND window, LONG_PTR bits) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if ((style & bits) != bits) SetWindowLongPtrW(window, GWL_STYLE, style | bits);
}

bool isRadio(const Win32View& view) { return view.model().kind() == ControlKind::RadioButton; }

bool focusable(HWND window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    return (style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

}  // namespace

void markRadioGroups(const std::vector<std::unique_ptr<Win32View>>& views) {
    HWND firstOfRun = nullptr;
    bool runChecked = false;
    auto endRun = [&] {
        if (firstOfRun && !runChecked) addStyle(firstOfRun, WS_TABSTOP);
        firstOfRun = nullptr;
        runChecked = false;
    };
    for (const auto& view : views) {
        if (!view->hwnd()) continue;
        if (isRadio(*view)) {
            if (!firstOfRun) {
                firstOfRun = view->hwnd();
                addStyle(firstOfRun, WS_GROUP);
            }
            runChecked = runChecked || SendMessageW(view->hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (firstOfRun) {
            endRun();
            addStyle(view->hwnd(), WS_GROUP);
        }
    }
    endRun();
}

HWND firstTabStop(HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (focusable(child)) return child;
    return nullptr;
}

void FocusKeeper::deactivating(HWND parent) {
    HWND focus = GetFocus();
    if (focus && IsChild(parent, focus)) last_ = focus;
}

bool FocusKeeper::passFocus(HWND parent) {
    HWND target = last_ && IsChild(parent, last_) && IsWindowEnabled(last_) && IsWindowVisible(last_)
                      ? last_
                      : firstTabStop(parent);
    if (!target) return false;
    SetFocus(target);
    return true;
}

}  // namespace kv::ui::win32

#include "ui/win32/SystemMenuItem.h"

namespace kv::ui::win32 {

SystemMenuItem::SystemMenuItem(HWND window, MenuItem& model, UINT command, bool separatorBefore)
    : window_(window), model_(model), command_(command) {
    if (HMENU menu = GetSystemMenu(window_, FALSE)) {
        if (separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING | (model_.checked() ? MF_CHECKED : MF_UNCHECKED), command_,
                    model_.text().c_str());
    }
    model_.attachView(this);
}

bool SystemMenuItem::onSysCommand(WPARAM wParam) {
    if ((wParam & 0xFFF0) != command_) return false;
    model_.click();
    return true;
}

void SystemMenuItem::checkedChanged() {
    if (HMENU menu = GetSystemMenu(window_, FALSE))
        CheckMenuItem(menu, command_, MF_BYCOMMAND | (model_.checked() ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace kv::ui::win32

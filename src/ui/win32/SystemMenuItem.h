#pragma once
// A checkable item of a window's system menu (the window menu), appended at its end (under
// a separator for the first of a group), that mirrors a MenuItem model: the check mark follows the model, and choosing the item
// clicks it. The menu belongs to the window and goes with it.
#include <windows.h>

#include "ui/controls/MenuItem.h"

namespace kv::ui::win32 {

class SystemMenuItem final : private MenuItemView {
public:
    // command: a multiple of 16 below 0xF000 (the system's WM_SYSCOMMAND rules).
    SystemMenuItem(HWND window, MenuItem& model, UINT command, bool separatorBefore = true);
    ~SystemMenuItem() override { model_.attachView(nullptr); }
    SystemMenuItem(const SystemMenuItem&) = delete;
    SystemMenuItem& operator=(const SystemMenuItem&) = delete;

    // WM_SYSCOMMAND: true when it chose this item, whose model has been clicked then.
    bool onSysCommand(WPARAM wParam);

private:
    void checkedChanged() override;

    HWND window_;
    MenuItem& model_;
    UINT command_;
};

}  // namespace kv::ui::win32

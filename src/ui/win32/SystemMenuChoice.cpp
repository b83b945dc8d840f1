#include "ui/win32/SystemMenuChoice.h"

#include <algorithm>

namespace kv::ui::win32 {

SystemMenuChoice::SystemMenuChoice(HWND window, MenuChoice& model, UINT firstCommand)
    : model_(model), firstCommand_(firstCommand) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    submenu_ = CreatePopupMenu();
    if (!submenu_) return;
    if (!AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu_), model_.text().c_str())) {
        DestroyMenu(submenu_);
        submenu_ = nullptr;
        return;
    }
    itemsChanged();
    model_.attachView(this);
}

// The submenu goes with the window's menu.
SystemMenuChoice::~SystemMenuChoice() { model_.attachView(nullptr); }

bool SystemMenuChoice::onSysCommand(WPARAM wParam) {
    const UINT command = static_cast<UINT>(wParam & 0xFFF0);
    if (!submenu_ || command < firstCommand_) return false;
    const UINT index = (command - firstCommand_) / 16;
    if (index >= static_cast<UINT>(std::min<std::size_t>(model_.items().size(), kMaxItems))) return false;
    model_.choose(static_cast<int>(index));
    return true;
}

bool SystemMenuChoice::onInitMenuPopup(WPARAM wParam) {
    if (!submenu_ || reinterpret_cast<HMENU>(wParam) != submenu_) return false;
    model_.opening();
    return true;
}

void SystemMenuChoice::itemsChanged() {
    if (!submenu_) return;
    while (GetMenuItemCount(submenu_) > 0) DeleteMenu(submenu_, 0, MF_BYPOSITION);
    const std::size_t count = std::min<std::size_t>(model_.items().size(), kMaxItems);
    for (std::size_t i = 0; i < count; ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
        item.fType = MFT_STRING | MFT_RADIOCHECK;
        item.wID = firstCommand_ + static_cast<UINT>(i) * 16;
        item.fState = static_cast<int>(i) == model_.selected() ? MFS_CHECKED : MFS_UNCHECKED;
        item.dwTypeData = const_cast<wchar_t*>(model_.items()[i].c_str());
        InsertMenuItemW(submenu_, static_cast<UINT>(i), TRUE, &item);
    }
}

void SystemMenuChoice::selectionChanged() {
    if (!submenu_) return;
    const int count = GetMenuItemCount(submenu_);
    if (count <= 0) return;
    if (model_.selected() < 0 || model_.selected() >= count) {
        for (int i = 0; i < count; ++i) CheckMenuItem(submenu_, static_cast<UINT>(i), MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    CheckMenuRadioItem(submenu_, 0, static_cast<UINT>(count - 1), static_cast<UINT>(model_.selected()), MF_BYPOSITION);
}

}  // namespace kv::ui::win32

#pragma once
// A submenu of a window's system menu (the window menu) that mirrors a MenuChoice model:
// its items are real menu items with radio check marks, so that screen readers read them
// as the menu's own; choosing an item chooses it in the model. The submenu is filled again
// from the model each time it opens, after the model's owner had its say.
#include <windows.h>

#include "ui/controls/MenuChoice.h"

namespace kv::ui::win32 {

class SystemMenuChoice final : private MenuChoiceView {
public:
    // firstCommand: the command of the first item, a multiple of 16 below 0xF000; item i
    // has firstCommand + 16 * i, up to kMaxItems items.
    static constexpr int kMaxItems = 32;
    SystemMenuChoice(HWND window, MenuChoice& model, UINT firstCommand);
    ~SystemMenuChoice() override;
    SystemMenuChoice(const SystemMenuChoice&) = delete;
    SystemMenuChoice& operator=(const SystemMenuChoice&) = delete;

    // WM_SYSCOMMAND: true when it chose one of the items, which the model has been given.
    bool onSysCommand(WPARAM wParam);
    // WM_INITMENUPOPUP: true when the menu about to open is this submenu.
    bool onInitMenuPopup(WPARAM wParam);
    HMENU submenu() const { return submenu_; }

private:
    void itemsChanged() override;
    void selectionChanged() override;

    MenuChoice& model_;
    UINT firstCommand_;
    HMENU submenu_ = nullptr;  // owned by the system menu once appended
};

}  // namespace kv::ui::win32

#pragma once
// An item of the window menu (the menu behind the window's icon and Alt+Space) with a
// check mark. Like a check box it fires onClick on every change of its state, a
// programmatic one included; click() is the operator choosing the item, which turns the
// check mark over.
#include <functional>
#include <string>
#include <utility>

namespace kv::ui {

class MenuItemView {
public:
    virtual ~MenuItemView() = default;
    virtual void checkedChanged() = 0;
};

class MenuItem {
public:
    MenuItem(std::string name, std::wstring text) : name_(std::move(name)), text_(std::move(text)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::function<void()> onClick;

    const std::string& name() const { return name_; }
    const std::wstring& text() const { return text_; }
    bool checked() const { return checked_; }

    void setChecked(bool checked) {
        if (checked == checked_) return;
        checked_ = checked;
        if (view_) view_->checkedChanged();
        if (onClick) onClick();
    }
    void click() { setChecked(!checked_); }

    // The backend attaches its view once the item is in the menu; nullptr means headless.
    void attachView(MenuItemView* view) { view_ = view; }

private:
    std::string name_;
    std::wstring text_;
    bool checked_ = false;
    MenuItemView* view_ = nullptr;
};

}  // namespace kv::ui

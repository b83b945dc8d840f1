#pragma once
// A submenu of the window menu whose items are choices of one setting: one item checked
// at a time (radio style). Like the radio buttons it fires onChange on every change of the
// choice, a programmatic one included; choose() is the operator choosing an item. The items
// can change (a list of devices): onOpening runs each time before the submenu shows, so
// that its owner can bring them up to date.
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kv::ui {

class MenuChoiceView {
public:
    virtual ~MenuChoiceView() = default;
    virtual void itemsChanged() = 0;
    virtual void selectionChanged() = 0;
};

class MenuChoice {
public:
    MenuChoice(std::string name, std::wstring text) : name_(std::move(name)), text_(std::move(text)) {}
    MenuChoice(const MenuChoice&) = delete;
    MenuChoice& operator=(const MenuChoice&) = delete;

    std::function<void()> onChange;
    std::function<void()> onOpening;

    const std::string& name() const { return name_; }
    const std::wstring& text() const { return text_; }
    const std::vector<std::wstring>& items() const { return items_; }
    int selected() const { return selected_; }  // -1: none

    // Replaces the items and checks `selected` among them, silently: the choice the owner
    // keeps is the same, only its place in the list may move.
    void setItems(std::vector<std::wstring> items, int selected) {
        items_ = std::move(items);
        selected_ = selected >= 0 && selected < static_cast<int>(items_.size()) ? selected : -1;
        if (view_) view_->itemsChanged();
    }
    void setSelected(int index) {
        if (index < -1 || index >= static_cast<int>(items_.size()) || index == selected_) return;
        selected_ = index;
        if (view_) view_->selectionChanged();
        if (onChange) onChange();
    }
    void choose(int index) { setSelected(index); }
    // The backend calls this before the submenu shows.
    void opening() {
        if (onOpening) onOpening();
    }

    // The backend attaches its view once the submenu is in the menu; nullptr means headless.
    void attachView(MenuChoiceView* view) { view_ = view; }

private:
    std::string name_;
    std::wstring text_;
    std::vector<std::wstring> items_;
    int selected_ = -1;
    MenuChoiceView* view_ = nullptr;
};

}  // namespace kv::ui

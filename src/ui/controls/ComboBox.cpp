#include "ui/controls/ComboBox.h"

#include <algorithm>
#include <cwctype>

namespace kv::ui {

int compareTextIgnoreCase(const std::wstring& a, const std::wstring& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ca = std::towlower(static_cast<std::wint_t>(a[i]));
        const auto cb = std::towlower(static_cast<std::wint_t>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

ComboBox::ComboBox(int id, std::string name, Rect bounds, TextCompare compare, TextEquals sameName)
    : Control(ControlKind::ComboBox, id, std::move(name), bounds),
      compare_(std::move(compare)),
      sameName_(std::move(sameName)) {}

int ComboBox::addItem(std::wstring text) {
    auto pos = items_.end();
    if (sorted_) {
        pos = std::upper_bound(items_.begin(), items_.end(), text,
                               [this](const std::wstring& a, const std::wstring& b) {
                                   return compare_(a, b) < 0;
                               });
    }
    const int index = static_cast<int>(pos - items_.begin());
    items_.insert(pos, std::move(text));
    if (itemIndex_ >= index) ++itemIndex_;
    changed(Aspect::Items);
    return index;
}

void ComboBox::deleteItem(int index) {
    if (index < 0 || index >= count()) return;
    items_.erase(items_.begin() + index);
    if (itemIndex_ == index) itemIndex_ = -1;
    else if (itemIndex_ > index) --itemIndex_;
    changed(Aspect::Items);
}

void ComboBox::clear() {
    items_.clear();
    itemIndex_ = -1;
    changed(Aspect::Items);
}

int ComboBox::indexOf(const std::wstring& text, bool ignoreCase) const {
    for (int i = 0; i < count(); ++i) {
        const std::wstring& item = items_[static_cast<size_t>(i)];
        const bool equal = ignoreCase ? sameName_(item, text) : item == text;
        if (equal) return i;
    }
    return -1;
}

void ComboBox::setSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (!sorted_) return;
    const std::wstring selected = text();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const std::wstring& a, const std::wstring& b) { return compare_(a, b) < 0; });
    if (itemIndex_ >= 0) itemIndex_ = indexOf(selected, false);
    changed(Aspect::Items);
}

void ComboBox::setItemIndex(int index) {
    if (index < -1 || index >= count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    changed(Aspect::Selection);
}

std::wstring ComboBox::text() const {
    return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::wstring{};
}

void ComboBox::userSelect(int index) {
    setItemIndex(index);
    if (onChange) onChange();
}

void ComboBox::userDropDown() {
    if (onDropDown) onDropDown();
}

}  // namespace kv::ui

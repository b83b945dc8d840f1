#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/strutil.h"
#include "ui/controls/Control.h"

namespace kv::ui {

// Compares two texts as the platform's sorted lists do (<0, 0, >0).
using TextCompare = std::function<int(const std::wstring&, const std::wstring&)>;
// Tells whether two texts are the same name, ignoring case.
using TextEquals = std::function<bool(const std::wstring&, const std::wstring&)>;

// Case-insensitive comparison without locale rules; used where no platform collation is given.
int compareTextIgnoreCase(const std::wstring& a, const std::wstring& b);

// A drop-down list (no free text). Like the platform's combo box, selecting an entry from
// the program is silent: onChange fires only when the operator picks an entry, and the
// program calls the change handler itself where it wants it to run.
class ComboBox : public Control {
public:
    ComboBox(int id, std::string name, Rect bounds, TextCompare compare = compareTextIgnoreCase,
             TextEquals sameName = equalsIgnoreCase);

    std::function<void()> onChange;    // the operator picked an entry
    std::function<void()> onDropDown;  // the operator opened the list

    int count() const { return static_cast<int>(items_.size()); }
    const std::wstring& item(int index) const { return items_.at(static_cast<size_t>(index)); }
    const std::vector<std::wstring>& items() const { return items_; }

    // Adds an entry; in a sorted box it goes to its sorted place. Returns its index.
    int addItem(std::wstring text);
    void deleteItem(int index);
    void clear();
    // First entry equal to text; ignoring case when asked, by the box's name rule.
    int indexOf(const std::wstring& text, bool ignoreCase) const;

    bool sorted() const { return sorted_; }
    void setSorted(bool sorted);  // switching it on sorts the entries

    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);  // -1 selects nothing
    // The text the box shows: the selected entry, or empty.
    std::wstring text() const;

    // Backend: the operator picked entry index / opened the list.
    void userSelect(int index);
    void userDropDown();

private:
    TextCompare compare_;
    TextEquals sameName_;
    std::vector<std::wstring> items_;
    bool sorted_ = false;
    int itemIndex_ = -1;
};

}  // namespace kv::ui

#include "ui/controls/Buttons.h"

namespace kv::ui {

void CheckBox::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    changed(Aspect::Checked);
    if (onClick) onClick();
}

void RadioButton::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    changed(Aspect::Checked);
    if (!checked) return;
    for (RadioButton* sibling : siblings_) sibling->setChecked(false);
    if (onClick) onClick();
}

void RadioButton::group(std::vector<RadioButton*> members) {
    for (RadioButton* member : members) {
        member->siblings_.clear();
        for (RadioButton* other : members)
            if (other != member) member->siblings_.push_back(other);
    }
}

}  // namespace kv::ui

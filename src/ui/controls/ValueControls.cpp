#include "ui/controls/ValueControls.h"

#include <algorithm>

namespace kv::ui {

SpinEdit::SpinEdit(int id, std::string name, Rect bounds, int minValue, int maxValue, int value)
    : Control(ControlKind::SpinEdit, id, std::move(name), bounds), min_(minValue), max_(maxValue),
      value_(0) {
    value_ = clamp(value);
}

int SpinEdit::clamp(int value) const {
    return bounded() ? std::clamp(value, min_, max_) : value;
}

void SpinEdit::setValue(int value) {
    value = clamp(value);
    if (value == value_) return;
    value_ = value;
    changed(Aspect::Value);
    if (onChange) onChange();
}

TrackBar::TrackBar(int id, std::string name, Rect bounds, int minValue, int maxValue, int position)
    : Control(ControlKind::TrackBar, id, std::move(name), bounds), min_(minValue), max_(maxValue),
      position_(std::clamp(position, minValue, maxValue)) {}

void TrackBar::setPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    changed(Aspect::Position);
    if (onChange) onChange();
}

}  // namespace kv::ui

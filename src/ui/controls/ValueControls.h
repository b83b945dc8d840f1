#pragma once
#include <functional>

#include "ui/controls/Control.h"

namespace kv::ui {

// An integer edit with up/down arrows. With min == max == 0 it has no bounds; otherwise
// every value set is held within [min, max]. onChange fires on every change of the value.
class SpinEdit : public Control {
public:
    SpinEdit(int id, std::string name, Rect bounds, int minValue, int maxValue, int value);

    std::function<void()> onChange;

    int value() const { return value_; }
    void setValue(int value);
    int minValue() const { return min_; }
    int maxValue() const { return max_; }
    bool bounded() const { return min_ != 0 || max_ != 0; }
    int clamp(int value) const;

private:
    int min_;
    int max_;
    int value_;
};

// A horizontal track bar; positions are held within [min, max]; onChange on every change.
class TrackBar : public Control {
public:
    TrackBar(int id, std::string name, Rect bounds, int minValue, int maxValue, int position);

    std::function<void()> onChange;

    int position() const { return position_; }
    void setPosition(int position);
    int minValue() const { return min_; }
    int maxValue() const { return max_; }

private:
    int min_;
    int max_;
    int position_;
};

// The status bar with one panel. Its own hint repeats the panel text when error hints are on.
class StatusBar : public Control {
public:
    StatusBar(int id, std::string name, Rect bounds, int panelWidth)
        : Control(ControlKind::StatusBar, id, std::move(name), bounds), panelWidth_(panelWidth) {}

    int panelWidth() const { return panelWidth_; }
    const std::wstring& panelText() const { return text(); }
    void setPanelText(std::wstring text) { setText(std::move(text)); }

private:
    int panelWidth_;
};

}  // namespace kv::ui

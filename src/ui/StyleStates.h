#pragma once
// Which colours of a style draw a control in which state: the one place that decides it,
// for every view that draws in a style.
#include "ui/StyleData.h"

namespace kv::ui {

enum class ControlState { Normal, Hot, Pressed, Disabled };

// A disabled control shows only that it is disabled; pressed wins over hot (the mouse is
// over a button while it is pressed).
ControlState controlState(bool enabled, bool pressed, bool hot);

struct ButtonColours {
    StyleRole face, text, border;
    bool operator==(const ButtonColours&) const = default;
};

// A push button. focused: it has the keyboard focus (the border takes the focus colour).
// playing: its slot's jingle runs, the marker shows in the marker colour on the normal face,
// also under the mouse, where only the border tells the hot state.
ButtonColours buttonColours(ControlState state, bool focused, bool playing);

struct CheckColours {
    StyleRole face, border, mark, text;
    bool operator==(const CheckColours&) const = default;
};

// The box of a check box or the circle of a radio button, its mark and its text.
CheckColours checkColours(ControlState state, bool focused);

// Whether white text reads better on the colour than black: a dark colour, for which the
// window's caption asks the system for its dark frame.
bool isDarkColour(StyleColour colour);

// A measure of the style (given at 96 DPI) at dpi; a measure above 0 stays at least 1 pixel.
int scaledMetric(int designPixels, int dpi);

}  // namespace kv::ui

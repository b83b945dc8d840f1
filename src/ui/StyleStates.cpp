#include "ui/StyleStates.h"

namespace kv::ui {

ControlState controlState(bool enabled, bool pressed, bool hot) {
    if (!enabled) return ControlState::Disabled;
    if (pressed) return ControlState::Pressed;
    return hot ? ControlState::Hot : ControlState::Normal;
}

ButtonColours buttonColours(ControlState state, bool focused, bool playing) {
    ButtonColours c{StyleRole::ButtonFace, StyleRole::ButtonText, StyleRole::ButtonBorder};
    switch (state) {
        case ControlState::Disabled:
            return {StyleRole::ButtonDisabledFace, StyleRole::ButtonDisabledText, StyleRole::ButtonBorder};
        case ControlState::Pressed: c = {StyleRole::ButtonPressedFace, StyleRole::ButtonPressedText, c.border}; break;
        case ControlState::Hot:
            // The marker colour is chosen to read on the normal face only.
            if (playing) c.border = StyleRole::Focus;
            else c = {StyleRole::ButtonHotFace, StyleRole::ButtonHotText, c.border};
            break;
        case ControlState::Normal: break;
    }
    if (playing && state != ControlState::Pressed) c.text = StyleRole::PlayingMarker;
    if (focused) c.border = StyleRole::Focus;
    return c;
}

CheckColours checkColours(ControlState state, bool focused) {
    CheckColours c{StyleRole::CheckFace, StyleRole::CheckBorder, StyleRole::CheckMark, StyleRole::WindowText};
    switch (state) {
        case ControlState::Disabled:
            return {StyleRole::ButtonDisabledFace, StyleRole::ButtonDisabledText, StyleRole::ButtonDisabledText,
                    StyleRole::ButtonDisabledText};
        case ControlState::Pressed:
            c.face = StyleRole::ButtonPressedFace;
            c.mark = StyleRole::ButtonPressedText;
            c.border = StyleRole::Focus;
            break;
        case ControlState::Hot: c.border = StyleRole::Focus; break;
        case ControlState::Normal: break;
    }
    if (focused) c.border = StyleRole::Focus;
    return c;
}

bool isDarkColour(StyleColour colour) {
    return contrastRatio(colour, {255, 255, 255}) > contrastRatio(colour, {0, 0, 0});
}

int scaledMetric(int designPixels, int dpi) {
    if (designPixels <= 0) return 0;
    const int scaled = (designPixels * dpi + 48) / 96;
    return scaled < 1 ? 1 : scaled;
}

}  // namespace kv::ui

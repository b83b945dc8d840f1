#pragma once
#include <functional>
#include <vector>

#include "ui/PixelBuffer.h"
#include "ui/controls/Control.h"

namespace kv::ui {

enum class MouseButton { Left, Right, Middle };

// A push button. click() is what the operator's click, a shortcut key and the program all
// call, so each of them runs exactly the same handler.
class Button : public Control {
public:
    Button(int id, std::string name, Rect bounds, std::wstring text = {},
           ControlKind kind = ControlKind::Button)
        : Control(kind, id, std::move(name), bounds, std::move(text)) {}

    std::function<void(Button&)> onClick;
    std::function<void(Button&, MouseButton)> onMouseDown;

    void click() {
        if (onClick) onClick(*this);
    }
    void mouseDown(MouseButton button) {
        if (onMouseDown) onMouseDown(*this, button);
    }

    // A marker (such as the playing marker) is shown in place of the caption while it is
    // set; text() keeps the caption itself. Views show caption().
    const std::wstring& marker() const { return marker_; }
    void setMarker(std::wstring marker) {
        if (marker == marker_) return;
        marker_ = std::move(marker);
        changed(Aspect::Text);
    }
    const std::wstring& caption() const { return marker_.empty() ? text() : marker_; }

private:
    std::wstring marker_;
};

// A flat button that shows a picture (a bitmap resource) instead of a caption.
class SpeedButton : public Button {
public:
    SpeedButton(int id, std::string name, Rect bounds, int glyphResource)
        : Button(id, std::move(name), bounds, {}, ControlKind::SpeedButton),
          glyph_(glyphResource) {}
    int glyph() const { return glyph_; }
    // The picture shown; empty until the platform gives the button its designed picture.
    // A change (the style's recolouring) repaints the glyph.
    const PixelBuffer& glyphPixels() const { return pixels_; }
    void setGlyphPixels(PixelBuffer pixels) {
        if (pixels == pixels_) return;
        pixels_ = std::move(pixels);
        changed(Aspect::Glyph);
    }

private:
    int glyph_;
    PixelBuffer pixels_;
};

// A picture on the form; tag is the general-purpose number a program gives a control.
class Image : public Control {
public:
    Image(int id, std::string name, Rect bounds, int tag = 0)
        : Control(ControlKind::Image, id, std::move(name), bounds), tag_(tag) {}
    int tag() const { return tag_; }
    PixelBuffer& picture() { return picture_; }

private:
    int tag_;
    PixelBuffer picture_;
};

// A check box fires onClick on every change of its state, also a programmatic one.
class CheckBox : public Control {
public:
    CheckBox(int id, std::string name, Rect bounds, std::wstring text = {})
        : Control(ControlKind::CheckBox, id, std::move(name), bounds, std::move(text)) {}

    std::function<void()> onClick;

    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void click() { setChecked(!checked_); }  // the operator's click toggles

private:
    bool checked_ = false;
};

// A radio button of a group: turning one on turns its siblings off. onClick fires for the
// button that is turned on (by the operator or the program), not for those turned off.
class RadioButton : public Control {
public:
    RadioButton(int id, std::string name, Rect bounds, std::wstring text = {})
        : Control(ControlKind::RadioButton, id, std::move(name), bounds, std::move(text)) {}

    std::function<void()> onClick;

    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void click() { setChecked(true); }

    // Makes the given buttons one group.
    static void group(std::vector<RadioButton*> members);

private:
    bool checked_ = false;
    std::vector<RadioButton*> siblings_;
};

}  // namespace kv::ui

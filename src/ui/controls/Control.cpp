#include "ui/controls/Control.h"

#include <utility>

namespace kv::ui {

Control::Control(ControlKind kind, int id, std::string name, Rect bounds, std::wstring text)
    : kind_(kind), id_(id), name_(std::move(name)), bounds_(bounds), text_(std::move(text)) {}

Control::~Control() = default;

void Control::setBounds(Rect bounds) {
    bounds_ = bounds;
    changed(Aspect::Bounds);
}

void Control::setText(std::wstring text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed(Aspect::Text);
}

void Control::setFont(Font font) {
    if (font == font_) return;
    font_ = font;
    changed(Aspect::Font);
}

void Control::setBold(bool bold) {
    if (font_.bold == bold) return;
    font_.bold = bold;
    changed(Aspect::Font);
}

void Control::setFontColor(unsigned color) {
    if (font_.color == color) return;
    font_.color = color;
    changed(Aspect::Font);
}

void Control::setHint(std::wstring hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    changed(Aspect::Hint);
}

void Control::setShowHint(bool show) {
    if (show == showHint_) return;
    showHint_ = show;
    changed(Aspect::Hint);
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed(Aspect::Enabled);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    changed(Aspect::Visible);
}

}  // namespace kv::ui

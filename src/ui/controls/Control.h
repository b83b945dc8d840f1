#pragma once
// The control layer: every control of a window is an object that holds its own state and
// fires its event when that state changes, whether the operator or the program changed it.
// A backend (real Win32 child windows, or none at all in native tests) attaches a view that
// mirrors the state and reports the operator's actions back.
#include <string>

namespace kv::ui {

// Position and size in design pixels (96 PPI); a backend scales them for the monitor.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

// Colours as 0x00BBGGRR, the Win32 COLORREF layout.
constexpr unsigned kBlack = 0x000000;
constexpr unsigned kNavy = 0x800000;

struct Font {
    int pointSize = 8;
    bool bold = false;
    unsigned color = kBlack;
    bool operator==(const Font&) const = default;
};

enum class ControlKind {
    Label, Button, SpeedButton, CheckBox, RadioButton, ComboBox,
    SpinEdit, TrackBar, GroupBox, Panel, StatusBar, Image
};

// What changed, so that a view updates only that part of its window.
enum class Aspect {
    Text, Font, Hint, Enabled, Visible, Bounds,
    Checked, Items, Selection, Position, Value, Glyph
};

class ControlView {
public:
    virtual ~ControlView() = default;
    virtual void refresh(Aspect aspect) = 0;
};

class Control {
public:
    Control(ControlKind kind, int id, std::string name, Rect bounds, std::wstring text = {});
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    int id() const { return id_; }               // stable child-window id
    const std::string& name() const { return name_; }

    Rect bounds() const { return bounds_; }
    void setBounds(Rect bounds);

    const std::wstring& text() const { return text_; }
    void setText(std::wstring text);

    const Font& font() const { return font_; }
    void setFont(Font font);
    void setBold(bool bold);
    void setFontColor(unsigned color);

    const std::wstring& hint() const { return hint_; }
    void setHint(std::wstring hint);
    bool showHint() const { return showHint_; }
    void setShowHint(bool show);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);

    // The backend attaches its view after creating the window and detaches it before
    // destroying the window; nullptr means headless.
    void attachView(ControlView* view) { view_ = view; }
    ControlView* view() const { return view_; }

protected:
    void changed(Aspect aspect) {
        if (view_) view_->refresh(aspect);
    }

private:
    ControlKind kind_;
    int id_;
    std::string name_;
    Rect bounds_;
    std::wstring text_;
    Font font_;
    std::wstring hint_;
    bool showHint_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    ControlView* view_ = nullptr;
};

// Static texts, group boxes and separator panels: state only, no events.
class Label : public Control {
public:
    Label(int id, std::string name, Rect bounds, std::wstring text = {})
        : Control(ControlKind::Label, id, std::move(name), bounds, std::move(text)) {}
};

class GroupBox : public Control {
public:
    GroupBox(int id, std::string name, Rect bounds, std::wstring text = {})
        : Control(ControlKind::GroupBox, id, std::move(name), bounds, std::move(text)) {}
};

class Panel : public Control {
public:
    Panel(int id, std::string name, Rect bounds)
        : Control(ControlKind::Panel, id, std::move(name), bounds) {}
};

}  // namespace kv::ui

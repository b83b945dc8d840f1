#pragma once
// The views of every control kind.
#include <memory>
#include <string>
#include <vector>

#include "ui/controls/Buttons.h"
#include "ui/controls/ComboBox.h"
#include "ui/controls/ValueControls.h"
#include "ui/win32/Glyphs.h"
#include "ui/win32/PaintHook.h"
#include "ui/win32/Win32View.h"

namespace kv::ui::win32 {

// A static text.
class LabelView final : public Win32View {
public:
    LabelView(Label& model, const ViewContext& context);
};

// A group box frame with its caption; the controls inside it are the form's children too.
class GroupBoxView final : public Win32View {
public:
    GroupBoxView(GroupBox& model, const ViewContext& context);

private:
    PaintHook paint_;  // a style's frame and caption
};

// A thin etched separator line.
class PanelView final : public Win32View {
public:
    PanelView(Panel& model, const ViewContext& context);

protected:
    bool applyText() override { return false; }

private:
    PaintHook paint_;  // a style's line
};

// Push buttons and speed buttons: a click goes to Button::click(); every mouse button that
// goes down on it goes to Button::mouseDown() before the button's own processing.
class ButtonViewBase : public Win32View {
public:
    ~ButtonViewBase() override;
    void onCommand(int notifyCode, HWND from) override;
    // The keyboard's way to the right button: what a right click on the button does.
    void onContextKey() override;

protected:
    ButtonViewBase(Button& model, const ViewContext& context);
    void installMouseHook();

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self) noexcept;
    LRESULT onMouseButton(UINT message, WPARAM wParam, LPARAM lParam);
    Button& button_;
    bool hooked_ = false;
};

// Shows the button's caption: its marker while one is set, else its text. While a marker
// shows, screen readers are given the caption and that it plays as the button's name.
class PushButtonView final : public ButtonViewBase {
public:
    PushButtonView(Button& model, const ViewContext& context);
    ~PushButtonView() override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;  // a style's custom draw

protected:
    std::wstring initialText() const override;
    bool applyText() override;

private:
    void annotateName();
    Button& push_;
    std::wstring spokenName_;  // the name given to screen readers; empty: the window's text
};

// A flat owner-drawn button that shows its glyph. Its window text is its name for screen
// readers; only the glyph is drawn, with the focus mark while it has the keyboard focus.
class SpeedButtonView final : public ButtonViewBase {
public:
    SpeedButtonView(SpeedButton& model, const ViewContext& context);
    void apply(Aspect aspect) override;
    bool onDrawItem(const DRAWITEMSTRUCT& item) override;
    HBRUSH onCtlColor(HDC) override { return nullptr; }

    const GlyphImage& glyph() const { return glyph_; }
    // Replaces the picture (recolouring by a style) and repaints.
    void setGlyph(GlyphImage glyph);
    // In high contrast a picture in plain button colours takes the system's colours.
    void coloursChanged() override;

private:
    void makeShownBitmap();
    bool showsFocusMark(const DRAWITEMSTRUCT& item) const;
    void drawGlyph(HDC dc, const RECT& r, bool pressed) const;
    SpeedButton& speed_;
    GlyphImage glyph_;
    UniqueBitmap bitmap_;
};

class CheckBoxView final : public Win32View {
public:
    CheckBoxView(CheckBox& model, const ViewContext& context);
    void apply(Aspect aspect) override;
    void onCommand(int notifyCode, HWND from) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;

private:
    CheckBox& box_;
};

class RadioButtonView final : public Win32View {
public:
    RadioButtonView(RadioButton& model, const ViewContext& context);
    void apply(Aspect aspect) override;
    void onCommand(int notifyCode, HWND from) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;

private:
    RadioButton& radio_;
};

// The system's drop-down list (WC_COMBOBOX, CBS_DROPDOWNLIST) holding the model's entries in
// the model's order: the model sorts, the box has no CBS_SORT. The operator's pick reaches
// the model's onChange; the opening of the list reaches its onDropDown before the list
// shows, so that a handler can still refill it. A selection made by the program is silent.
// With a look in the context, the style draws the entries, the list's colours and the face;
// with a style look too, only while that has a style: the box is created again, as the plain
// system control, when the look goes ("Windows", high contrast) and as the style's when it
// comes back, keeping its entries, selection, focus and place in the Tab order.
class ComboBoxView final : public Win32View {
public:
    static constexpr int kListRows = 8;  // rows the open list shows before it scrolls

    ComboBoxView(ComboBox& model, const ViewContext& context);
    ~ComboBoxView() override;
    void apply(Aspect aspect) override;
    void onCommand(int notifyCode, HWND from) override;
    bool onDrawItem(const DRAWITEMSTRUCT& item) override;
    HBRUSH onCtlColor(HDC dc) override;
    void coloursChanged() override;
    void rescale() override;

protected:
    RECT windowRect() const override;  // the closed box and its open list below it
    bool applyText() override { return false; }

private:
    static LRESULT CALLBACK lookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self) noexcept;
    ComboBoxLook* wantedLook() const;
    void switchLook(ComboBoxLook* look);
    void installLook();
    void setItemHeights();
    void syncItems();
    void showSelection();
    ComboBox& combo_;
    ComboBoxLook* look_;
    bool hooked_ = false;
    std::vector<std::wstring> shown_;  // the entries the window holds, in its order
};

// An edit with an up-down buddy. Typing changes the model as soon as the text is a number,
// but the text is only replaced by the (held in bounds) value when the focus leaves.
class SpinEditView final : public Win32View {
public:
    SpinEditView(SpinEdit& model, const ViewContext& context);
    // The up-down prints; the edit's border lies outside what it prints, so it paints itself.
    bool printsIntoParent(HWND window) const override { return window == upDown_.get(); }
    std::vector<HWND> windows() const override { return {hwnd(), upDown_.get()}; }
    HWND upDown() const { return upDown_.get(); }
    void apply(Aspect aspect) override;
    void rescale() override;
    void onCommand(int notifyCode, HWND from) override;
    HBRUSH onCtlColor(HDC dc) override;  // the edit's colours in a style

protected:
    std::wstring initialText() const override;
    bool applyText() override { return false; }

private:
    void showValue();
    void attachUpDown();
    SpinEdit& spin_;
    UniqueWindow upDown_;
    PaintHook arrowsPaint_;  // a style's arrows
    PaintHook framePaint_;   // a style's border round the edit
    bool writingText_ = false;
    bool typing_ = false;
};

class TrackBarView final : public Win32View {
public:
    TrackBarView(TrackBar& model, const ViewContext& context);
    void apply(Aspect aspect) override;
    void onScroll(int code) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;  // a style's custom draw
    HBRUSH onCtlColor(HDC dc) override;

protected:
    bool applyText() override { return false; }

private:
    TrackBar& track_;
};

// The status bar with one panel, docked to the bottom of the form's client area.
class StatusBarView final : public Win32View {
public:
    StatusBarView(StatusBar& model, const ViewContext& context);
    void apply(Aspect aspect) override;
    void rescale() override;
    HBRUSH onCtlColor(HDC) override { return nullptr; }
    void coloursChanged() override;
    // Puts the bar along the bottom edge of the parent's client area.
    void dock();

protected:
    RECT windowRect() const override;
    bool applyText() override;

private:
    void setParts();
    StatusBar& bar_;
    PaintHook paint_;  // a style's face over the bar's text parts
};

// The view for a control of any kind.
std::unique_ptr<Win32View> makeView(Control& control, const ViewContext& context);

}  // namespace kv::ui::win32

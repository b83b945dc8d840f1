#pragma once
// The Win32 side of a control: a child window of the form that mirrors the control's
// state on refresh() and reports the operator's actions back to the control. The form's
// window procedure hands each control's notifications (WM_COMMAND, WM_NOTIFY, WM_HSCROLL,
// WM_CTLCOLOR*, WM_DRAWITEM) to its view.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/controls/Control.h"
#include "ui/win32/AccessibleNames.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/HighContrast.h"
#include "ui/win32/ToolTips.h"
#include "ui/win32/UiScale.h"

namespace kv::ui::win32 {

class ComboBoxLook;
class StyleLook;
class Win32View;

// Told of every change a view makes to its window on behalf of its model.
class ViewChangeListener {
public:
    virtual void viewChanged(const Win32View& view, Aspect aspect) = 0;
    // True while text changes wait for Win32View::showPendingText().
    virtual bool defersText() const = 0;
    virtual void textDeferred(Win32View& view) = 0;

protected:
    ~ViewChangeListener() = default;
};

// What every view of one form shares.
struct ViewContext {
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    const UiScale* scale = nullptr;
    FontCache* fonts = nullptr;
    ToolTips* tips = nullptr;
    ViewChangeListener* changes = nullptr;
    // With high contrast on, texts and backgrounds take the system's colours.
    const HighContrast* contrast = nullptr;
    // Names for screen readers where a window's text says the wrong thing; the pattern of
    // a playing slot's name ("%s" stands for its caption).
    AccessibleNames* names = nullptr;
    const std::wstring* playingName = nullptr;
    ComboBoxLook* comboLook = nullptr;  // how the style draws combo boxes; none: the system's
    const StyleLook* look = nullptr;    // the active style's colours; none: the system's
};

class Win32View : public ControlView {
public:
    Win32View(Control& model, const ViewContext& context);
    ~Win32View() override;
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

    HWND hwnd() const { return window_.get(); }
    Control& model() const { return model_; }
    // Every window of the view (a spin edit has two), for routing notifications.
    virtual std::vector<HWND> windows() const { return {hwnd()}; }

    // A change of the model: applied to the window, then reported to the listener.
    // While the listener defers texts, a text change is only noted, and shown by
    // showPendingText(): a burst of changes then sets each window's text once.
    void refresh(Aspect aspect) final;
    void showPendingText();
    // After the scale changed: new position, size and font.
    virtual void rescale();
    // After the system colours or high contrast changed (the window is repainted anyway).
    virtual void coloursChanged() {}

    virtual void onCommand(int /*notifyCode*/, HWND /*from*/) {}
    virtual bool onNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void onScroll(int /*code*/) {}
    // The context-menu key (or Shift+F10) was pressed while the view's window had the focus.
    virtual void onContextKey() {}
    // Colours of a static or button child; nullptr lets the system choose. ctlColor() asks
    // onCtlColor() only while high contrast is off: then the system chooses every colour.
    HBRUSH ctlColor(HDC dc);
    virtual HBRUSH onCtlColor(HDC dc);
    virtual bool onDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // True when the view's window draws itself completely on WM_PRINTCLIENT, so that the
    // form can paint it as part of its own paint; every kind does, but for a border.
    virtual bool printsIntoParent(HWND /*window*/) const { return true; }

protected:
    // Shows one changed aspect of the model in the window.
    virtual void apply(Aspect aspect);
    // Creates the child window at the control's bounds with its state, then attaches.
    void createWindow(const wchar_t* className, DWORD style, DWORD exStyle = 0);
    // The window rectangle in the parent's client pixels.
    virtual RECT windowRect() const;
    // The window's text when it is created.
    virtual std::wstring initialText() const;
    // Shows the model's text; true when the window changed.
    virtual bool applyText();
    // Sets the window's text unless it shows that text already; true when it changed.
    bool showText(const std::wstring& text);
    void applyFont();
    void applyHint();

    // Creates the window again in place of the present one (a kind that reads some style
    // bits only at its creation): same place in the z-order (the Tab order), same hint.
    void recreateWindow(const wchar_t* className, DWORD style, DWORD exStyle = 0);

    const ViewContext& context() const { return context_; }
    const UiScale& scale() const { return *context_.scale; }
    // The look to draw in while a style is active and high contrast is off; else nullptr.
    const StyleLook* styledLook() const;

private:
    void setFont(bool redraw);
    void reportChange(Aspect aspect);
    Control& model_;
    std::wstring shownText_;
    bool textPending_ = false;
    ViewContext context_;
    UniqueWindow window_;
};

}  // namespace kv::ui::win32

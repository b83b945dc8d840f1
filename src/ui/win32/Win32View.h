#pragma once
// The Win32 side of a control: a child window of the form that mirrors the control's
// state on refresh() and reports the operator's actions back to the control. The form's
// window procedure hands each control's notifications (WM_COMMAND, WM_NOTIFY, WM_HSCROLL,
// WM_CTLCOLOR*, WM_DRAWITEM) to its view.
#include <windows.h>

#include <vector>

#include "ui/controls/Control.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/ToolTips.h"
#include "ui/win32/UiScale.h"

namespace kv::ui::win32 {

// What every view of one form shares.
struct ViewContext {
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    const UiScale* scale = nullptr;
    FontCache* fonts = nullptr;
    ToolTips* tips = nullptr;
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

    void refresh(Aspect aspect) override;
    // After the scale changed: new position, size and font.
    virtual void rescale();

    virtual void onCommand(int /*notifyCode*/, HWND /*from*/) {}
    virtual bool onNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void onScroll(int /*code*/) {}
    // Colours of a static or button child; nullptr lets the system choose.
    virtual HBRUSH onCtlColor(HDC dc);
    virtual bool onDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }

protected:
    // Creates the child window at the control's bounds with its state, then attaches.
    void createWindow(const wchar_t* className, DWORD style, DWORD exStyle = 0);
    // The window rectangle in the parent's client pixels.
    virtual RECT windowRect() const;
    virtual void applyText();
    void applyFont();
    void applyHint();

    const ViewContext& context() const { return context_; }
    const UiScale& scale() const { return *context_.scale; }

private:
    Control& model_;
    ViewContext context_;
    UniqueWindow window_;
};

}  // namespace kv::ui::win32

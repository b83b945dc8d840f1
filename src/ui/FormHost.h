#pragma once
// What a form asks of the window that realises it (Win32, or nothing in native tests).
#include <functional>
#include <string>

#include "ui/HotKeys.h"
#include "ui/formutil_unit.h"

namespace kv::ui {

class IFormHost {
public:
    virtual ~IFormHost() = default;
    virtual void setCaption(const std::wstring& caption) = 0;
    virtual bool isVisible() const = 0;
    virtual void setTopmost(bool topmost) = 0;
    virtual int clientHeight() const = 0;  // in design pixels
    virtual void setClientHeight(int height) = 0;
    virtual int outerHeight() const = 0;   // frame and caption included, current pixels
    // The pixels per inch the window's layout is sized for now (96: design pixels).
    virtual int pixelsPerInch() const { return 96; }
    // Ends the application when the message loop takes the request, without a close query.
    virtual void requestTerminate() = 0;
    // Paints a control now (a label changed inside a long handler).
    virtual void repaintNow() = 0;
    // Throws away the keys, clicks and hot keys that came while the window could not react
    // (a fade that held it): the operator pressed while nothing happened.
    virtual void discardPendingInput() {}
    // Holds the window's painting while many controls change at once; the window is painted
    // in one pass when the outermost hold ends. Holds nest.
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;
    // The window as placement sees it, and the monitors it can be placed on; none where the
    // host cannot be placed.
    virtual IPlacedForm* placement() { return nullptr; }
    virtual const IMonitors* monitors() const { return nullptr; }
    // F1 ... F12 as system-wide hot keys of the window; none where the host has no window.
    virtual IHotKeys* hotKeys() { return nullptr; }
    // A function any thread may call, that has the window call the form's
    // loudnessMeasured() on the window's own thread soon after (it only posts a message);
    // none where the host has no message loop.
    virtual std::function<void()> crossThreadWake() { return {}; }
};

// One hold of the window's painting for the life of the scope.
class FormUpdate {
public:
    explicit FormUpdate(IFormHost& host) : host_(host) { host_.beginUpdate(); }
    ~FormUpdate() { host_.endUpdate(); }
    FormUpdate(const FormUpdate&) = delete;
    FormUpdate& operator=(const FormUpdate&) = delete;

private:
    IFormHost& host_;
};

}  // namespace kv::ui

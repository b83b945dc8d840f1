#pragma once
// What a form asks of the window that realises it (Win32, or nothing in native tests).
#include <string>

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
    // Ends the application when the message loop takes the request, without a close query.
    virtual void requestTerminate() = 0;
    // Paints a control now (a label changed inside a long handler).
    virtual void repaintNow() = 0;
};

}  // namespace kv::ui

#pragma once
// The names screen readers hear for a window where its own text would say the wrong thing
// (a slot button that shows the playing marker ">>" is read as its caption and that it
// plays). The system's accessible object of the window keeps everything else.
#include <windows.h>

#include <string>

#include "app/win32/ComPtr.h"

struct IAccPropServices;

namespace kv::ui::win32 {

class AccessibleNames {
public:
    virtual ~AccessibleNames() = default;
    // The name of window's client object becomes name; false when it could not be set.
    virtual bool setName(HWND window, const std::wstring& name) = 0;
    // The window's client object names itself again.
    virtual void clearName(HWND window) = 0;
};

// Dynamic annotation through the system's IAccPropServices, created on the first name set,
// so that a start without a playing slot never loads the accessibility library. Without
// COM or without the service (older systems, test benches) names simply are not set.
class AccPropAccessibleNames final : public AccessibleNames {
public:
    AccPropAccessibleNames();
    ~AccPropAccessibleNames() override;
    AccPropAccessibleNames(const AccPropAccessibleNames&) = delete;
    AccPropAccessibleNames& operator=(const AccPropAccessibleNames&) = delete;

    bool setName(HWND window, const std::wstring& name) override;
    void clearName(HWND window) override;
    // The result of the last call into the service (S_OK, or why it failed).
    HRESULT lastResult() const { return lastResult_; }

private:
    IAccPropServices* services();
    ComPtr<IAccPropServices> services_;
    bool triedCreate_ = false;
    HRESULT lastResult_ = S_FALSE;
};

}  // namespace kv::ui::win32

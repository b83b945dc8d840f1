#pragma once
// A form that is created but never shown (the remote-control form rcform): a message-only
// window of its own class with a caption and one static text, and window timers for the
// Timer models given to it. Being message-only, it costs no top-level window (under Wine a
// top-level window costs several milliseconds at start), never shows in any window list,
// and still receives its timers and messages.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/controls/Timer.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/TimerBinding.h"

namespace kv::ui::win32 {

class HiddenForm {
public:
    HiddenForm(const wchar_t* className, const std::wstring& caption, const std::wstring& labelText,
               HINSTANCE instance = GetModuleHandleW(nullptr));
    ~HiddenForm();
    HiddenForm(const HiddenForm&) = delete;
    HiddenForm& operator=(const HiddenForm&) = delete;

    HWND hwnd() const { return window_.get(); }
    HWND label() const { return label_; }
    // Runs the timers on this window: WM_TIMER with a timer's id calls its tick().
    void attachTimers(const std::vector<Timer*>& timers);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void onTimer(UINT_PTR id);

    UniqueWindow window_;
    HWND label_ = nullptr;
    std::vector<std::unique_ptr<TimerBinding>> timers_;
};

}  // namespace kv::ui::win32

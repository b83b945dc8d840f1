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
#include "ui/win32/OwnWindow.h"
#include "ui/win32/TimerBinding.h"

namespace kv::ui::win32 {

class HiddenForm final : public OwnWindow {
public:
    HiddenForm(const wchar_t* className, const std::wstring& caption, const std::wstring& labelText,
               HINSTANCE instance = GetModuleHandleW(nullptr));
    ~HiddenForm() override;
    HiddenForm(const HiddenForm&) = delete;
    HiddenForm& operator=(const HiddenForm&) = delete;

    using OwnWindow::hwnd;
    HWND label() const { return label_; }
    // Runs the timers on this window: WM_TIMER with a timer's id calls its tick().
    void attachTimers(const std::vector<Timer*>& timers);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND errorOwner() const override { return nullptr; }  // never shown: the box stands alone
    void onTimer(UINT_PTR id);

    HWND label_ = nullptr;
    std::vector<std::unique_ptr<TimerBinding>> timers_;
};

}  // namespace kv::ui::win32

#pragma once
// A window timer for a Timer model: SetTimer while the model is enabled, KillTimer when it
// is disabled. The window's WM_TIMER for the model's id calls Timer::tick().
#include <windows.h>

#include "ui/controls/Timer.h"

namespace kv::ui::win32 {

class TimerBinding final : public TimerView {
public:
    // An enabled model's window timer starts at once.
    TimerBinding(Timer& timer, HWND window);
    ~TimerBinding() override;
    TimerBinding(const TimerBinding&) = delete;
    TimerBinding& operator=(const TimerBinding&) = delete;

    Timer& timer() const { return timer_; }
    bool running() const { return running_; }
    void timerChanged() override;

private:
    Timer& timer_;
    HWND window_;
    bool running_ = false;
};

}  // namespace kv::ui::win32

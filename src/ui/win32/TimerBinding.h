#pragma once
// A window timer for a Timer model: SetTimer while the model is enabled, KillTimer when it
// is disabled. The window's WM_TIMER for the model's id calls Timer::tick().
#include <windows.h>

#include "ui/controls/Timer.h"

namespace kv::ui::win32 {

class TimerBinding final : public TimerView {
public:
    enum class Start { Now, Held };

    // With Start::Held the window timer is not set before release(), whatever the model
    // says; changes of the model in the meantime are taken over by release().
    TimerBinding(Timer& timer, HWND window, Start start = Start::Now);
    ~TimerBinding() override;
    TimerBinding(const TimerBinding&) = delete;
    TimerBinding& operator=(const TimerBinding&) = delete;

    Timer& timer() const { return timer_; }
    bool running() const { return running_; }
    bool held() const { return held_; }
    // Lets a held binding follow its model from now on; the period starts now.
    void release();
    void timerChanged() override;

private:
    Timer& timer_;
    HWND window_;
    bool held_;
    bool running_ = false;
};

}  // namespace kv::ui::win32

#include "ui/win32/TimerBinding.h"

namespace kv::ui::win32 {

TimerBinding::TimerBinding(Timer& timer, HWND window) : timer_(timer), window_(window) {
    timer_.attachView(this);
    timerChanged();
}

TimerBinding::~TimerBinding() {
    timer_.attachView(nullptr);
    if (running_) KillTimer(window_, static_cast<UINT_PTR>(timer_.id()));
}

void TimerBinding::timerChanged() {
    const auto id = static_cast<UINT_PTR>(timer_.id());
    if (timer_.enabled() && timer_.interval() > 0) {
        // SetTimer on a running id replaces it, which restarts the period.
        running_ = SetTimer(window_, id, static_cast<UINT>(timer_.interval()), nullptr) != 0;
    } else if (running_) {
        KillTimer(window_, id);
        running_ = false;
    }
}

}  // namespace kv::ui::win32

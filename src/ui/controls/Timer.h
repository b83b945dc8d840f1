#pragma once
#include <functional>
#include <string>

namespace kv::ui {

class TimerView {
public:
    virtual ~TimerView() = default;
    virtual void timerChanged() = 0;  // enabled state or interval changed
};

// A window timer. Enabling a running timer does not restart its period; changing the
// interval of a running timer, or restart(), does. tick() is called by the backend (or a test) when the
// period has passed, and runs onTimer only while the timer is enabled.
class Timer {
public:
    Timer(int id, std::string name, int intervalMs, bool enabled)
        : id_(id), name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::function<void()> onTimer;

    int id() const { return id_; }
    const std::string& name() const { return name_; }
    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }

    void setEnabled(bool enabled) {
        if (enabled == enabled_) return;
        enabled_ = enabled;
        if (view_) view_->timerChanged();
    }
    void setInterval(int intervalMs) {
        if (intervalMs == interval_) return;
        interval_ = intervalMs;
        if (view_) view_->timerChanged();
    }
    // Enables the timer, and starts its period afresh when it was running already.
    void restart() {
        if (!enabled_) {
            setEnabled(true);
            return;
        }
        if (view_) view_->timerChanged();
    }
    void tick() {
        if (enabled_ && onTimer) onTimer();
    }

    void attachView(TimerView* view) { view_ = view; }

private:
    int id_;
    std::string name_;
    int interval_;
    bool enabled_;
    TimerView* view_ = nullptr;
};

}  // namespace kv::ui

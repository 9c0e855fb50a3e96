#pragma once

#include <functional>
#include <string>

namespace ui {

class Clock;

// An interval timer bound to a form. Enabled, it fires repeatedly at its interval; disabling stops
// it at once; enabling a disabled timer starts a fresh interval, enabling an enabled one changes
// nothing; a new interval restarts a running timer; an interval of 0 never fires.
class Timer {
public:
    Timer(Clock& clock, std::string name, int intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);

    // Stops the timer for good: its form has been unloaded.
    void kill();
    bool killed() const { return killed_; }

    std::function<void()> onTick;

private:
    friend class Clock;
    void fire();

    Clock& clock_;
    std::string name_;
    int interval_;
    bool enabled_ = false;
    bool killed_ = false;
};

}  // namespace ui

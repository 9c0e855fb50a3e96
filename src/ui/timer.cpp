#include "ui/timer.h"

#include "ui/clock.h"

namespace ui {

Timer::Timer(Clock& clock, std::string name, int intervalMs, bool enabled)
    : clock_(clock), name_(std::move(name)), interval_(intervalMs < 0 ? 0 : intervalMs) {
    setEnabled(enabled);
}

Timer::~Timer() { clock_.forget(*this); }

void Timer::setInterval(int ms) {
    interval_ = ms < 0 ? 0 : ms;
    if (enabled_ && !killed_) clock_.start(*this);
}

void Timer::setEnabled(bool on) {
    if (killed_ || on == enabled_) return;
    enabled_ = on;
    if (on)
        clock_.start(*this);
    else
        clock_.stop(*this);
}

void Timer::kill() {
    if (enabled_) clock_.stop(*this);
    enabled_ = false;
    killed_ = true;
}

void Timer::fire() {
    if (!enabled_ || killed_ || interval_ == 0) return;
    if (onTick) onTick();
}

void Clock::deliver(Timer& timer) { timer.fire(); }

}  // namespace ui

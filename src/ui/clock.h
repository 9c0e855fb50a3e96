#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ui {

class Timer;

// The source of every timer tick. The game runs on precise Qt timers; tests run on the manual
// clock, which delivers ticks only when told, so a forty-second race is tested in milliseconds.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the clock began (a form asks when it last said something).
    virtual std::int64_t elapsedMs() const = 0;

protected:
    friend class Timer;
    // Begins a fresh interval for an enabled timer (also after an interval change).
    virtual void start(Timer& timer) = 0;
    // No further tick is delivered, not even one already due.
    virtual void stop(Timer& timer) = 0;
    // The timer is going away.
    virtual void forget(Timer& timer) = 0;

    static void deliver(Timer& timer);
};

// Drives each timer with a precise QTimer (coarse timers drift by several per cent).
std::unique_ptr<Clock> makeQtClock();

class ManualClock final : public Clock {
public:
    // Fires, in time order, every tick that falls due up to and including now + ms. Ticks due at
    // the same moment go to the timer whose current run began first. A timer enabled inside a
    // handler counts from that handler's moment. A handler may advance the clock itself (a modal
    // box open in it); meanwhile the other timers tick, and its own does not.
    void advance(std::int64_t ms);
    std::int64_t now() const { return now_; }
    std::int64_t elapsedMs() const override { return now_; }
    // Hears of every tick before it is delivered (tests check whose timers tick).
    std::function<void(const Timer&)> onDeliver;

protected:
    void start(Timer& timer) override;
    void stop(Timer& timer) override;
    void forget(Timer& timer) override;

private:
    struct Run {
        Timer* timer;
        std::int64_t due;
    };
    std::vector<Run> runs_;           // in the order the runs began: start() puts a timer's new run last
    std::vector<Timer*> delivering_;  // handlers under way, outermost first
    std::int64_t now_ = 0;
};

}  // namespace ui

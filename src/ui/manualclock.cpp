#include <algorithm>

#include "ui/clock.h"
#include "ui/timer.h"

namespace ui {

void ManualClock::start(Timer& timer) {
    std::erase_if(runs_, [&](const Run& r) { return r.timer == &timer; });
    if (timer.interval() > 0) runs_.push_back({&timer, now_ + timer.interval(), nextOrder_++});
}

void ManualClock::stop(Timer& timer) {
    std::erase_if(runs_, [&](const Run& r) { return r.timer == &timer; });
}

void ManualClock::forget(Timer& timer) { stop(timer); }

void ManualClock::advance(std::int64_t ms) {
    const std::int64_t end = now_ + std::max<std::int64_t>(ms, 0);
    for (;;) {
        auto next = std::min_element(runs_.begin(), runs_.end(), [](const Run& a, const Run& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == runs_.end() || next->due > end) break;
        now_ = next->due;
        Timer& timer = *next->timer;
        // The next tick of this run is due one interval on; a handler that stops, restarts or
        // re-times the timer replaces this entry.
        next->due += timer.interval();
        if (onDeliver) onDeliver(timer);
        deliver(timer);
    }
    now_ = end;
}

}  // namespace ui

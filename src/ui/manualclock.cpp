#include <algorithm>

#include "ui/clock.h"
#include "ui/timer.h"

namespace ui {

void ManualClock::start(Timer& timer) {
    std::erase_if(runs_, [&](const Run& r) { return r.timer == &timer; });
    if (timer.interval() > 0) runs_.push_back({&timer, now_ + timer.interval()});
}

void ManualClock::stop(Timer& timer) {
    std::erase_if(runs_, [&](const Run& r) { return r.timer == &timer; });
}

void ManualClock::forget(Timer& timer) {
    stop(timer);
    std::replace(delivering_.begin(), delivering_.end(), &timer, static_cast<Timer*>(nullptr));
}

void ManualClock::advance(std::int64_t ms) {
    const std::int64_t end = now_ + std::max<std::int64_t>(ms, 0);
    auto busy = [this](const Run& r) { return std::find(delivering_.begin(), delivering_.end(), r.timer) != delivering_.end(); };
    for (;;) {
        // A handler may advance the clock itself, as a modal box's loop does on the real clock;
        // its own timer does not tick again until that handler has returned.
        auto next = runs_.end();
        for (auto it = runs_.begin(); it != runs_.end(); ++it) {
            if (busy(*it)) continue;
            if (next == runs_.end() || it->due < next->due) next = it;  // of equal ones, the run begun first
        }
        if (next == runs_.end() || next->due > end) break;
        // A tick held back by such a handler comes late, once, and the run counts on from then.
        now_ = std::max(now_, next->due);
        Timer& timer = *next->timer;
        // The next tick of this run is due one interval on; a handler that stops, restarts or
        // re-times the timer replaces this entry.
        next->due += timer.interval();
        if (next->due <= now_) next->due = now_ + timer.interval();
        if (onDeliver) onDeliver(timer);
        delivering_.push_back(&timer);
        deliver(timer);
        delivering_.pop_back();
    }
    // Time spent inside a nested advance is not given back.
    now_ = std::max(now_, end);
}

}  // namespace ui

#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/timer.h"

namespace app {

// Where a sequence of timed steps stands, and so which of its timers run: a game's turns, a story
// page's pauses and typing. Each phase lists the timers that run while it lasts. Entering a phase
// stops the timers of the last one that it does not list and starts its own, so that a timer two
// phases share runs on through the change, and one left on by mistake cannot tick in a phase it
// does not belong to; entering the phase it is in starts its timers over. A timer that a motion
// starts by itself (a countdown that waits for Space) is listed as one that may run: entering its
// phase leaves it to the motion.
template <class Phase>
class Phases {
public:
    enum class Start { OnEntry, ByItsMotion };
    struct Step {
        Phase phase;
        ui::Timer* timer;
        Start start = Start::OnEntry;
    };

    // Begins in `first` with nothing running: the form enters its first phase as it loads.
    Phases(Phase first, std::vector<Step> steps) : phase_(first), steps_(std::move(steps)) {}

    Phase current() const { return phase_; }
    template <class... P>
    bool isAnyOf(P... phases) const {
        return ((phase_ == phases) || ...);
    }

    void enter(Phase next) {
        const bool again = next == phase_;
        for (const Step& s : steps_)
            if (s.phase == phase_ && (again ? s.start == Start::OnEntry : !listed(s.timer, next))) s.timer->setEnabled(false);
        phase_ = next;
        for (const Step& s : steps_)
            if (s.phase == next && s.start == Start::OnEntry) s.timer->setEnabled(true);
    }

    // What must hold between two events: no timer runs outside the phases that list it.
    bool onlyItsOwnTimersRun() const {
        return std::all_of(steps_.begin(), steps_.end(),
                           [this](const Step& s) { return !s.timer->enabled() || listed(s.timer, phase_); });
    }
    // Whether every timer the phase starts on entry still runs: a sequence that keeps them on
    // until it moves on has stalled otherwise.
    bool ownTimersRun() const {
        return std::all_of(steps_.begin(), steps_.end(), [this](const Step& s) {
            return s.phase != phase_ || s.start != Start::OnEntry || s.timer->enabled();
        });
    }
    bool anyRuns() const {
        return std::any_of(steps_.begin(), steps_.end(), [](const Step& s) { return s.timer->enabled(); });
    }
    // Every timer of the sequence, once each, in the order listed.
    std::vector<ui::Timer*> timers() const {
        std::vector<ui::Timer*> all;
        for (const Step& s : steps_)
            if (std::find(all.begin(), all.end(), s.timer) == all.end()) all.push_back(s.timer);
        return all;
    }

private:
    bool listed(const ui::Timer* timer, Phase phase) const {
        return std::any_of(steps_.begin(), steps_.end(), [&](const Step& s) { return s.timer == timer && s.phase == phase; });
    }

    Phase phase_;
    std::vector<Step> steps_;
};

}  // namespace app

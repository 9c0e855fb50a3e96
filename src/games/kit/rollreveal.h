#pragma once

#include "app/then.h"
#include "ui/timer.h"

namespace games::kit {

// Something rolls for a drawn number of ticks, then shows what it really came to. Every tick
// draws fresh rolling faces, the last one too, so that chance is drawn the same however the roll
// ends; the last tick stops the timer and lands instead of showing them.
class RollReveal {
public:
    RollReveal(ui::Timer& timer, app::Then draw, app::Then showRolling, app::Then land);

    void start(short ticks);
    bool rolling() const { return timer_.enabled(); }

private:
    void tick();

    ui::Timer& timer_;
    app::Then draw_;
    app::Then showRolling_;
    app::Then land_;
    short left_ = 0;
};

}  // namespace games::kit

#pragma once

#include "app/then.h"
#include "assets/sozai.h"
#include "ui/image.h"
#include "ui/timer.h"

namespace games::kit {

// The big numbers before a start: one less a tick, shown on `face`; at 0 the timer stops and `go`
// runs.
class Countdown {
public:
    Countdown(ui::Timer& timer, ui::Image& face, assets::Sozai& sozai, app::Then go);

    void start(short from);
    // The number showing, or about to show before the first tick.
    short left() const { return left_; }

private:
    void tick();

    ui::Timer& timer_;
    ui::Image& face_;
    assets::Sozai& sozai_;
    app::Then go_;
    short left_ = 0;
};

}  // namespace games::kit

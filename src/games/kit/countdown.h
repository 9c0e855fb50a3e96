#pragma once

#include <string>

#include "app/then.h"
#include "assets/sozai.h"
#include "ui/image.h"
#include "ui/timer.h"

namespace games::kit {

// The big numbers before a start: one less a tick, shown on `face`; at 0 the timer stops and `go`
// runs. A listener hears `howToPlay` on the first tick, while there is still time to take it in,
// and then the numbers from 3 down; the start itself is the game's to say.
class Countdown {
public:
    Countdown(ui::Timer& timer, ui::Image& face, assets::Sozai& sozai, app::Then go);

    void start(short from, std::string howToPlay = {});
    // The number showing, or about to show before the first tick.
    short left() const { return left_; }

private:
    void tick();

    ui::Timer& timer_;
    ui::Image& face_;
    assets::Sozai& sozai_;
    app::Then go_;
    short left_ = 0;
    std::string howToPlay_;  // until the first tick has said it
};

}  // namespace games::kit

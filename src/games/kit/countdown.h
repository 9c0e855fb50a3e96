#pragma once

#include <string>

#include "app/then.h"
#include "assets/sozai.h"
#include "ui/image.h"
#include "ui/keys.h"
#include "ui/timer.h"

namespace games::kit {

// The big numbers before a start: one less a tick, shown on `face`; at 0 the timer stops and `go`
// runs. A player who sees the screen reads the numbers; a listener hears `howToPlay` on the first
// tick and then the numbers from 3 down; the start itself is the game's to say. With a screen
// reader running the countdown waits instead until the player has heard how to play and presses
// Space: a sentence still being read when the clock starts would cost the listener seconds.
class Countdown {
public:
    Countdown(ui::Timer& timer, ui::Image& face, assets::Sozai& sozai, app::Then go);

    void start(short from, std::string howToPlay = {});
    // A key the form sees first: Space while the countdown waits for it starts it, and is accepted.
    // Whether it was.
    bool keyDown(ui::KeyEvent& key);
    bool waiting() const { return waiting_; }
    // The number showing, or about to show before the first tick.
    short left() const { return left_; }

private:
    void tick();

    ui::Timer& timer_;
    ui::Image& face_;
    assets::Sozai& sozai_;
    app::Then go_;
    short left_ = 0;
    bool waiting_ = false;
    std::string howToPlay_;  // until the first tick has said it
};

}  // namespace games::kit

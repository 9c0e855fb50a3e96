#pragma once

#include <functional>
#include <vector>

#include "app/then.h"
#include "ui/control.h"
#include "ui/timer.h"

namespace app {

// Captions that come up one a tick, then a hand-over. Each tick takes the next step: it shows its
// control, or only waits where the step has none; after the last step the timer stops and `then`
// runs. The games and the scenes both stage their endings this way.
class SteppedReveal {
public:
    SteppedReveal(ui::Timer& timer, std::vector<ui::Control*> steps, Then then);

    void start();

    // Runs as each step's control comes into view (a scene that has its captions said, say).
    std::function<void(ui::Control&)> onShown;

private:
    void tick();

    ui::Timer& timer_;
    std::vector<ui::Control*> steps_;
    Then then_;
    std::size_t next_ = 0;
};

}  // namespace app

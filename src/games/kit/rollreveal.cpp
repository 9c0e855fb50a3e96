#include "games/kit/rollreveal.h"

namespace games::kit {

RollReveal::RollReveal(ui::Timer& timer, app::Then draw, app::Then showRolling, app::Then land)
    : timer_(timer), draw_(std::move(draw)), showRolling_(std::move(showRolling)), land_(std::move(land)) {
    timer_.onTick = [this] { tick(); };
}

void RollReveal::start(short ticks) {
    left_ = ticks;
    timer_.setEnabled(true);
}

void RollReveal::tick() {
    draw_();
    if (--left_ > 0) {
        showRolling_();
        return;
    }
    timer_.setEnabled(false);
    land_();
}

}  // namespace games::kit

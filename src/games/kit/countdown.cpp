#include "games/kit/countdown.h"

namespace games::kit {

Countdown::Countdown(ui::Timer& timer, ui::Image& face, assets::Sozai& sozai, app::Then go)
    : timer_(timer), face_(face), sozai_(sozai), go_(std::move(go)) {
    timer_.onTick = [this] { tick(); };
}

void Countdown::start(short from) {
    left_ = from;
    timer_.setEnabled(true);
}

void Countdown::tick() {
    --left_;
    face_.setPicture(sozai_.numberimg(left_));
    if (left_ != 0) return;
    timer_.setEnabled(false);
    go_();
}

}  // namespace games::kit

#include "app/steppedreveal.h"

namespace app {

SteppedReveal::SteppedReveal(ui::Timer& timer, std::vector<ui::Control*> steps, Then then)
    : timer_(timer), steps_(std::move(steps)), then_(std::move(then)) {
    timer_.onTick = [this] { tick(); };
}

void SteppedReveal::start() {
    next_ = 0;
    timer_.setEnabled(true);
}

void SteppedReveal::tick() {
    if (next_ >= steps_.size()) return;
    if (ui::Control* c = steps_[next_]) {
        c->setVisible(true);
        if (onShown) onShown(*c);
    }
    if (++next_ < steps_.size()) return;
    timer_.setEnabled(false);
    then_();
}

}  // namespace app

#include "games/kit/countdown.h"

#include "ui/announcer.h"
#include "ui/form.h"
#include "ui/keys.h"

namespace games::kit {

namespace {
constexpr short kSpokenFrom = 3;
}

Countdown::Countdown(ui::Timer& timer, ui::Image& face, assets::Sozai& sozai, app::Then go)
    : timer_(timer), face_(face), sozai_(sozai), go_(std::move(go)) {
    timer_.onTick = [this] { tick(); };
}

void Countdown::start(short from, std::string howToPlay) {
    left_ = from;
    howToPlay_ = std::move(howToPlay);
    waiting_ = ui::screenReaderRuns();
    if (!waiting_) {
        timer_.setEnabled(true);
        return;
    }
    face_.form().announce(howToPlay_ + (howToPlay_.empty() ? "" : "。") + "スペースで始める");
    howToPlay_.clear();
}

bool Countdown::keyDown(ui::KeyEvent& key) {
    if (!waiting_ || key.key() != ui::Key::Space) return false;
    key.accept();
    waiting_ = false;
    timer_.setEnabled(true);
    return true;
}

void Countdown::tick() {
    --left_;
    face_.setPicture(sozai_.numberimg(left_));
    if (!howToPlay_.empty()) {
        face_.form().announce(howToPlay_);
        howToPlay_.clear();
    } else if (left_ > 0 && left_ <= kSpokenFrom) {
        face_.form().announce(std::to_string(left_));
    }
    if (left_ != 0) return;
    timer_.setEnabled(false);
    go_();
}

}  // namespace games::kit

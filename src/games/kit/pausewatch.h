#pragma once

#include <utility>

namespace games::kit {

// Whether a player pressing keys against a clock has just stopped to listen. Every key cuts off
// what a screen reader is saying, so a timed game says how it stands when the player pauses: on
// the first tick of its clock without a press after one with.
class PauseWatch {
public:
    void pressed() { pressedThisTick_ = true; }
    // At each tick of the clock: whether the player has just paused.
    bool tick() {
        const bool paused = pressedLastTick_ && !pressedThisTick_;
        pressedLastTick_ = std::exchange(pressedThisTick_, false);
        return paused;
    }

private:
    bool pressedThisTick_ = false;  // since the last tick
    bool pressedLastTick_ = false;  // in the second before it
};

}  // namespace games::kit

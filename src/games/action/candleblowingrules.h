#pragma once

#include <string>

#include "app/random.h"

namespace games::candleblowingrules {

constexpr int kBreathSeconds = 15;  // the clock she breathes in against
constexpr int kMinPower = 10;       // the gauge never empties below this
constexpr int kMaxPower = 6000;     // a full breath: 100 %
constexpr int kInhaleStep = 100;

constexpr int kMeterStart = 3240;  // the marker's Left before its first step
constexpr int kMeterTickMs = 30;
constexpr int kMeterStep = 60;    // twips a tick
constexpr int kMeterHide = 5040;  // the marker vanishes here
constexpr int kMeterEnd = 9240;   // and stops by itself here
constexpr int kSweetSpot = 7560;  // its centre on the red stripe

// Breath lost on one gauge tick, from the breath before the loss and the draw r = random.below(10)
// (below 3 a gust blows), divided by `divisor` (2 once the countdown's 3 has been clicked).
int drain(int power, int r, int divisor);

// The grade of a stop position, 0 (Super!!) to 4 (Poor..).
int grade(int markerLeft);

// The breath as the player reads it, 0 to 100.
int percentOf(int power);

struct Blow {
    int blownOut = 0;         // candles blown out, 0..100
    bool windSpirit = false;  // the wind spirit will come
    int efficiency = 0;       // in per cent
};

// The candles a breath puts out at a grade: one draw for luck, then one for the efficiency of the
// grades 1 and 2. The lucky draw compares the raw breath value, not its percentage.
Blow blow(int grade, int power, app::Random& random);

// What a listener hears. How to play says when to press Space too (what the marker's speed and
// the red stripe tell the eye): the arrows cut off whatever is said while she breathes in, and
// the second after is too short for it. The clock is said at ten seconds and in the last five,
// each time with the breath; its end, at 0, says the breath taken instead.
std::string howToBlow();
bool clockWorthSaying(int secondsLeft);
std::string breathSaid(int secondsLeft, int power);
std::string breathTaken(int power);

}  // namespace games::candleblowingrules

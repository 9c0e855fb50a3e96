#pragma once

#include <string>

#include "app/random.h"

namespace games::bootsdashrules {

constexpr int kCourse = 1000;  // tenths of a metre: the 100 m
constexpr int kRaceSeconds = 40;
constexpr int kBonusSeconds = 3;  // a click on the continue code
// The clock label holds two digits; the count stays within them (and far from the 16-bit limit)
// however often the code is clicked.
constexpr int kMostSeconds = 99;
constexpr int kFallChance = 2;  // in ten, of a fall at the risky pace
constexpr int kRiskyPace = 40;  // exactly 4 m within one tick of the race clock

// One alternate step: 2, 3 or 4 tenths of a metre with equal chance.
int stride(app::Random& random);
// The same foot twice: she goes down half the time.
bool tripsOnSameFoot(app::Random& random);
// At the risky pace: she goes down `fallChance` times in ten.
bool tripsAtPace(app::Random& random, int fallChance);

// The marker's left edge in twips: 90 twips a metre, from 120 at the start to 9120 at the line
// (and a little past it when the last step overshoots).
int markerLeft(int distanceLeft);
// Whole metres left, rounded down.
int wholeMetres(int distanceLeft);
// The clock after a bonus, never beyond what it can show.
short withBonus(short secondsLeft);

// What a listener hears while her fingers are busy: a key press cuts off what is unread, so the
// clock is said only every ten seconds and in the last five, each time with the distance; at 0
// time-up is a sentence of its own.
std::string howToRun();
bool clockWorthSaying(int secondsLeft);
std::string clockSaid(int secondsLeft, int distanceLeft);
std::string distanceSaid(int distanceLeft);

}  // namespace games::bootsdashrules

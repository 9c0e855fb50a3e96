#include "games/action/bootsdashrules.h"

#include <algorithm>

namespace games::nagagutsurules {

using app::Int;

int stride(app::Random& random) { return Int(random.Rnd() * 3) + 2; }

bool tripsOnSameFoot(app::Random& random) { return Int(random.Rnd() * 10) < 5; }

bool tripsAtPace(app::Random& random, int korobiritu) { return Int(random.Rnd() * 10) < korobiritu; }

int markerLeft(int kyori) { return (kCourse - kyori) * 9 + 120; }

int wholeMetres(int kyori) { return Int(kyori / 10.0); }

short withBonus(short nokorisec) { return static_cast<short>(std::min(nokorisec + kBonusSeconds, kMostSeconds)); }

}  // namespace games::nagagutsurules

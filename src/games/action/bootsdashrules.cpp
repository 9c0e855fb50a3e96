#include "games/action/bootsdashrules.h"

#include <algorithm>

namespace games::bootsdashrules {

using app::Int;

int stride(app::Random& random) { return Int(random.Rnd() * 3) + 2; }

bool tripsOnSameFoot(app::Random& random) { return Int(random.Rnd() * 10) < 5; }

bool tripsAtPace(app::Random& random, int fallChance) { return Int(random.Rnd() * 10) < fallChance; }

int markerLeft(int distanceLeft) { return (kCourse - distanceLeft) * 9 + 120; }

int wholeMetres(int distanceLeft) { return Int(distanceLeft / 10.0); }

short withBonus(short secondsLeft) { return static_cast<short>(std::min(secondsLeft + kBonusSeconds, kMostSeconds)); }

}  // namespace games::bootsdashrules

#include "games/action/bootsdashrules.h"

#include <algorithm>

namespace games::bootsdashrules {

int stride(app::Random& random) { return random.below(3) + 2; }

bool tripsOnSameFoot(app::Random& random) { return random.chance(5, 10); }

bool tripsAtPace(app::Random& random, int fallChance) { return random.chance(fallChance, 10); }

int markerLeft(int distanceLeft) { return (kCourse - distanceLeft) * 9 + 120; }

int wholeMetres(int distanceLeft) { return app::floorToInt(distanceLeft / 10.0); }

short withBonus(short secondsLeft) { return static_cast<short>(std::min(secondsLeft + kBonusSeconds, kMostSeconds)); }

std::string howToRun() {
    return "左右の矢印キーを交互に、" + std::to_string(kRaceSeconds) + "秒で" + std::to_string(wholeMetres(kCourse)) + "メートル";
}

bool clockWorthSaying(int secondsLeft) { return secondsLeft % 10 == 0 || secondsLeft <= 5; }

std::string clockSaid(int secondsLeft, int distanceLeft) {
    return std::to_string(secondsLeft) + "秒、" + distanceSaid(distanceLeft);
}

std::string distanceSaid(int distanceLeft) { return "あと" + std::to_string(wholeMetres(distanceLeft)) + "メートル"; }

}  // namespace games::bootsdashrules

#include "games/action/candleblowingrules.h"

namespace games::candleblowingrules {

int drain(int power, int r, int divisor) {
    const bool gust = r < 3;
    int base = 0;
    if (power <= 2000)
        base = gust ? 70 : 40;
    else if (power <= 3000)
        base = gust ? 80 : 50;
    else if (power <= 5000)
        base = gust ? 90 : 60;
    else
        base = gust ? 100 : 70;
    return app::roundHalfEven(static_cast<double>(base) / divisor);
}

int grade(int markerLeft) {
    if (markerLeft == kSweetSpot) return 0;
    if (markerLeft >= 7501 && markerLeft <= 7620) return 1;
    if (markerLeft >= 6721 && markerLeft <= 8280) return 2;
    if (markerLeft >= 5521 && markerLeft <= 8760) return 3;
    return 4;
}

int percentOf(int power) { return app::floorToInt(power / 60.0); }

Blow blow(int grade, int power, app::Random& random) {
    Blow b;
    const int r = random.below(10000);
    switch (grade) {
        case 0: b.efficiency = 100; break;
        case 1: b.efficiency = random.below(20) + 80; break;
        case 2: b.efficiency = random.below(21) + 50; break;
        case 3: b.efficiency = 50; break;
        default: b.efficiency = 15; break;
    }
    b.blownOut = app::floorToInt((power / 60.0) * b.efficiency / 100.0);
    if (grade == 0 && ((power >= 80 && r < 3333) || (power > 50 && r < 2500) || power == 50 || r < 1428)) b.blownOut = 100;
    if (grade == 1 && ((power == 100 && r < 500) || (power >= 80 && r < 101))) b.blownOut = 100;
    b.windSpirit = r < 101 && b.blownOut != 100;
    return b;
}

std::string howToBlow() {
    // In tenths of a second, rounded: 72 ticks of 30 ms are 2.2 s.
    const int tenths = ((kSweetSpot - kMeterStart) / kMeterStep * kMeterTickMs + 50) / 100;
    return "左右の矢印キーを交互に" + std::to_string(kBreathSeconds) + "秒吸って、合図から" + std::to_string(tenths / 10) + "." +
           std::to_string(tenths % 10) + "秒でスペースを押して吹く";
}

bool clockWorthSaying(int secondsLeft) { return secondsLeft == 10 || secondsLeft <= 5; }

std::string breathSaid(int secondsLeft, int power) {
    return std::to_string(secondsLeft) + "秒、パワー" + std::to_string(percentOf(power)) + "％";
}

std::string breathTaken(int power) { return "パワー吸い込み" + std::to_string(percentOf(power)) + "％"; }

}  // namespace games::candleblowingrules

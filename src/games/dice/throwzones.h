#pragma once

#include "app/random.h"
#include "games/dice/dicerules.h"

namespace games::dicerules {

// Where the gauge stands when the heroine throws decides how her dice fall.
enum class Zone { Feeble, Weak, Normal, Strong, Perfect };

// What the two duels read differently in the gauge. Each duel's table is checked in one order:
// perfect, strong, feeble, weak, else normal.
struct ThrowRules {
    short perfectFrom;  // this far and beyond is perfect, as is the exact middle
    short strongFrom;
    short feebleBelow;
    short weakBelow;
    // A strong throw's die draws r = 0..9 first; r in [luckyLow, luckyHigh] makes it a 4, 5 or 6.
    short luckyLow;
    short luckyHigh;
};

extern const ThrowRules kDuelA;
extern const ThrowRules kDuelB;

inline constexpr short kMiddle = 3000;

Zone zone(const ThrowRules& rules, short gauge);

// The five ways of throwing; each draws die 0, then 1, then 2.
Dice perfectThrow();  // three sixes, no draw
Dice strongThrow(const ThrowRules& rules, app::Random& random);
Dice normalThrow(app::Random& random);  // fair dice
Dice weakThrow(app::Random& random);
Dice feebleThrow(app::Random& random);

Dice throwIn(Zone zone, const ThrowRules& rules, app::Random& random);

}  // namespace games::dicerules

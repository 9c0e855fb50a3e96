#include "games/dice/throwzones.h"

namespace games::dicerules {

namespace {

template <class Die>
Dice three(Die die) {
    Dice d{};
    for (short& v : d) v = die();
    return d;
}
}  // namespace

// Duel A favours the strong throw: six chances in ten of a high die before the fair draw.
const ThrowRules kDuelA{.perfectFrom = dicerules::kGaugeFull,
                        .strongFrom = 5000,
                        .feebleBelow = 200,
                        .weakBelow = 1000,
                        .luckyLow = 0,
                        .luckyHigh = 5};
// Duel B widens the weak zone up to the middle, and its strong throw is favoured only four in ten.
const ThrowRules kDuelB{
    .perfectFrom = 5980, .strongFrom = 5000, .feebleBelow = 200, .weakBelow = 3000, .luckyLow = 6, .luckyHigh = 9};

Zone zone(const ThrowRules& rules, short gauge) {
    if (gauge >= rules.perfectFrom || gauge == kMiddle) return Zone::Perfect;
    if (gauge >= rules.strongFrom) return Zone::Strong;
    if (gauge < rules.feebleBelow) return Zone::Feeble;
    if (gauge < rules.weakBelow) return Zone::Weak;
    return Zone::Normal;
}

Dice perfectThrow() { return {5, 5, 5}; }

Dice strongThrow(const ThrowRules& rules, app::Random& random) {
    return three([&] {
        const short r = static_cast<short>(random.below(10));
        if (r >= rules.luckyLow && r <= rules.luckyHigh) return static_cast<short>(random.below(3) + 3);
        return static_cast<short>(random.below(6));
    });
}

Dice normalThrow(app::Random& random) { return fairThrow(random); }

Dice weakThrow(app::Random& random) {
    return three([&] {
        const short r = static_cast<short>(random.below(10));
        return r <= 7 ? static_cast<short>(random.below(3)) : static_cast<short>(random.below(6));
    });
}

Dice feebleThrow(app::Random& random) {
    return three([&] { return static_cast<short>(random.below(3)); });
}

Dice throwIn(Zone z, const ThrowRules& rules, app::Random& random) {
    switch (z) {
        case Zone::Perfect: return perfectThrow();
        case Zone::Strong: return strongThrow(rules, random);
        case Zone::Normal: return normalThrow(random);
        case Zone::Weak: return weakThrow(random);
        case Zone::Feeble: return feebleThrow(random);
    }
    return normalThrow(random);
}

}  // namespace games::dicerules

#include "games/action/balloonbattlerules.h"

namespace games::balloonbattlerules {

int band(int danger) { return app::floorToInt(danger / 1000.0); }

int pumpAmount(app::Random& random) { return random.below(3) * 100 + 100; }

bool bursts(const Risk& risk, int danger, app::Random& random) {
    return random.below(10000) < risk.at(static_cast<std::size_t>(band(danger)));
}

int opponentPumps(int danger, app::Random& random) {
    if (danger < 2000) return 3;
    if (danger >= 4000) return 1;
    return random.below(2) + 1;
}

std::string dangerSaid(int danger) { return "危険度" + std::to_string(app::floorToInt(danger * 100.0 / kMaxDanger)) + "％"; }

}  // namespace games::balloonbattlerules

#include "games/action/balloonbattlerules.h"

namespace games::mizuhusenrules {

int band(int kikendo) { return app::Int(kikendo / 1000.0); }

int pumpAmount(double rnd) { return app::Int(rnd * 3) * 100 + 100; }

bool bursts(const Risk& risk, int kikendo, double rnd) {
    return app::Int(rnd * 10000) < risk.at(static_cast<std::size_t>(band(kikendo)));
}

int kozuePushes(int kikendo, app::Random& random) {
    if (kikendo < 2000) return 3;
    if (kikendo >= 4000) return 1;
    return app::Int(random.Rnd() * 2) + 1;
}

}  // namespace games::mizuhusenrules

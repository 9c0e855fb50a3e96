#pragma once

#include <array>
#include <string>

#include "app/random.h"

namespace games::balloonbattlerules {

// The danger level stops here: the gauge is full and the chances stay at their worst.
constexpr int kMaxDanger = 6000;

// Burst thresholds out of 10000, by danger band 0..6; the last entry is never reached.
using Risk = std::array<short, 8>;
constexpr Risk kPumpRisk{26, 102, 151, 370, 769, 2500, 3333, 0};
constexpr Risk kThrowRisk{11, 34, 100, 200, 1250, 2000, 3333, 0};

// The band of a (capped) danger level: one per thousand, 0..6.
int band(int danger);

// Air from one pump: 100, 200 or 300 by the draw.
int pumpAmount(app::Random& random);

// Whether a draw bursts the balloon at this danger level: a number below 10000 against the band's
// threshold. The same test serves a pump (kPumpRisk) and a throw (kThrowRisk).
bool bursts(const Risk& risk, int danger, app::Random& random);

// How often the opponent pumps when the balloon comes back to her: three times while the danger
// is low, once when it is high, and one or two by a draw in between (the only case that draws).
int opponentPumps(int danger, app::Random& random);

// The danger as a listener hears it: the gauge's share, "危険度25％".
std::string dangerSaid(int danger);

}  // namespace games::balloonbattlerules

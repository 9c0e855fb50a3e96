#pragma once

#include <string>

#include "support/harness.h"

namespace testing_support {

// Dials a four-digit guess on the padlock with the ↑ buttons and submits it, then waits for the
// roulette and the recording (at most 19 ticks of 200 ms, then 2 s).
void tryHitandblow(SceneHarness& h, const std::string& digits);
// Reads the secret off the hidden hint labels and opens the lock on the first try.
void winHitandblow(SceneHarness& h);

}  // namespace testing_support

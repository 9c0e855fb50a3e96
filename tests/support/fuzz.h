#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "support/harness.h"

namespace testing_support {

// A restless player: clicks anything on screen with any button, presses and holds keys, pastes
// into the code box, waits, and now and then closes the window. After every step the game must
// be whole: one scene window while it runs, none after it ends, ended only by a close or the
// special scene's exit, no tick of an unloaded form, the code box holding at most four ASCII
// digits, and every open form's own invariants true; and the open form can still go on: a timer
// of its runs, a control that leads on is there to press, or it has ended (a lost game, the
// closing scene done). A player left on an ended form closes the window after a few steps.
struct FuzzOptions {
    std::uint64_t firstSeed = 1;
    long budget = 100000;  // real steps to run, across as many seeds as that takes
    int maxStepsPerSeed = 1500;
    bool realClock = false;  // Qt's timers and real waits instead of the manual clock
    int maxWaitMs = 4000;
    const chain::FormTable* table = nullptr;  // the game's own unless set
    // Where seeds start, in rotation; empty: the title, then every form of the table.
    std::vector<std::string> starts;
    // On every other seed this share of draws gives 77 out of 99, the one-in-99 events' draw.
    double rareShare = 0.25;
    int stepsOnAnEndedForm = 6;
    // Every step and a fingerprint of the screen after it, one line each: two builds that play
    // alike write the same bytes.
    std::ostream* recording = nullptr;
    // An extra check, for proving that the checker reports what it finds.
    std::function<std::string(SceneHarness&, int step)> extraCheck;
};

struct FuzzFailure {
    std::uint64_t seed;
    std::string start;  // the form the seed started at
    int step;
    std::string what;
    std::vector<std::string> lastSteps;  // the twenty before it, oldest first
};

struct FuzzReport {
    long stepsRun = 0;
    int seedsRun = 0;
    int seedsEndedByThePlayer = 0;
    std::vector<std::string> deepest;  // forms reached, for a look at how far the player went
    std::map<std::string, long> stepsPerForm;
    std::map<std::string, int> boxesSeen;  // seeds that saw a message box, by its title
    std::vector<FuzzFailure> failures;
};

FuzzReport fuzz(const FuzzOptions& options);
std::string describe(const FuzzFailure& failure);
std::string summary(const FuzzReport& report);

// Whether the open form can still go on, and if so whether only by closing it (it has ended);
// empty when it can, else what is stuck.
struct Progress {
    bool ended = false;
    std::string stuck;
};
Progress progress(SceneHarness& h, const std::string& form);

}  // namespace testing_support

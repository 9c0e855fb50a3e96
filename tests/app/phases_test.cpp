#include <gtest/gtest.h>

#include <string>

#include "app/phases.h"
#include "ui/clock.h"
#include "ui/timer.h"

namespace {

enum class Step { Waiting, Running, Down, Over };

// The dash's shape: the race clock runs through a fall beside the fall's own timer, the countdown
// is left to its motion, and entering a phase again starts its timers over.
TEST(Phases, OnlyThePhasesOwnTimersRunAndASharedOneRunsOnThroughTheChange) {
    ui::ManualClock clock;
    ui::Timer countdown(clock, "countdown", 1000, false), race(clock, "race", 1000, false), fall(clock, "fall", 300, false);
    std::string ticks;
    race.onTick = [&] { ticks += "r"; };
    fall.onTick = [&] { ticks += "f"; };
    using P = app::Phases<Step>;
    P phases(
        Step::Waiting,
        {{Step::Waiting, &countdown, P::Start::ByItsMotion}, {Step::Running, &race}, {Step::Down, &race}, {Step::Down, &fall}});
    phases.enter(Step::Waiting);
    EXPECT_TRUE(!countdown.enabled() && phases.ownTimersRun()) << "the motion starts it; until then nothing has stalled";
    countdown.setEnabled(true);
    phases.enter(Step::Running);
    clock.advance(700);
    phases.enter(Step::Down);
    clock.advance(400);
    EXPECT_EQ(ticks, "rf") << "the race clock kept its second; the fall began at 700";
    phases.enter(Step::Down);
    clock.advance(299);
    EXPECT_EQ(ticks, "rf") << "entered again at 1100, the fall starts over";
    fall.setEnabled(false);
    EXPECT_FALSE(phases.ownTimersRun()) << "down, and never getting up";
    phases.enter(Step::Over);
    EXPECT_TRUE(phases.onlyItsOwnTimersRun() && !phases.anyRuns());
    fall.setEnabled(true);
    EXPECT_FALSE(phases.onlyItsOwnTimersRun()) << "a timer left on outside its phase";
}

}  // namespace

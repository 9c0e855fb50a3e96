#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "support/fuzz.h"

namespace {

using testing_support::FuzzOptions;
using testing_support::FuzzReport;

long fromEnvironment(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

void expectClean(const FuzzReport& report) {
    for (const auto& f : report.failures) ADD_FAILURE() << testing_support::describe(f);
}

// The whole chain under a restless player. NONOKA_FUZZ_STEPS sets the budget of real steps (the
// long run: NONOKA_FUZZ_STEPS=1000000), NONOKA_FUZZ_SEED the first seed, to replay a failure.
TEST(RandomInput, ThePlayerCanDoAnythingAndTheGameStaysWhole) {
    FuzzOptions options;
    options.budget = fromEnvironment("NONOKA_FUZZ_STEPS", 100000);
    options.firstSeed = static_cast<std::uint64_t>(fromEnvironment("NONOKA_FUZZ_SEED", 1));
    const auto start = std::chrono::steady_clock::now();
    const FuzzReport report = testing_support::fuzz(options);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::string reached;
    for (const auto& f : report.deepest) reached += " " + f;
    std::printf("%ld steps over %d seeds (%d ended by the player) in %.1f s, %zu failures; reached:%s\n",
                report.stepsRun, report.seedsRun, report.seedsEndedByThePlayer, seconds, report.failures.size(),
                reached.c_str());
    EXPECT_GE(report.stepsRun, options.budget);
    expectClean(report);
}

// The same on Qt's own timers, with real waits: the precise clock and deferred deletion too.
TEST(RandomInput, OnTheRealClockToo) {
    FuzzOptions options;
    options.realClock = true;
    options.budget = fromEnvironment("NONOKA_FUZZ_REAL_STEPS", 400);
    options.maxStepsPerSeed = 200;
    options.maxWaitMs = 150;
    const FuzzReport report = testing_support::fuzz(options);
    EXPECT_GE(report.stepsRun, options.budget);
    expectClean(report);
}

// The checker itself can fail, and says where: a planted fault is reported with its seed and the
// steps that led to it, and the run goes on to the next seed.
TEST(RandomInput, AFailureIsReportedWithItsSeedAndTheStepsBeforeIt) {
    FuzzOptions options;
    options.firstSeed = 7;
    options.budget = 300;
    options.maxStepsPerSeed = 100;
    options.extraCheck = [](testing_support::SceneHarness&, int step) {
        return step == 30 ? std::string("planted") : std::string();
    };
    const FuzzReport report = testing_support::fuzz(options);
    ASSERT_FALSE(report.failures.empty());
    const auto& first = report.failures.front();
    EXPECT_EQ(first.what, "planted");
    EXPECT_EQ(first.step, 30);
    EXPECT_EQ(first.lastSteps.size(), 20u);
    EXPECT_NE(testing_support::describe(first).find("seed " + std::to_string(first.seed)), std::string::npos);
    EXPECT_GT(report.seedsRun, 1) << "the run went on after the failure";
}

}  // namespace

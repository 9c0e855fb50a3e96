#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "chain/formtable.h"
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

// The whole chain under a restless player, seeds starting in turn at every form. NONOKA_FUZZ_STEPS
// sets the budget of real steps (the long run: NONOKA_FUZZ_STEPS=1000000), NONOKA_FUZZ_SEED the
// first seed, to replay a failure, NONOKA_FUZZ_START one form for every seed to start at,
// NONOKA_FUZZ_RECORD a file to write every step to. Every form gets its share, and both one-in-99
// events come.
TEST(RandomInput, ThePlayerCanDoAnythingAndTheGameStaysWhole) {
    FuzzOptions options;
    options.budget = fromEnvironment("NONOKA_FUZZ_STEPS", 100000);
    options.firstSeed = static_cast<std::uint64_t>(fromEnvironment("NONOKA_FUZZ_SEED", 1));
    options.maxStepsPerSeed = 400;
    if (const char* from = std::getenv("NONOKA_FUZZ_START")) options.starts = {from};
    std::ofstream recording;  // NONOKA_FUZZ_RECORD: to see that a change of words plays the same
    if (const char* path = std::getenv("NONOKA_FUZZ_RECORD")) recording.open(path), options.recording = &recording;
    const auto start = std::chrono::steady_clock::now();
    const FuzzReport report = testing_support::fuzz(options);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f s: %s", seconds, testing_support::summary(report).c_str());
    EXPECT_GE(report.stepsRun, options.budget);
    if (options.starts.empty()) {
        // A fifth of an even share: the forms a player soon leaves stay short of the rest.
        const auto forms = chain::allForms();
        for (const auto& form : forms)
            EXPECT_GE(report.stepsPerForm.count(form) ? report.stepsPerForm.at(form) : 0,
                      options.budget / (5 * static_cast<long>(forms.size())))
                << form;
        for (const char* rare : {"いかさま発覚", "力ずく"}) EXPECT_GT(report.boxesSeen.count(rare), 0u) << rare;
    }
    expectClean(report);
}

// The same on Qt's own timers, with real waits: the precise clock and deferred deletion too.
TEST(RandomInput, OnTheRealClockToo) {
    FuzzOptions options;
    options.realClock = true;
    options.starts = chain::gameForms();
    options.budget = fromEnvironment("NONOKA_FUZZ_REAL_STEPS", 400);
    options.maxStepsPerSeed = 50;
    options.maxWaitMs = 150;
    const FuzzReport report = testing_support::fuzz(options);
    EXPECT_GE(report.stepsRun, options.budget);
    for (const auto& game : chain::gameForms()) EXPECT_GT(report.stepsPerForm.count(game), 0u) << game;
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

// A form that can no longer go on is a failure, a lost game is not.
TEST(RandomInput, TheCheckerSeesAStoryThatStopped) {
    testing_support::OpenForm h("mesarea1");
    EXPECT_EQ(testing_support::progress(h, "mesarea1").stuck, "");
    for (const auto& t : h.form("mesarea1").timers()) t->setEnabled(false);
    EXPECT_NE(testing_support::progress(h, "mesarea1").stuck, "");
}

}  // namespace

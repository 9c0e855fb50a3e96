#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include <optional>

#include <string>
#include <vector>

#include "ui/clock.h"
#include "ui/timer.h"

namespace {

// Each case wires a few timers, runs the clock and compares the log of ticks ("name@ms").
struct ClockCase {
    const char* what;
    std::function<void(ui::ManualClock&, std::vector<std::unique_ptr<ui::Timer>>&, std::vector<std::string>&)> run;
    std::vector<std::string> expected;
};

ui::Timer& make(ui::ManualClock& clock, std::vector<std::unique_ptr<ui::Timer>>& timers, std::vector<std::string>& log,
                const std::string& name, int interval, bool enabled) {
    timers.push_back(std::make_unique<ui::Timer>(clock, name, interval, enabled));
    ui::Timer* t = timers.back().get();
    t->onTick = [&log, &clock, t] { log.push_back(t->name() + "@" + std::to_string(clock.now())); };
    return *t;
}

TEST(ManualClock, DeliversTicksByTheRules) {
    const std::vector<ClockCase> cases{
        {"repeats at its interval, including a tick due exactly at the end",
         [](auto& c, auto& ts, auto& log) {
             make(c, ts, log, "a", 45, true);
             c.advance(135);
         },
         {"a@45", "a@90", "a@135"}},
        {"ticks come in time order across timers",
         [](auto& c, auto& ts, auto& log) {
             make(c, ts, log, "slow", 50, true);
             make(c, ts, log, "fast", 20, true);
             c.advance(60);
         },
         {"fast@20", "fast@40", "slow@50", "fast@60"}},
        {"ties go to the timer whose run began first",
         [](auto& c, auto& ts, auto& log) {
             make(c, ts, log, "first", 30, true);
             c.advance(10);
             make(c, ts, log, "second", 20, true);
             c.advance(20);
         },
         {"first@30", "second@30"}},
        {"a disabled timer delivers nothing, not even a tick already due",
         [](auto& c, auto& ts, auto& log) {
             auto& a = make(c, ts, log, "a", 10, true);
             auto& b = make(c, ts, log, "b", 10, true);
             a.onTick = [&] {
                 log.push_back("a@" + std::to_string(c.now()));
                 b.setEnabled(false);
             };
             c.advance(25);
         },
         {"a@10", "a@20"}},
        {"enabling inside a handler counts from that handler's moment",
         [](auto& c, auto& ts, auto& log) {
             auto& later = make(c, ts, log, "later", 45, false);
             auto& a = make(c, ts, log, "a", 30, true);
             // clang-format off
             a.onTick = [&] { log.push_back("a@" + std::to_string(c.now())); a.setEnabled(false); later.setEnabled(true); };
             // clang-format on
             c.advance(200);
         },
         {"a@30", "later@75", "later@120", "later@165"}},
        {"enabling an enabled timer changes nothing; re-enabling a disabled one starts afresh",
         [](auto& c, auto& ts, auto& log) {
             auto& a = make(c, ts, log, "a", 100, true);
             c.advance(60);
             a.setEnabled(true);
             c.advance(50);  // still due at 100
             a.setEnabled(false);
             a.setEnabled(true);  // at 110: fresh interval
             c.advance(100);
         },
         {"a@100", "a@210"}},
        {"a new interval restarts a running timer",
         [](auto& c, auto& ts, auto& log) {
             auto& a = make(c, ts, log, "a", 60, true);
             c.advance(50);
             a.setInterval(75);
             c.advance(150);
         },
         {"a@125", "a@200"}},
        {"an interval of 0 never fires, one of 1 every millisecond; a timer destroyed is forgotten",
         [](auto& c, auto& ts, auto& log) {
             make(c, ts, log, "zero", 0, true);
             make(c, ts, log, "one", 1, true);
             make(c, ts, log, "gone", 1, true);
             ts.pop_back();
             c.advance(3);
         },
         {"one@1", "one@2", "one@3"}},
        {"a handler that runs the clock on (a modal box): others tick meanwhile, its own once late, time kept",
         [](auto& c, auto& ts, auto& log) {
             auto& box = make(c, ts, log, "box", 100, true);
             make(c, ts, log, "b", 90, true);
             box.onTick = [&] {
                 log.push_back("box@" + std::to_string(c.now()));
                 if (c.now() == 100) c.advance(200);
             };
             c.advance(120);
             log.push_back("now@" + std::to_string(c.now()));
             c.advance(100);
         },
         {"b@90", "box@100", "b@180", "b@270", "now@300", "box@300", "b@360", "box@400"}},
        {"a killed timer stays silent even if enabled again",
         [](auto& c, auto& ts, auto& log) {
             auto& a = make(c, ts, log, "a", 10, true);
             c.onDeliver = [&](const ui::Timer& t) { log.push_back("heard " + t.name()); };
             c.advance(10);
             a.kill();
             a.setEnabled(true);
             c.advance(100);
             log.push_back(a.enabled() ? "enabled" : "off");
         },
         {"heard a", "a@10", "off"}},
    };
    for (const auto& tc : cases) {
        ui::ManualClock clock;
        std::vector<std::unique_ptr<ui::Timer>> timers;
        std::vector<std::string> log;
        tc.run(clock, timers, log);
        EXPECT_EQ(log, tc.expected) << tc.what;
    }
}

// The clock the game plays on: ticks arrive through Qt's event loop, none before the interval,
// and none from a timer gone, even one due while nothing was processed and landing where a new
// timer now stands. How punctually is the bench's part.
TEST(QtClock, DeliversTicksThroughTheEventLoop) {
    auto clock = ui::makeQtClock();
    int ticks = 0;
    std::optional<ui::Timer> t;
    t.emplace(*clock, "fast", 1, true);
    t->onTick = [&] { ++ticks; };
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));
    t.reset();
    QElapsedTimer due;
    for (due.start(); due.elapsed() < 5;) {
    }  // its next ticks fall due, and nothing is processed
    const std::int64_t began = clock->elapsedMs();
    std::int64_t first = -1;
    t.emplace(*clock, "slow", 100, true);
    t->onTick = [&] { first = first < 0 ? clock->elapsedMs() : first; };
    ASSERT_TRUE(QTest::qWaitFor([&] { return first >= 0; }, 5000));
    EXPECT_GE(first - began, 100);
}

}  // namespace

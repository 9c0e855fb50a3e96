#include <gtest/gtest.h>

#include <Qt>

#include <algorithm>

#include "games/action/bootsdashrules.h"
#include "support/harness.h"
#include "ui/label.h"

namespace {

using namespace std::chrono_literals;
using testing_support::Change;
using testing_support::SceneHarness;
namespace rules = games::bootsdashrules;

TEST(BootsDashRules, WholeMetresRoundDownAndTheBonusStaysWithinTheClock) {
    EXPECT_EQ(rules::wholeMetres(999), 99);
    EXPECT_EQ(rules::wholeMetres(9), 0);
    EXPECT_EQ(rules::withBonus(97), 99);
    EXPECT_EQ(rules::withBonus(99), 99) << "however often it is clicked";
}

constexpr int kLeft = Qt::Key_Left;
constexpr int kRight = Qt::Key_Right;

// The dash with every draw scripted (an unscripted draw fails the test); the race starts at 6 s,
// and the dash is opened there unless the countdown is what is tested.
struct Dash : testing_support::FormHarness {
    explicit Dash(bool started = true) : FormHarness("nagagutsu") {
        script({});
        open();
        if (started) advance(6s);
    }
    // Alternate steps of these gains, starting with the foot that did not go last.
    void run(std::initializer_list<int> gains) {
        for (int g : gains) {
            script({draw(3, g - 2)});
            foot = foot == kLeft ? kRight : kLeft;
            down(foot);
        }
    }
    void runTo(int distanceLeft) {  // from the start, all at once, never leaving a single tenth to go
        for (int d = 1000 - distanceLeft; d > 0;) {
            const int g = d == 5 ? 3 : std::min(d, 4);
            run({g});
            d -= g;
        }
    }
    std::string metres() { return cap("metresLeftLabel"); }
    std::string clock() { return cap("secondsLeftLabel"); }
    int marker() { return left(f, "markerImage"); }
    std::string runner() { return pic("runnerImage"); }
    bool draws() { return random().scriptLeft() > 0; }
    int foot = 0;
};

const char* const kRaceView[] = {"headingLabels(0)", "headingLabels(1)", "headingLabels(2)",
                                 "secondsLeftLabel", "metresLeftLabel",  "runnerImage"};

TEST(BootsDash, CountsDownFiveToOneThenTheRaceStartsAndNoKeyRunsBefore) {
    Dash h(false);
    h.down(kRight);
    const auto shown = [](int digit) { return digit > 5 ? "" : "store/numberimg_" + std::to_string(digit); };
    for (int digit = 5; digit >= 1; --digit) {
        EXPECT_EQ(h.picAcross(1000ms, "countdownImage"), Change(shown(digit + 1), shown(digit)));
        h.down(digit % 2 ? kLeft : kRight);
    }
    // clang-format off
    EXPECT_EQ(h.across(1000ms, [&] { return h.showing({"countdownImage", "runnerImage"}); }), Change("countdownImage", "runnerImage"))
        // clang-format on
        << "the 0 is never seen";
    EXPECT_EQ(h.marker(), 120) << "no key counted during the countdown";
    for (const char* c : kRaceView) EXPECT_TRUE(h.shows(c)) << c;
    EXPECT_EQ(h.clock(), "40") << "kRaceSeconds, bootsdashrules.h";
    EXPECT_EQ(h.metres(), "100") << "kCourse, bootsdashrules.h";
    EXPECT_EQ(h.runner(), "store/nagagutsu_0");
    EXPECT_EQ(h.said(), (std::vector<std::string>{"左右の矢印キーを交互に、40秒で100メートル", "3", "2", "1", "スタート！"}));
    for (auto [name, left, width] :
         {std::tuple{"headingLabels(0)", 1800, 975}, {"headingLabels(1)", 3840, 1695}, {"headingLabels(2)", 6360, 1695}})
        EXPECT_EQ(std::pair(h.left(h.f, name), h.width(h.f, name)), std::pair(left, width));
    for (const char* c : {kRaceView[0], kRaceView[1], kRaceView[2], "rightKeyLabel", "leftKeyLabel", "howToRunLabel"})
        EXPECT_TRUE(h.fits(c)) << c;
}

TEST(BootsDash, TheSameFootAgainGainsNothingKeepsTheTurnAndTripsHalfTheTime) {
    Dash h;
    h.forgetSpoken();
    h.run({2});
    h.script({h.draw(10, 5), h.draw(10, 9)});
    h.down(kLeft);
    h.down(kLeft, true);
    EXPECT_FALSE(h.draws()) << "a third Left, held down, is again the same foot";
    EXPECT_EQ(h.marker(), 138) << "and gains nothing";
    EXPECT_EQ(h.runner(), "store/nagagutsu_0") << "5 of 10 stays up";
    h.script({h.draw(3, 2), h.draw(3, 1), h.draw(3, 2)});
    for (int key : {kRight, kLeft, kRight}) h.down(key, true);
    EXPECT_FALSE(h.draws()) << "auto-repeated presses count like any other";
    EXPECT_EQ(h.marker(), (2 + 4 + 3 + 4) * 9 + 120);
    EXPECT_EQ(h.metres(), "98") << "987 tenths";

    h.advance(500ms);
    h.script({h.draw(10, 4)});
    h.down(kRight);
    EXPECT_EQ(h.runner(), "store/nagagutsu_1") << "4 of 10 goes down";
    h.script({0.5});
    h.down(kLeft);
    h.advance(500ms);
    EXPECT_EQ(h.clock(), "39") << "the race clock runs on while she is down";
    h.advance(499ms);
    h.down(kRight);
    EXPECT_TRUE(h.draws()) << "no key counts while she is down";
    h.advance(1ms);
    EXPECT_EQ(h.runner(), "store/nagagutsu_0");
    EXPECT_FALSE(h.on("fallTimer"));
    h.random().useScript({h.draw(3, 2)});
    h.down(kRight);
    EXPECT_EQ(h.marker(), 17 * 9 + 120) << "after getting up either foot may start";
    EXPECT_EQ(h.said(), (std::vector<std::string>{"同じ足で転んだ！", "起きた"}));
}

TEST(BootsDash, OnlyExactlyFourMetresInOneSecondRisksAFall) {
    for (int gained : {39, 40, 41}) {
        Dash h;
        h.runTo(1000 - gained);
        if (gained == 40) h.script({h.draw(10, 1)});
        h.forgetSpoken();
        h.advance(1s);
        EXPECT_FALSE(h.draws()) << gained;
        EXPECT_EQ(h.runner(), gained == 40 ? "store/nagagutsu_1" : "store/nagagutsu_0") << gained;
        EXPECT_EQ(h.said(), gained == 40 ? std::vector<std::string>{"転んだ！"} : std::vector<std::string>{});
    }
    Dash h;
    h.runTo(960);
    h.script({h.draw(10, 2)});
    h.advance(1s);
    EXPECT_EQ(h.runner(), "store/nagagutsu_0") << "two in ten";
}

TEST(BootsDash, ReachingTheLineWinsEvenPastItAndLeadsOn) {
    for (int last : {2, 4}) {
        Dash h;
        h.runTo(2);
        EXPECT_EQ(h.metres(), "0");
        h.forgetSpoken();
        h.run({last});
        EXPECT_EQ(h.said(), std::vector<std::string>{"ゴール！のこり40秒"});
        EXPECT_EQ(h.marker(), 9120 + (last - 2) * 9) << "on the line or a little past it";
        EXPECT_EQ(h.pic("resultImage"), "store/hanmark_1");
        EXPECT_FALSE(h.on("raceClockTimer")) << "the clock stops at the line";
        for (const char* c : kRaceView) EXPECT_FALSE(h.shows(c)) << c;
        h.down(kLeft);
        h.down(kRight);
        h.advance(10s);
        EXPECT_FALSE(h.draws()) << "nothing runs after the goal";
        EXPECT_EQ(h.leave("nextButton"), h.next("nextButton"));
    }
    Dash h;
    h.runTo(3);
    h.run({2});
    EXPECT_TRUE(h.on("raceClockTimer")) << "a tenth short of the line is no goal";
}

TEST(BootsDash, TimeRunsOutEvenForARunnerDownInTheLastSecondAndNobodyRunsOn) {
    // Down one step from the line: by the same foot half a second before the end, or by the pace
    // check on the last tick.
    for (bool byPace : {false, true}) {
        Dash h;
        h.runTo(byPace ? 44 : 4);
        h.forgetSpoken();
        h.advance(39s);
        EXPECT_EQ(h.clock(), "1");
        const std::string left = byPace ? "秒、あと4メートル" : "秒、あと0メートル";
        std::vector<std::string> said;
        for (int s : {38, 30, 20, 10, 5, 4, 3, 2, 1}) said.push_back(std::to_string(s) + left);  // 38: she stopped
        if (byPace) {
            h.run({4, 4, 4, 4, 4, 4, 4, 4, 4, 4});
            h.script({h.draw(10, 0)});
        } else {
            h.advance(500ms);
            h.script({h.draw(10, 0)});
            h.down(h.foot);
            EXPECT_EQ(h.runner(), "store/nagagutsu_1");
        }
        h.advance(byPace ? 1s : 500ms);
        if (!byPace) said.push_back("同じ足で転んだ！");
        said.push_back(h.lostSaying(h.f, "時間切れ、あと0メートル"));
        EXPECT_EQ(h.said(), said) << "every ten seconds, the last five, and the end";
        EXPECT_FALSE(h.draws());
        EXPECT_EQ(h.pic("resultImage") + h.showing({"runnerImage"}), "store/hanmark_0") << byPace << ": and she is gone";
        EXPECT_FALSE(h.on("fallTimer")) << "she does not get up to run on";
        h.advance(2s);
        h.down(kLeft);
        h.down(kRight);
        EXPECT_FALSE(h.draws());
        EXPECT_EQ(h.marker(), 996 * 9 + 120) << "nothing moves after time-up";
        EXPECT_FALSE(h.shows("nextButton")) << "and the goal is out of reach";
        h.close(h.f);
        EXPECT_TRUE(h.ended());
    }
}

TEST(BootsDash, TheCodeLabelAddsThreeSecondsFromTheNextTickUpToWhatTheClockShows) {
    Dash h(false);
    h.press("codeLabel");
    h.advance(6s);
    EXPECT_EQ(h.clock(), "40") << "43 left, but the label waits for the clock";
    h.advance(1s);
    EXPECT_EQ(h.clock(), "42");
    h.advance(500ms);
    h.press("codeLabel");
    EXPECT_EQ(h.clock(), "42");
    h.advance(500ms);
    EXPECT_EQ(h.clock(), "44");
    for (int i = 0; i < 40; ++i) h.press("codeLabel");
    h.advance(1s);
    EXPECT_EQ(h.clock(), "98") << "bounded at 99";
    EXPECT_TRUE(h.fits("secondsLeftLabel"));
}

}  // namespace

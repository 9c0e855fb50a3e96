#include <gtest/gtest.h>

#include <QKeyEvent>

#include <deque>

#include "games/action/candleblowingrules.h"
#include "support/harness.h"
#include "support/play.h"
#include "ui/label.h"

namespace {

using namespace std::chrono_literals;
using namespace games::candleblowingrules;
using testing_support::Change;
using testing_support::SceneHarness;

const double kCalm = SceneHarness::draw(10, 5);
const double kGust = SceneHarness::draw(10, 0);
const double kNoLuck = SceneHarness::draw(10000, 9999);
double luck(int r) { return SceneHarness::draw(10000, r); }
double eff(int n, int k) { return SceneHarness::draw(n, k); }  // the efficiency draw of grades 1 and 2

TEST(CandleBlowingRules, DrainFollowsTheBreathBandsTheGustsAndTheHalving) {
    struct Case {
        int power, calm, gust;
    };
    for (const auto& c : {Case{10, 40, 70}, Case{2000, 40, 70}, Case{2001, 50, 80}, Case{3000, 50, 80}, Case{3001, 60, 90},
                          Case{5000, 60, 90}, Case{5001, 70, 100}, Case{6000, 70, 100}}) {
        EXPECT_EQ((std::vector{drain(c.power, 3, 1), drain(c.power, 2, 1), drain(c.power, 9, 2), drain(c.power, 0, 2)}),
                  (std::vector{c.calm, c.gust, c.calm / 2, c.gust / 2}))
            << c.power << ": calm, gust, and both halved";
    }
}

TEST(CandleBlowingRules, TheGradeFollowsTheStopPosition) {
    const std::vector<std::pair<int, int>> cases{
        {7560, 0}, {7620, 1}, {7500, 2}, {7680, 2}, {6780, 2}, {8280, 2}, {6720, 3}, {8340, 3}, {5580, 3},        {8760, 3},
        {7501, 1}, {6721, 2}, {5521, 3}, {5520, 4}, {7621, 2}, {8281, 3}, {8761, 4}, {8820, 4}, {kMeterStart, 4}, {kMeterEnd, 4}};
    for (const auto& [markerLeft, expected] : cases) EXPECT_EQ(grade(markerLeft), expected) << markerLeft;
}

// Each case: grade, raw breath, the draws (luck first, then efficiency for grades 1 and 2), result, wind.
struct Drawn {
    int grade, power;
    std::deque<double> draws;
    int blownOut;
    bool wind = false;
};

void expectBlows(std::initializer_list<Drawn> cases) {
    for (const auto& d : cases) {
        app::Random random;
        random.useScript(d.draws);
        const Blow b = blow(d.grade, d.power, random);
        EXPECT_EQ(std::pair(b.blownOut, b.windSpirit), std::pair(d.blownOut, d.wind))
            << "grade " << d.grade << ", breath " << d.power;
        EXPECT_EQ(random.scriptLeft(), 0u) << "grade " << d.grade;
    }
}

TEST(CandleBlowingRules, EachGradeBlowsItsShareOfTheBreath) {
    // clang-format off
    expectBlows({{0, 6000, {kNoLuck}, 100}, {0, 3010, {kNoLuck}, 50},
                 {1, 6000, {kNoLuck, eff(20, 0)}, 80}, {1, 6000, {kNoLuck, eff(20, 19)}, 99},
                 {2, 6000, {kNoLuck, eff(21, 0)}, 50}, {2, 6000, {kNoLuck, eff(21, 20)}, 70},
                 {3, 6000, {kNoLuck}, 50}, {3, 5910, {kNoLuck}, 49}, {4, 6000, {kNoLuck}, 15}, {4, 10, {kNoLuck}, 0}});
    // clang-format on
}

// The lucky draws read the raw breath (10..6000): 80 is barely one per cent of the gauge.
TEST(CandleBlowingRules, LuckyDrawsMakeItAHundredOnTheRawBreath) {
    // clang-format off
    expectBlows({{0, 80, {luck(3332)}, 100}, {0, 80, {luck(3333)}, 1}, {0, 79, {luck(3332)}, 1}, {0, 51, {luck(2499)}, 100},
                 {0, 51, {luck(2500)}, 0}, {0, 50, {kNoLuck}, 100}, {0, 10, {luck(1427)}, 100}, {0, 10, {luck(1428)}, 0},
                 {1, 100, {luck(499), eff(20, 0)}, 100}, {1, 100, {luck(500), eff(20, 0)}, 1},
                 {1, 80, {luck(100), eff(20, 0)}, 100}, {1, 80, {luck(101), eff(20, 0)}, 1}});
    // clang-format on
}

TEST(CandleBlowingRules, TheWindComesOnlyWhenTheResultIsShortOfAHundred) {
    // clang-format off
    expectBlows({{3, 6000, {luck(100)}, 50, true}, {3, 6000, {luck(101)}, 50, false}, {4, 10, {luck(0)}, 0, true},
                 {2, 6000, {luck(0), eff(21, 20)}, 70, true}, {0, 10, {luck(0)}, 100, false},
                 {1, 79, {luck(100), eff(20, 0)}, 1, true}, {1, 80, {luck(0), eff(20, 0)}, 100, false}});
    // clang-format on
}

// The scene on the manual clock: the countdown ends at 6 s, then the inhale clock runs 15 s with
// 227 gauge ticks of 66 ms (the last at 20.982 s); the marker starts a second later.
struct CandleHarness : testing_support::FormHarness {
    explicit CandleHarness(std::deque<double> gauge = std::deque<double>(227, kCalm)) : FormHarness("rosoku") {
        random().useScript(std::move(gauge));
        open();
    }
    // n breaths in: the first key only sets which one must follow.
    void breathe(int n) {
        down(Qt::Key_Right);
        for (int i = 0; i < n; ++i) down(i % 2 == 0 ? Qt::Key_Left : Qt::Key_Right);
    }
    int gauge() { return width(f, "breathGauge"); }
    std::string slot(int i) { return pic(ui::indexed("candleImages", i)); }
    std::string number(int i) { return cap(ui::indexed("candleNumberLabels", i)); }
    // n breaths after the last gauge tick, so the breath ends at exactly 10 + 100 n (at most 6000),
    // then Space on the marker's tick (0: none, it runs out), with the draws the result takes.
    void play(int n, int spaceTick, std::initializer_list<double> blowDraws) {
        advance(20990ms);
        breathe(n);
        script(blowDraws);
        advance(1010ms + (spaceTick > 0 ? spaceTick : 100) * 30ms);
        if (spaceTick > 0) key(f, Qt::Key_Space);
    }
    std::string exitShown() {
        std::string shown;
        for (const auto& exit : app().facts(f).exits)
            if (shows(exit.first)) shown += exit.first;
        return shown;
    }
};

TEST(CandleBlowing, TheCountdownShowsFiveToOneForASecondEachAndNeverTheZero) {
    CandleHarness h;
    // Under the candles 1 to 7, then 98 (out of view until the count reaches it), 99 and a red 100.
    EXPECT_EQ(h.number(6) + " " + h.number(7) + " " + h.number(9), "7 98 100");
    EXPECT_EQ(static_cast<ui::Label&>(h.ctl("candleNumberLabels(9)")).foreColor(), (ui::Rgb{255, 0, 0}));
    EXPECT_EQ(h.gauge(), 10) << "the least breath, kMinPower in candleblowingrules.h";
    const auto shown = [](int digit) { return digit > 5 ? "" : "store/numberimg_" + std::to_string(digit); };
    for (int digit = 5; digit >= 1; --digit)
        EXPECT_EQ(h.picAcross(1000ms, "countdownImage"), Change(shown(digit + 1), shown(digit)));
    const auto clock = [&] {
        return h.showing({"timeHeadingLabel", "secondsLeftLabel", "countdownImage"}) +
               (h.shows("countdownImage") ? " " + h.pic("countdownImage") : "");
    };
    EXPECT_EQ(h.across(1000ms, clock), Change("countdownImage " + shown(1), "timeHeadingLabel secondsLeftLabel"));
    EXPECT_EQ(h.cap("secondsLeftLabel"), "15") << "kBreathSeconds, candleblowingrules.h";
}

TEST(CandleBlowing, OnlyAClickWhileTheThreeShowsHalvesTheDrain) {
    struct Case {
        int clickAtMs;  // 0: no click; 500: before the first digit; 2500: the 4; 3500: the 3; 4500: the 2
        double draw;
        int gauge;  // 110 after one breath, less one drain
    };
    for (const auto& c : {Case{3500, kCalm, 90}, Case{3500, kGust, 75}, Case{0, kCalm, 70}, Case{0, kGust, 40},
                          Case{500, kCalm, 70}, Case{2500, kCalm, 70}, Case{4500, kGust, 40}}) {
        CandleHarness h({c.draw});
        if (c.clickAtMs > 0) {
            h.advance(std::chrono::milliseconds(c.clickAtMs));
            h.press("countdownImage");
        }
        h.advance(std::chrono::milliseconds(6000 - c.clickAtMs));
        h.breathe(1);
        EXPECT_EQ(h.gauge(), 110);
        h.advance(66ms);
        EXPECT_EQ(h.gauge(), c.gauge) << "clicked at " << c.clickAtMs << " ms";
    }
}

TEST(CandleBlowing, OnlyAlternatingArrowsFillTheGaugeAndOnlyWhileTheClockRuns) {
    CandleHarness h;
    h.advance(5500ms);
    h.down(Qt::Key_Right);  // too early: not even remembered
    h.advance(500ms);
    h.down(Qt::Key_Left);
    for (int i = 0; i < 5; ++i) h.down(Qt::Key_Left, true);
    EXPECT_EQ(h.gauge(), 10) << "the first key, whichever, and a held key add nothing";
    for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left}) h.down(key);
    EXPECT_EQ(h.gauge(), 210);
    h.breathe(70);
    EXPECT_EQ(h.gauge(), kMaxPower);
    h.advance(66ms);
    EXPECT_EQ(h.gauge(), kMaxPower - 70);
    h.advance(934ms);
    EXPECT_EQ(h.cap("secondsLeftLabel"), "14");
    h.advance(13999ms);
    EXPECT_EQ(h.cap("secondsLeftLabel"), "1");
    EXPECT_EQ(h.gauge(), kMinPower) << "drained, but never below 10";
    h.breathe(3);
    h.advance(1ms);
    EXPECT_FALSE(h.on("breathClockTimer"));
    EXPECT_EQ(h.showing({"secondsLeftLabel", "timeHeadingLabel", "powerHeadingLabel", "percentLabel", "percentSignLabel"}),
              "powerHeadingLabel percentLabel percentSignLabel");
    EXPECT_EQ(h.cap("percentLabel"), "5") << "310 of 6000";
    EXPECT_EQ(h.ctl("breathGauge").spokenName(), "パワー5％");
    h.breathe(3);
    h.advance(500ms);
    EXPECT_EQ(h.gauge(), 310) << "the gauge neither fills nor drains any more";
    // clang-format off
    const std::vector<std::string> said{"左右の矢印キーを交互に15秒吸って、合図から2.2秒でスペースを押して吹く", "3", "2", "1", "吸って！",
                                        "13秒、パワー67％", "10秒、パワー28％", "5秒、パワー0％", "4秒、パワー0％", "3秒、パワー0％",
                                        "2秒、パワー0％", "1秒、パワー0％", "パワー吸い込み5％"};
    // clang-format on
    EXPECT_EQ(h.said(), said)
        << "the countdown, the start, the clock as she stops breathing, at ten and the last five, the breath";
}

TEST(CandleBlowing, TheMarkerVanishesAtFiveThousandFortyAndRunsOutToPoor) {
    CandleHarness h;
    h.advance(21000ms);
    h.key(h.f, Qt::Key_Space);  // the pause: Space does nothing yet
    h.advance(1000ms + 29 * 30ms);
    EXPECT_EQ(h.left(h.f, "markerImage"), 4980);
    EXPECT_TRUE(h.shows("markerImage"));
    h.advance(30ms);
    EXPECT_FALSE(h.shows("markerImage"));
    h.script({kNoLuck});
    h.advance(69 * 30ms);
    EXPECT_EQ(h.pic("gradeImage"), "");
    h.advance(30ms);
    EXPECT_TRUE(!h.on("meterTimer") && h.shows("markerImage")) << "stopped by itself after 100 steps, in view";
    EXPECT_EQ(h.left(h.f, "markerImage"), kMeterEnd);
    EXPECT_EQ(h.pic("gradeImage"), "store/seiseki_4");
    EXPECT_EQ(h.lastSaid(2), (std::vector<std::string>{"スタート！", "Poor.."})) << "the cue as the marker starts";
    h.key(h.f, Qt::Key_Space);  // would draw again from a dry script
}

TEST(CandleBlowing, SpaceStopsTheMarkerWhereItStandsAndGradesIt) {
    const std::vector<std::tuple<int, int, const char*>> cases{
        {72, 0, "Super!!"}, {73, 1, "Perfect!"}, {71, 2, "Great!"}, {50, 3, "Good"}, {1, 4, "Poor.."}};
    for (const auto& [tick, grade, said] : cases) {
        CandleHarness h;
        h.play(0, tick, {kNoLuck, 0.5});
        h.advance(300ms);
        EXPECT_EQ(h.pic("gradeImage"), "store/seiseki_" + std::to_string(grade)) << tick;
        EXPECT_EQ(h.lastSaid(1), std::vector<std::string>{said});
        EXPECT_TRUE(h.shows("markerImage"));
        EXPECT_EQ(h.left(h.f, "markerImage"), kMeterStart + 60 * tick) << "it stays where it stopped";
    }
}

// From the stop to the exit, for each kind of result: which candles show as out, how far the
// numbers scroll (from 7 to 98 the seven left slots are renumbered), and where it leads.
TEST(CandleBlowing, EachResultPutsOutItsCandlesAndOpensItsEpilogue) {
    const double p99 = eff(20, 19);  // Perfect! at 99 %
    struct Case {
        int blownOut, breaths, tick;
        std::initializer_list<double> draws;
        const char* candles;  // o out, l lit, ~ the omission mark
        int firstNumber;      // candleNumberLabels(0) at the end: 1 unless the count scrolled
        const char* exit;
    };
    for (const auto& c : {
             Case{0, 0, 72, {kNoLuck}, "lllllll~ll", 1, "fewOutButton"},
             Case{3, 2, 72, {kNoLuck}, "ooollll~ll", 1, "fewOutButton"},
             Case{6, 4, 72, {kNoLuck}, "ooooool~ll", 1, "fewOutButton"},
             Case{7, 9, 50, {kNoLuck}, "ooooool~ll", 2, "fewOutButton"},
             Case{49, 59, 50, {kNoLuck}, "ooooool~ll", 44, "fewOutButton"},
             Case{50, 30, 72, {kNoLuck}, "ooooool~ll", 45, "halfOutButton"},
             Case{96, 58, 72, {kNoLuck}, "oooooollll", 91, "halfOutButton"},
             Case{97, 59, 73, {kNoLuck, p99}, "ooooooolll", 91, "halfOutButton"},
             Case{98, 59, 72, {kNoLuck}, "ooooooooll", 91, "halfOutButton"},
             Case{99, 60, 73, {kNoLuck, p99}, "ooooooo~ol", 1, "halfOutButton"},
             Case{100, 60, 72, {kNoLuck}, "ooooooo~oo", 1, "allOutButton"},
         }) {
        CandleHarness h;
        h.play(c.breaths, c.tick, c.draws);
        h.advance(30s);
        std::string candles;
        for (int i = 0; i < 10; ++i) {
            const std::string p = h.slot(i);
            candles += p == "store/rouimg_2" ? 'o' : p == "store/rouimg_1" ? 'l' : p == "scenes/rosoku/omission" ? '~' : '?';
        }
        EXPECT_EQ(candles, c.candles) << c.blownOut;
        EXPECT_EQ(h.number(0) + " " + h.number(6), std::to_string(c.firstNumber) + " " + std::to_string(c.firstNumber + 6))
            << c.blownOut;
        EXPECT_EQ(h.shows("candleNumberLabels(7)"), c.blownOut >= 96 && c.blownOut <= 98) << "98 shows when counted to";
        EXPECT_FALSE(h.shows("windSpiritImage"));
        EXPECT_EQ(h.cap("countLabel"), std::to_string(c.blownOut));
        EXPECT_EQ(h.exitShown(), c.exit) << c.blownOut;
        const std::string count = "本数＝" + std::to_string(c.blownOut) + "本";
        EXPECT_EQ(h.lastSaid(2)[0] == "計測！", c.blownOut >= 7 && c.blownOut <= 98) << c.blownOut;
        EXPECT_EQ(h.lastSaid(1), std::vector<std::string>{count}) << "said once, last";
        EXPECT_EQ(h.leave(c.exit), h.next(c.exit)) << c.blownOut;
    }
}

TEST(CandleBlowing, FiftyCandlesAreMeasuredScrolledAndAnnouncedStepByStep) {
    CandleHarness h;
    h.play(30, 72, {kNoLuck});
    EXPECT_EQ(h.showsAcross(1200ms, "breathImage"), std::pair(false, true)) << "her breath, 1.2 s after the stop";
    h.advance(100ms);
    EXPECT_EQ(h.slot(0) + " " + h.slot(1), "store/rouimg_2 store/rouimg_1") << "one candle per 100 ms";
    // The 50th candle went out at 6.2 s; "計測！" 1.8 s later.
    EXPECT_EQ(h.showsAcross(4900ms + 1800ms, "measuringLabel"), std::pair(false, true));
    h.advance(1850ms);
    EXPECT_EQ(h.number(0), "2") << "the scroll, 3.6 s after the last candle";
    h.advance(42 * 50ms);
    EXPECT_EQ(h.number(6) + " " + h.slot(6), "50 store/rouimg_2");
    h.advance(50ms);
    EXPECT_EQ(h.number(6) + " " + h.slot(6), "51 store/rouimg_1") << "candle 51, the first still burning";
    EXPECT_FALSE(h.shows("measuringLabel"));
    const std::vector<const char*> steps{"countHeadingLabel", "countLabel", "countUnitLabel"};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_FALSE(h.shows(steps[i]));
        EXPECT_EQ(h.exitShown(), "");
        EXPECT_EQ(h.lastSaid(1), std::vector<std::string>{"計測！"}) << "the count is said as its last word shows";
        h.advance(500ms);
        EXPECT_TRUE(h.shows(steps[i])) << "step " << i;
    }
    EXPECT_EQ(h.lastSaid(4), (std::vector<std::string>{"スタート！", "Super!!", "計測！", "本数＝50本"}));
    EXPECT_EQ(h.cap("countLabel"), "50");
    EXPECT_EQ(h.exitShown(), "halfOutButton");
    EXPECT_FALSE(h.on("announceTimer"));
}

TEST(CandleBlowing, TheWindSpiritBlowsOutTheRestAndLeadsToItsOwnEpilogue) {
    struct Case {
        int breaths, tick;
        double luck;
        int blownOut;
        std::chrono::milliseconds toCount;  // from the stop to the count's end
        const char* firstNumber;
    };
    // Good at a full breath with the wind's draw, and nothing at all with it.
    for (const auto& c : {Case{60, 50, luck(100), 50, 12000ms, "45"}, Case{0, 0, luck(0), 0, 1300ms, "1"}}) {
        CandleHarness h;
        h.play(c.breaths, c.tick, {c.luck});
        h.advance(c.toCount);
        EXPECT_EQ(h.cap("countLabel"), std::to_string(c.blownOut));
        EXPECT_EQ(h.showsAcross(1000ms, "windSpiritImage"), std::pair(false, true));
        EXPECT_EQ(h.showing({"windSpiritImage", "spiritArrivesLabel"}), "windSpiritImage spiritArrivesLabel") << c.blownOut;
        EXPECT_EQ(h.slot(9), "store/rouimg_1");
        h.advance(500ms);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(h.slot(i), i == 7 ? "scenes/rosoku/omission" : "store/rouimg_2") << c.blownOut << " slot " << i;
        EXPECT_EQ(h.number(0) + " " + h.cap("countLabel"), c.firstNumber + std::string(" 100"));
        EXPECT_FALSE(h.on("spiritBlowTimer")) << "the spirit blows once";
        EXPECT_EQ(h.form(h.f).find("candleImages(10)"), nullptr) << "ten candles";
        EXPECT_EQ(h.across(1500ms, [&] { return h.exitShown(); }), Change("", "windSpiritButton"));
        EXPECT_EQ(h.lastSaid(2), (std::vector<std::string>{"空丸降臨！！", "本数＝100本"}));
        h.press("windSpiritButton");
        EXPECT_EQ(h.openForms(), std::vector<std::string>{h.next("windSpiritButton")});
    }
}

TEST(CandleBlowing, ChanceIsSeededWhenTheSceneIsReachedStraightFromTheWarpZone) {
    app::Random fresh;
    fresh.useSeed(7);
    const double first = fresh.draw();
    const double fourth = (fresh.draw(), fresh.draw(), fresh.draw());
    for (bool warp : {false, true}) {
        SceneHarness h;
        h.random().useSeed(7);
        h.open(warp ? "warpzone" : "mesareaepi1");
        h.random().draw(), h.random().draw(), h.random().draw();
        if (warp) {
            testing_support::warpTo(h, "rosoku");
        } else {
            h.readThrough("mesareaepi1");
            h.click("mesareaepi1", chain::mainExit("mesareaepi1"));
        }
        ASSERT_EQ(h.openForms(), std::vector<std::string>{"rosoku"});
        EXPECT_EQ(h.random().draw(), warp ? first : fourth) << (warp ? "seeded afresh" : "the story's chance goes on");
    }
}

TEST(CandleBlowing, TheWidestCaptionsFitTheirLabelsAndCandleNumbersStayApart) {
    CandleHarness h;
    auto label = [&](const std::string& name, const std::string& caption) -> ui::Label& {
        auto& l = static_cast<ui::Label&>(h.ctl(name));
        l.setCaption(caption);
        return l;
    };
    for (const char* l : {"spiritArrivesLabel", "timeHeadingLabel", "secondsLeftLabel", "powerHeadingLabel", "percentSignLabel",
                          "measuringLabel", "countHeadingLabel", "countUnitLabel"})
        EXPECT_TRUE(h.fits(l)) << l << " " << h.cap(l);
    for (const char* l : {"percentLabel", "countLabel", "candleNumberLabels(0)", "candleNumberLabels(9)"})
        EXPECT_TRUE(h.fits(label(l, "100").name())) << l;
    // In pixels, between the texts of two neighbouring candle numbers, centred under their candles.
    auto gap = [&](int i, const std::string& a, const std::string& b) {
        const ui::Label& l = label(ui::indexed("candleNumberLabels", i), a);
        const ui::Label& r = label(ui::indexed("candleNumberLabels", i + 1), b);
        const double centres = (r.left() + r.width() / 2.0 - l.left() - l.width() / 2.0) / ui::kTwipsPerPixel;
        return centres - (l.textWidthPixels() + r.textWidthPixels()) / 2.0;
    };
    EXPECT_GE(gap(8, "99", "100"), 3.0);
    EXPECT_GE(gap(6, "97", "98"), 3.0);
    EXPECT_GE(gap(0, "88", "88"), 3.0);
}

}  // namespace

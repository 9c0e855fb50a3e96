#include <gtest/gtest.h>

#include <QKeyEvent>

#include <deque>

#include "games/action/rosokurules.h"
#include "support/harness.h"
#include "support/play.h"
#include "ui/label.h"

namespace {

using namespace std::chrono_literals;
using namespace games::rosokurules;
using testing_support::SceneHarness;

const double kCalm = SceneHarness::draw(10, 5);
const double kGust = SceneHarness::draw(10, 0);
const double kNoLuck = SceneHarness::draw(10000, 9999);
double luck(int r) { return SceneHarness::draw(10000, r); }
double eff(int n, int k) { return SceneHarness::draw(n, k); }  // the efficiency draw of grades 1 and 2

TEST(RosokuRules, DrainFollowsTheBreathBandsTheGustsAndTheHalving) {
    struct Case {
        int power, calm, gust;
    };
    for (const auto& c : {Case{10, 40, 70}, Case{2000, 40, 70}, Case{2001, 50, 80}, Case{3000, 50, 80},
                          Case{3001, 60, 90}, Case{5000, 60, 90}, Case{5001, 70, 100}, Case{6000, 70, 100}}) {
        EXPECT_EQ(draincalc(c.power, 3, 1), c.calm) << c.power;
        EXPECT_EQ(draincalc(c.power, 2, 1), c.gust) << c.power;
        EXPECT_EQ(draincalc(c.power, 9, 2), c.calm / 2) << c.power;
        EXPECT_EQ(draincalc(c.power, 0, 2), c.gust / 2) << c.power;
    }
}

TEST(RosokuRules, TheGradeFollowsTheStopPosition) {
    const std::vector<std::pair<int, int>> cases{{7560, 0}, {7620, 1}, {7500, 2}, {7680, 2}, {6780, 2},
                                                 {8280, 2}, {6720, 3}, {8340, 3}, {5580, 3}, {8760, 3},
                                                 {7501, 1}, {6721, 2}, {5521, 3}, {5520, 4}, {7621, 2},
                                                 {8281, 3}, {8761, 4}, {8820, 4}, {kMeterStart, 4}, {kMeterEnd, 4}};
    for (const auto& [meterpos, grade] : cases) EXPECT_EQ(grading(meterpos), grade) << meterpos;
}

// Each case: grade, raw breath, the draws (luck first, then efficiency for grades 1 and 2), result, wind.
struct Drawn {
    int hyouka, power;
    std::deque<double> draws;
    int kekka;
    bool wind = false;
};

void expectBlows(std::initializer_list<Drawn> cases) {
    for (const auto& d : cases) {
        app::Random random;
        random.useScript(d.draws);
        const Blow b = blowresult(d.hyouka, d.power, random);
        EXPECT_EQ(b.kekka, d.kekka) << "grade " << d.hyouka << ", breath " << d.power;
        EXPECT_EQ(b.kazeflg, d.wind) << "grade " << d.hyouka << ", breath " << d.power;
        EXPECT_EQ(random.scriptLeft(), 0u) << "grade " << d.hyouka;
    }
}

TEST(RosokuRules, EachGradeBlowsItsShareOfTheBreath) {
    expectBlows({{0, 6000, {kNoLuck}, 100}, {0, 3010, {kNoLuck}, 50},
                 {1, 6000, {kNoLuck, eff(20, 0)}, 80}, {1, 6000, {kNoLuck, eff(20, 19)}, 99},
                 {2, 6000, {kNoLuck, eff(21, 0)}, 50}, {2, 6000, {kNoLuck, eff(21, 20)}, 70},
                 {3, 6000, {kNoLuck}, 50}, {3, 5910, {kNoLuck}, 49}, {4, 6000, {kNoLuck}, 15}, {4, 10, {kNoLuck}, 0}});
}

// The lucky draws read the raw breath (10..6000): 80 is barely one per cent of the gauge.
TEST(RosokuRules, LuckyDrawsMakeItAHundredOnTheRawBreath) {
    expectBlows({{0, 80, {luck(3332)}, 100}, {0, 80, {luck(3333)}, 1}, {0, 79, {luck(3332)}, 1}, {0, 51, {luck(2499)}, 100},
                 {0, 51, {luck(2500)}, 0}, {0, 50, {kNoLuck}, 100}, {0, 10, {luck(1427)}, 100}, {0, 10, {luck(1428)}, 0},
                 {1, 100, {luck(499), eff(20, 0)}, 100}, {1, 100, {luck(500), eff(20, 0)}, 1},
                 {1, 80, {luck(100), eff(20, 0)}, 100}, {1, 80, {luck(101), eff(20, 0)}, 1}});
}

TEST(RosokuRules, TheWindComesOnlyWhenTheResultIsShortOfAHundred) {
    expectBlows({{3, 6000, {luck(100)}, 50, true}, {3, 6000, {luck(101)}, 50, false}, {4, 10, {luck(0)}, 0, true},
                 {2, 6000, {luck(0), eff(21, 20)}, 70, true}, {0, 10, {luck(0)}, 100, false},
                 {1, 79, {luck(100), eff(20, 0)}, 1, true}, {1, 80, {luck(0), eff(20, 0)}, 100, false}});
}

// The scene on the manual clock: the countdown ends at 6 s, then the inhale clock runs 15 s with
// 227 gauge ticks of 66 ms (the last at 20.982 s); the marker starts a second later.
struct CandleHarness : SceneHarness {
    explicit CandleHarness(std::deque<double> gauge = std::deque<double>(227, kCalm)) {
        random().useScript(std::move(gauge));
        open("rosoku");
    }
    void press(int qtKey, bool autoRepeat = false) { keyDown("rosoku", qtKey, autoRepeat); }
    // n breaths in: the first key only sets which one must follow.
    void breathe(int n) {
        press(Qt::Key_Right);
        for (int i = 0; i < n; ++i) press(i % 2 == 0 ? Qt::Key_Left : Qt::Key_Right);
    }
    int gauge() { return width("rosoku", "Image3"); }
    std::string slot(int i) { return picture("rosoku", ui::indexed("rouimg", i)); }
    // n breaths after the last gauge tick, so the breath ends at exactly 10 + 100 n (at most 6000),
    // then Space on the marker's tick (0: none, it runs out), with the draws the result takes.
    void play(int n, int spaceTick, std::initializer_list<double> blowDraws) {
        advance(20990ms);
        breathe(n);
        script(blowDraws);
        advance(1010ms + (spaceTick > 0 ? spaceTick : 100) * 30ms);
        if (spaceTick > 0) key("rosoku", Qt::Key_Space);
    }
    std::string exitShown() {
        std::string shown;
        for (const char* b : {"Command1", "Command2", "Command3", "Command4"})
            if (visible("rosoku", b)) shown += b;
        return shown;
    }
};

TEST(Rosoku, TheCountdownShowsFiveToOneForASecondEachAndNeverTheZero) {
    CandleHarness h;
    h.advance(999ms);
    EXPECT_EQ(h.picture("rosoku", "countlast"), "");
    for (int digit = 5; digit >= 1; --digit) {
        h.advance(1ms);
        EXPECT_EQ(h.picture("rosoku", "countlast"), "store/numberimg_" + std::to_string(digit));
        h.advance(999ms);
        EXPECT_EQ(h.picture("rosoku", "countlast"), "store/numberimg_" + std::to_string(digit));
    }
    EXPECT_FALSE(h.visible("rosoku", "lastime"));
    h.advance(1ms);
    EXPECT_FALSE(h.visible("rosoku", "countlast"));
    EXPECT_TRUE(h.visible("rosoku", "label1"));
    EXPECT_TRUE(h.visible("rosoku", "lastime"));
    EXPECT_EQ(h.caption("rosoku", "lastime"), "15");
}

TEST(Rosoku, OnlyAClickWhileTheThreeShowsHalvesTheDrain) {
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
            h.click("rosoku", "countlast");
        }
        h.advance(std::chrono::milliseconds(6000 - c.clickAtMs));
        h.breathe(1);
        EXPECT_EQ(h.gauge(), 110);
        h.advance(66ms);
        EXPECT_EQ(h.gauge(), c.gauge) << "clicked at " << c.clickAtMs << " ms";
    }
}

TEST(Rosoku, OnlyAlternatingArrowsFillTheGaugeAndOnlyWhileTheClockRuns) {
    CandleHarness h;
    h.advance(5500ms);
    h.press(Qt::Key_Right);  // too early: not even remembered
    h.advance(500ms);
    h.press(Qt::Key_Left);
    for (int i = 0; i < 5; ++i) h.press(Qt::Key_Left, true);
    EXPECT_EQ(h.gauge(), 10) << "the first key, whichever, and a held key add nothing";
    h.press(Qt::Key_Right);
    h.press(Qt::Key_Right);
    h.press(Qt::Key_Left);
    EXPECT_EQ(h.gauge(), 210);
    h.breathe(70);
    EXPECT_EQ(h.gauge(), kMaxPower);
    h.advance(66ms);
    EXPECT_EQ(h.gauge(), kMaxPower - 70);
    h.advance(934ms);
    EXPECT_EQ(h.caption("rosoku", "lastime"), "14");
    h.advance(13999ms);
    EXPECT_EQ(h.caption("rosoku", "lastime"), "1");
    EXPECT_EQ(h.gauge(), kMinPower) << "drained, but never below 10";
    h.breathe(3);
    h.advance(1ms);
    EXPECT_FALSE(h.visible("rosoku", "lastime"));
    EXPECT_FALSE(h.timerEnabled("rosoku", "nokorizikan"));
    EXPECT_FALSE(h.visible("rosoku", "label1"));
    for (const char* shown : {"Label2", "percent", "Label4"}) EXPECT_TRUE(h.visible("rosoku", shown)) << shown;
    EXPECT_EQ(h.caption("rosoku", "percent"), "5") << "310 of 6000";
    h.breathe(3);
    h.advance(500ms);
    EXPECT_EQ(h.gauge(), 310) << "the gauge neither fills nor drains any more";
}

TEST(Rosoku, TheMarkerVanishesAtFiveThousandFortyAndRunsOutToPoor) {
    CandleHarness h;
    h.advance(21000ms);
    h.key("rosoku", Qt::Key_Space);  // the pause: Space does nothing yet
    h.advance(1000ms + 29 * 30ms);
    EXPECT_EQ(h.left("rosoku", "Image2"), 4980);
    EXPECT_TRUE(h.visible("rosoku", "Image2"));
    h.advance(30ms);
    EXPECT_FALSE(h.visible("rosoku", "Image2"));
    h.script({kNoLuck});
    h.advance(69 * 30ms);
    EXPECT_EQ(h.picture("rosoku", "Image4"), "");
    h.advance(30ms);
    EXPECT_FALSE(h.timerEnabled("rosoku", "Timer1")) << "stopped by itself after 100 steps";
    EXPECT_TRUE(h.visible("rosoku", "Image2"));
    EXPECT_EQ(h.left("rosoku", "Image2"), kMeterEnd);
    EXPECT_EQ(h.picture("rosoku", "Image4"), "store/seiseki_4");
    h.key("rosoku", Qt::Key_Space);  // would draw again from a dry script
}

TEST(Rosoku, SpaceStopsTheMarkerWhereItStandsAndGradesIt) {
    for (const auto& [tick, grade] : std::vector<std::pair<int, int>>{{72, 0}, {73, 1}, {71, 2}, {1, 4}}) {
        CandleHarness h;
        h.play(0, tick, {kNoLuck, 0.5});
        h.advance(300ms);
        EXPECT_EQ(h.picture("rosoku", "Image4"), "store/seiseki_" + std::to_string(grade)) << tick;
        EXPECT_TRUE(h.visible("rosoku", "Image2"));
        EXPECT_EQ(h.left("rosoku", "Image2"), kMeterStart + 60 * tick) << "it stays where it stopped";
    }
}

// From the stop to the exit, for each kind of result: which candles show as out, how far the
// numbers scroll (from 7 to 98 the seven left slots are renumbered), and where it leads.
TEST(Rosoku, EachResultPutsOutItsCandlesAndOpensItsEpilogue) {
    const double p99 = eff(20, 19);  // Perfect! at 99 %
    struct Case {
        int kekka, breaths, tick;
        std::initializer_list<double> draws;
        const char* candles;  // o out, l lit, ~ the omission mark
        int firstNumber;      // Label7(0) at the end: 1 unless the count scrolled
        const char* exit;
        const char* next;
    };
    for (const auto& c : {
             Case{0, 0, 72, {kNoLuck}, "lllllll~ll", 1, "Command3", "mesareaepi23"},
             Case{3, 2, 72, {kNoLuck}, "ooollll~ll", 1, "Command3", "mesareaepi23"},
             Case{6, 4, 72, {kNoLuck}, "ooooool~ll", 1, "Command3", "mesareaepi23"},
             Case{7, 9, 50, {kNoLuck}, "ooooool~ll", 2, "Command3", "mesareaepi23"},
             Case{49, 59, 50, {kNoLuck}, "ooooool~ll", 44, "Command3", "mesareaepi23"},
             Case{50, 30, 72, {kNoLuck}, "ooooool~ll", 45, "Command2", "mesareaepi22"},
             Case{96, 58, 72, {kNoLuck}, "oooooollll", 91, "Command2", "mesareaepi22"},
             Case{97, 59, 73, {kNoLuck, p99}, "ooooooolll", 91, "Command2", "mesareaepi22"},
             Case{98, 59, 72, {kNoLuck}, "ooooooooll", 91, "Command2", "mesareaepi22"},
             Case{99, 60, 73, {kNoLuck, p99}, "ooooooo~ol", 1, "Command2", "mesareaepi22"},
             Case{100, 60, 72, {kNoLuck}, "ooooooo~oo", 1, "Command1", "mesareaepi21"},
         }) {
        CandleHarness h;
        h.play(c.breaths, c.tick, c.draws);
        h.advance(30s);
        std::string candles;
        for (int i = 0; i < 10; ++i) {
            const std::string p = h.slot(i);
            candles += p == "store/rouimg_2" ? 'o' : p == "store/rouimg_1" ? 'l' : p == "scenes/rosoku/omission" ? '~' : '?';
        }
        EXPECT_EQ(candles, c.candles) << c.kekka;
        EXPECT_EQ(h.caption("rosoku", "Label7(0)"), std::to_string(c.firstNumber)) << c.kekka;
        EXPECT_EQ(h.caption("rosoku", "Label7(6)"), std::to_string(c.firstNumber + 6)) << c.kekka;
        EXPECT_EQ(h.visible("rosoku", "Label7(7)"), c.kekka >= 96 && c.kekka <= 98) << "98 shows when counted to";
        EXPECT_FALSE(h.visible("rosoku", "huta"));
        EXPECT_EQ(h.caption("rosoku", "kiehonsu"), std::to_string(c.kekka));
        EXPECT_EQ(h.exitShown(), c.exit) << c.kekka;
        h.click("rosoku", c.exit);
        EXPECT_EQ(h.openForms(), std::vector<std::string>{c.next}) << c.kekka;
        EXPECT_FALSE(h.app().extraLoaded("sozai"));
    }
}

TEST(Rosoku, FiftyCandlesAreMeasuredScrolledAndAnnouncedStepByStep) {
    CandleHarness h;
    h.play(30, 72, {kNoLuck});
    h.advance(1199ms);
    EXPECT_FALSE(h.visible("rosoku", "kazeimg"));
    h.advance(101ms);
    EXPECT_TRUE(h.visible("rosoku", "kazeimg")) << "her breath, 1.2 s after the stop";
    EXPECT_EQ(h.slot(0), "store/rouimg_2");
    EXPECT_EQ(h.slot(1), "store/rouimg_1") << "one candle per 100 ms";
    h.advance(4900ms + 1799ms);  // the 50th candle went out at 6.2 s; "計測！" 1.8 s later
    EXPECT_FALSE(h.visible("rosoku", "Label5"));
    h.advance(1ms);
    EXPECT_TRUE(h.visible("rosoku", "Label5"));
    h.advance(1850ms);
    EXPECT_EQ(h.caption("rosoku", "Label7(0)"), "2") << "the scroll, 3.6 s after the last candle";
    h.advance(42 * 50ms);
    EXPECT_EQ(h.caption("rosoku", "Label7(6)"), "50");
    EXPECT_EQ(h.slot(6), "store/rouimg_2");
    h.advance(50ms);
    EXPECT_EQ(h.caption("rosoku", "Label7(6)"), "51");
    EXPECT_EQ(h.slot(6), "store/rouimg_1") << "candle 51, the first still burning";
    EXPECT_FALSE(h.visible("rosoku", "Label5"));
    const std::vector<const char*> steps{"Label6", "kiehonsu", "Label8"};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_FALSE(h.visible("rosoku", steps[i]));
        EXPECT_EQ(h.exitShown(), "");
        h.advance(500ms);
        EXPECT_TRUE(h.visible("rosoku", steps[i])) << "step " << i;
    }
    EXPECT_EQ(h.caption("rosoku", "kiehonsu"), "50");
    EXPECT_EQ(h.exitShown(), "Command2");
    EXPECT_FALSE(h.timerEnabled("rosoku", "sptimer"));
}

TEST(Rosoku, TheWindSpiritBlowsOutTheRestAndLeadsToItsOwnEpilogue) {
    struct Case {
        int breaths, tick;
        double luck;
        int kekka;
        std::chrono::milliseconds toCount;  // from the stop to the count's end
        const char* firstNumber;
    };
    // Good at a full breath with the wind's draw, and nothing at all with it.
    for (const auto& c : {Case{60, 50, luck(100), 50, 12000ms, "45"}, Case{0, 0, luck(0), 0, 1300ms, "1"}}) {
        CandleHarness h;
        h.play(c.breaths, c.tick, {c.luck});
        h.advance(c.toCount);
        EXPECT_EQ(h.caption("rosoku", "kiehonsu"), std::to_string(c.kekka));
        h.advance(999ms);
        EXPECT_FALSE(h.visible("rosoku", "huta"));
        h.advance(1ms);
        EXPECT_TRUE(h.visible("rosoku", "huta")) << c.kekka;
        EXPECT_TRUE(h.visible("rosoku", "Label3"));
        EXPECT_EQ(h.slot(9), "store/rouimg_1");
        h.advance(500ms);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(h.slot(i), i == 7 ? "scenes/rosoku/omission" : "store/rouimg_2") << c.kekka << " slot " << i;
        EXPECT_EQ(h.caption("rosoku", "Label7(0)"), c.firstNumber);
        EXPECT_EQ(h.caption("rosoku", "kiehonsu"), "100");
        EXPECT_FALSE(h.timerEnabled("rosoku", "Timer5")) << "the spirit blows once";
        EXPECT_EQ(h.form("rosoku").find("rouimg(10)"), nullptr) << "ten candles";
        h.advance(1499ms);
        EXPECT_EQ(h.exitShown(), "");
        h.advance(1ms);
        EXPECT_EQ(h.exitShown(), "Command4");
        h.click("rosoku", "Command4");
        EXPECT_EQ(h.openForms(), std::vector<std::string>{"mesareaepi24"});
    }
}

TEST(Rosoku, ChanceIsSeededWhenTheSceneIsReachedStraightFromTheWarpZone) {
    app::Random fresh;
    fresh.useSeed(7);
    const double first = fresh.Rnd();
    const double fourth = (fresh.Rnd(), fresh.Rnd(), fresh.Rnd());
    for (bool warp : {false, true}) {
        SceneHarness h;
        h.random().useSeed(7);
        h.open(warp ? "warpzone" : "mesareaepi1");
        h.random().Rnd(), h.random().Rnd(), h.random().Rnd();
        if (warp) {
            testing_support::warpTo(h, "rosoku");
        } else {
            h.readThrough("mesareaepi1");
            h.click("mesareaepi1", "nextButton");
        }
        ASSERT_EQ(h.openForms(), std::vector<std::string>{"rosoku"});
        EXPECT_EQ(h.random().Rnd(), warp ? first : fourth) << (warp ? "seeded afresh" : "the story's chance goes on");
    }
}

TEST(Rosoku, TheWidestCaptionsFitTheirLabelsAndCandleNumbersStayApart) {
    SceneHarness h;
    h.open("rosoku");
    auto label = [&](const std::string& name, const std::string& caption) -> ui::Label& {
        auto& l = static_cast<ui::Label&>(h.control("rosoku", name));
        l.setCaption(caption);
        return l;
    };
    auto fits = [&](const std::string& name, const std::string& caption) {
        const ui::Label& l = label(name, caption);
        EXPECT_LE(l.textWidthPixels(), ui::twipsToPixels(l.width())) << name << " " << caption;
    };
    for (const char* l : {"Label3", "label1", "Label2", "Label4", "Label5", "Label6", "Label8"})
        fits(l, h.caption("rosoku", l));
    fits("lastime", "15");
    for (const char* l : {"percent", "kiehonsu", "Label7(0)", "Label7(9)"}) fits(l, "100");
    // In pixels, between the texts of Label7(i) and Label7(i + 1), centred under their candles.
    auto gap = [&](int i, const std::string& a, const std::string& b) {
        const ui::Label& l = label(ui::indexed("Label7", i), a);
        const ui::Label& r = label(ui::indexed("Label7", i + 1), b);
        const double centres = (r.left() + r.width() / 2.0 - l.left() - l.width() / 2.0) / ui::kTwipsPerPixel;
        return centres - (l.textWidthPixels() + r.textWidthPixels()) / 2.0;
    };
    EXPECT_GE(gap(8, "99", "100"), 3.0);
    EXPECT_GE(gap(6, "97", "98"), 3.0);
    EXPECT_GE(gap(0, "88", "88"), 3.0);
}

}  // namespace

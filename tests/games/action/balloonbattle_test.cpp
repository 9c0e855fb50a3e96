#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "games/action/balloonbattlerules.h"
#include "support/harness.h"

namespace {

using namespace std::chrono_literals;
using namespace games::balloonbattlerules;
using testing_support::Change;
using testing_support::SceneHarness;
using Names = std::vector<std::string>;

// r as random.below(10000) reads it.
double risk(int r) { return SceneHarness::draw(10000, r); }
// A source whose next draw is `value`.
app::Random& drawing(double value) {
    static app::Random random;
    random.useScript({value});
    return random;
}

TEST(BalloonBattleRules, EachBandBurstsBelowItsThresholdForPumpsAndThrows) {
    const int push[] = {26, 102, 151, 370, 769, 2500, 3333};
    const int thrown[] = {11, 34, 100, 200, 1250, 2000, 3333};
    for (int b = 0; b <= 6; ++b)
        for (int danger : {b * 1000, b == 6 ? 6000 : b * 1000 + 999}) {
            EXPECT_EQ(band(danger), b) << danger;
            // A pump, then a throw: each bursts on the last draw below its threshold and holds on it.
            const auto at = [&](const auto& risky, int r) { return bursts(risky, danger, drawing(risk(r))); };
            EXPECT_EQ((std::vector{at(kPumpRisk, push[b] - 1), at(kPumpRisk, push[b]), at(kThrowRisk, thrown[b] - 1),
                                   at(kThrowRisk, thrown[b])}),
                      (std::vector{true, false, true, false}))
                << danger;
        }
}

TEST(BalloonBattleRules, PumpsAddOneToThreeHundredAndTheOpponentPumpsByDanger) {
    EXPECT_EQ(pumpAmount(drawing(0.0)), 100);
    EXPECT_EQ(pumpAmount(drawing(SceneHarness::draw(3, 1))), 200);
    EXPECT_EQ(pumpAmount(drawing(0.9999)), 300);
    app::Random r;
    r.useScript({});
    for (int low : {0, 1900}) EXPECT_EQ(opponentPumps(low, r), 3);
    for (int high : {4000, 6000}) EXPECT_EQ(opponentPumps(high, r), 1) << "no draw outside the middle band";
    r.addScript({SceneHarness::draw(2, 0), SceneHarness::draw(2, 1)});
    EXPECT_EQ(opponentPumps(2000, r), 1);
    EXPECT_EQ(opponentPumps(3900, r), 2);
}

// The battle with every draw stated: a pump draws its air and its check, a throw its check, and
// the balloon's return draws the opponent's pumps only in the middle band.
struct Battle : testing_support::FormHarness {
    static double air(int amount) { return draw(3, amount / 100 - 1); }
    static double check(bool bursts) { return risk(bursts ? 0 : 9999); }

    Battle() : FormHarness("mizuhusen") { open(); }

    // The opponent pumps a second apart and throws with her last pump; the balloon flies to the
    // heroine unless it bursts, and she pumps these amounts.
    void opponent(std::initializer_list<int> amounts, bool throwBursts = false, std::initializer_list<int> hers = {}) {
        for (int a : amounts) script({air(a), check(false)});
        script({check(throwBursts)});
        advance(std::chrono::milliseconds(1000 * amounts.size()));
        if (throwBursts) return;
        flight();
        for (int a : hers) push(a);
    }
    void flight() { advance(16 * 40ms); }
    void push(int amount) {
        script({air(amount), check(false)});
        press("pumpButton");
        advance(100ms);
    }
    void throwBack(std::initializer_list<double> herPumpDraws = {}) {
        script({check(false)});
        script(herPumpDraws);
        press("throwButton");
        flight();
    }
    std::string at(int i) { return pic(ui::indexed("balloonImages", i)); }
    std::string danger() { return cap("dangerLabel"); }
};

// One round: her pumps a second apart, the 16-tick flight, the heroine's pumps and her throw back.
TEST(BalloonBattle, ARoundKeepsItsPaceAndThrowComesAfterTheFirstOfAtMostSixPumps) {
    Battle h;
    // The balloon's arc, from her to the heroine; it starts with her.
    const int lefts[] = {1080, 1320, 1680, 2040, 2400, 2880, 3240, 3600, 4080, 4560, 4920, 5280, 5640, 5880, 6240, 6480, 6600};
    const int tops[] = {2880, 2400, 1920, 1680, 1440, 1320, 1200, 1080, 1080, 1080, 1200, 1320, 1440, 1680, 2040, 2400, 2760};
    for (int i = 0; i < 17; ++i) {
        const ui::Control& balloon = h.ctl(ui::indexed("balloonImages", i));
        EXPECT_EQ(std::tuple(balloon.left(), balloon.top(), balloon.visible()), std::tuple(lefts[i], tops[i], i == 0));
    }
    EXPECT_FALSE(h.shows("sprayImage"));
    EXPECT_EQ(h.ctl("dangerGauge").spokenName(), "危険度0％");
    EXPECT_EQ(h.cap("nameLabels(0)"), "シルバーファントム");
    h.script({Battle::air(200), Battle::check(false)});
    EXPECT_EQ(h.across(1000ms, [&] { return h.danger(); }), Change("0", "200"));
    EXPECT_EQ(h.width(h.f, "dangerGauge"), 200);
    EXPECT_TRUE(h.shows("opponentArrowImage")) << "her pump arrow, for 300 ms";
    h.advance(300ms);
    EXPECT_FALSE(h.shows("opponentArrowImage"));
    h.script({Battle::air(300), Battle::check(false), Battle::air(100), Battle::check(false), Battle::check(false)});
    const auto flown = [&] {
        return h.showing({"balloonImages(15)", "balloonImages(16)"}) + (h.live("pumpButton") ? " pump" : "");
    };
    EXPECT_EQ(h.across(1700ms + 16 * 40ms, flown), Change("balloonImages(15)", "balloonImages(16) pump"));
    EXPECT_EQ(h.danger(), "600");
    EXPECT_TRUE(h.live("pumpButton") && !h.live("throwButton")) << "she must pump before she throws";
    EXPECT_TRUE(h.timersOn().empty());

    h.script({Battle::air(100), Battle::check(false)});
    h.press("pumpButton");
    EXPECT_TRUE(h.shows("heroineArrowImage"));
    h.advance(99ms);
    EXPECT_FALSE(h.live("throwButton"));
    h.clickAnyway(h.f, "pumpButton");
    EXPECT_EQ(h.danger(), "700") << "no pump while her arrow shows";
    h.advance(1ms);
    EXPECT_FALSE(h.shows("heroineArrowImage"));
    EXPECT_TRUE(h.live("pumpButton") && h.live("throwButton"));
    for (int i = 0; i < 5; ++i) h.push(100);
    EXPECT_TRUE(!h.live("pumpButton") && h.live("throwButton")) << "after the sixth pump";
    h.clickAnyway(h.f, "pumpButton");
    EXPECT_EQ(h.danger(), "1200");
    h.script({Battle::check(false)});
    h.press("throwButton");
    EXPECT_FALSE(h.live("throwButton"));
    h.flight();
    EXPECT_TRUE(h.shows("balloonImages(0)") && h.on("opponentPumpTimer")) << "the balloon is back with her";
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    EXPECT_EQ(h.said(),
              (Names{"交互に空気を入れて投げ合い、破裂させた方の負け。相手が入れた、危険度3％", "相手が入れた、危険度8％",
                     "相手が入れて投げた、危険度10％", "乃々香の番、危険度10％。スペースで空気を入れ、タブで投げるボタンへ",
                     "危険度11％、あと5回", "危険度13％、あと4回", "危険度15％、あと3回", "危険度16％、あと2回",
                     "危険度18％、あと1回", "危険度20％、あとは投げるだけ", "相手に届いた"}))
        << "the danger after every pump as the gauge's share, and where each throw went";
}

TEST(BalloonBattle, TheOpponentPumpsThreeTimesBelowTwoThousandOnceFromFourThousandAndOneOrTwoBetween) {
    // Her pumps until she throws again, each of 300.
    auto pumps = [](Battle& h, int expected) {
        for (int i = 0; i < expected; ++i) h.script({Battle::air(300), Battle::check(false)});
        h.script({Battle::check(false)});
        int seen = 0;
        for (; !h.on("flightToHeroineTimer") && seen < 5; ++seen) h.advance(1000ms);
        h.flight();
        return seen;
    };
    {
        Battle h;
        h.opponent({300, 300, 300}, false, {300, 300, 300});
        h.throwBack();  // 1800
        EXPECT_EQ(pumps(h, 3), 3);
    }
    for (int k : {0, 1}) {
        Battle h;
        h.opponent({300, 300, 300}, false, {300, 300, 300, 200});
        h.throwBack({SceneHarness::draw(2, k)});  // exactly 2000
        EXPECT_EQ(pumps(h, k + 1), k + 1);
        for (int i = 0; i < 6; ++i) h.push(300);
        h.throwBack();  // 4100 or 4400
        EXPECT_EQ(pumps(h, 1), 1);
        EXPECT_EQ(h.random().scriptLeft(), 0u);
    }
}

TEST(BalloonBattle, DangerStopsAtSixThousandWhileTheHiddenNumberReadsOn) {
    Battle h;
    h.opponent({300, 300, 300}, false, {300, 300, 300, 300, 300, 300});
    h.throwBack({SceneHarness::draw(2, 1)});  // 2700: she pumps twice
    h.opponent({300, 300}, false, {300, 300, 300, 300, 300, 300});
    h.throwBack();  // 5100: once
    h.opponent({300}, false, {300, 300});
    EXPECT_EQ(h.danger(), "6000");
    EXPECT_FALSE(h.shows("dangerLabel"));
    h.press("heroineImage");
    EXPECT_TRUE(h.shows("dangerLabel"));
    // At the cap the worst pump chance applies: 3333 holds, 3332 bursts.
    h.script({Battle::air(300), risk(3333)});
    h.press("pumpButton");
    EXPECT_EQ(h.danger() + " " + std::to_string(h.width(h.f, "dangerGauge")), "6300 6000");
    h.advance(100ms);
    h.script({Battle::air(100), risk(3332)});
    h.press("pumpButton");
    EXPECT_EQ(h.danger() + " " + std::to_string(h.width(h.f, "dangerGauge")), "6100 6000") << "the next sum starts from the cap";
    EXPECT_EQ(h.at(16), "store/bombimg");
    EXPECT_EQ(h.lastSaid(5), (Names{"乃々香の番、危険度90％", "危険度95％、あと5回", "危険度100％、あと4回",
                                    "危険度100％、あと3回", "危険度100％で破裂！乃々香がずぶぬれ"}))
        << "the keys only on her first turn";
    EXPECT_EQ(h.ctl("dangerGauge").spokenName(), "危険度100％");
}

TEST(BalloonBattle, ABurstOnTheOpponentsPumpIsTheHeroinesWin) {
    Battle h;
    h.script({Battle::air(100), Battle::check(false), Battle::air(200), Battle::check(true)});
    h.advance(2000ms);
    EXPECT_EQ(h.at(0), "store/bombimg");
    EXPECT_TRUE(h.shows("sprayImage")) << "the spray";
    EXPECT_EQ(h.timersOn(), (Names{"opponentArrowTimer", "verdictTimer"}));
    h.press("heroineImage");  // the spray lies beneath her: she can still be clicked
    EXPECT_TRUE(h.shows("dangerLabel"));
    EXPECT_EQ(h.picAcross(3000ms, "resultImage"), Change("", "store/hanmark_1"));
    EXPECT_EQ(h.showing({"opponentImage", "nameLabels(0)", "balloonImages(0)", "sprayImage", "pumpButton", "throwButton",
                         "heroineImage"}),
              "heroineImage");
    EXPECT_EQ(h.random().scriptLeft(), 0u) << "her third pump never came";
    EXPECT_EQ(h.lastSaid(2), (Names{"危険度5％で破裂！相手がずぶぬれ", "勝ち！"}));
    EXPECT_EQ(h.leave("nextButton"), h.next("nextButton"));
}

TEST(BalloonBattle, ABurstOnTheHeroinesPumpLosesAndNothingReactsAfterwards) {
    Battle h;
    h.opponent({100, 100, 100}, false, {100});
    h.script({Battle::air(300), Battle::check(true)});
    h.press("pumpButton");
    EXPECT_EQ(h.at(16), "store/bombimg");
    h.advance(100ms);  // her arrow's timer still runs out, and must not bring the buttons back
    EXPECT_EQ(h.showing({"pumpButton", "throwButton"}), "");
    h.clickAnyway(h.f, "pumpButton");
    h.clickAnyway(h.f, "throwButton");
    h.advance(2900ms);
    EXPECT_EQ(h.pic("resultImage"), "store/hanmark_0");
    EXPECT_EQ(h.lastSaid(3), (Names{"危険度6％、あと5回", "危険度11％で破裂！乃々香がずぶぬれ", h.lostSaying(h.f, "負け")}));
    EXPECT_EQ(h.showing({"heroineImage", "nameLabels(1)", "balloonImages(16)", "nextButton"}), "");
    EXPECT_TRUE(h.timersOn().empty());
    h.clickAnyway(h.f, "heroineImage");
    EXPECT_FALSE(h.shows("dangerLabel")) << "her figure is gone and reveals nothing";
    h.advance(60s);
    EXPECT_FALSE(h.shows("nextButton"));
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    h.close(h.f);
    EXPECT_TRUE(h.ended());
}

TEST(BalloonBattle, ADoomedThrowBurstsOneStepOutAtOneOrFifteen) {
    for (bool hers : {false, true}) {
        Battle h;
        h.opponent({100, 100, 100}, !hers, {100});
        if (hers) {
            h.script({Battle::check(true)});
            h.press("throwButton");
        }
        h.advance(40ms);
        EXPECT_EQ(h.at(hers ? 15 : 1), "store/bombimg");
        const ui::Control& spray = h.ctl("sprayImage");
        if (hers) {
            EXPECT_EQ(h.timersOn(), Names{"verdictTimer"});
        } else {
            EXPECT_EQ(std::tuple(spray.left(), spray.top(), spray.width(), spray.height()), std::tuple(945, 1928, 2250, 2835))
                << "half as large again as the balloon, around it";
        }
        h.advance(3000ms);
        EXPECT_FALSE(h.shows(hers ? "balloonImages(0)" : "balloonImages(16)")) << "it never arrived";
        EXPECT_EQ(h.pic("resultImage"), hers ? "store/hanmark_0" : "store/hanmark_1") << "the thrower's soaking";
        EXPECT_EQ(h.shows("nextButton"), !hers);
        EXPECT_EQ(h.lastSaid(2), (Names{hers ? "投げたとたん破裂！乃々香がずぶぬれ" : "投げたとたん破裂！相手がずぶぬれ",
                                        hers ? h.lostSaying(h.f, "負け") : "勝ち！"}));
    }
}

}  // namespace

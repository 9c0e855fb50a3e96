#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "games/action/balloonbattlerules.h"
#include "support/harness.h"

namespace {

using namespace std::chrono_literals;
using namespace games::mizuhusenrules;
using testing_support::SceneHarness;
using Names = std::vector<std::string>;

// r as Int(Rnd() * 10000) reads it.
double risk(int r) { return SceneHarness::draw(10000, r); }

TEST(MizuhusenRules, EachBandBurstsBelowItsThresholdForPumpsAndThrows) {
    const int push[] = {26, 102, 151, 370, 769, 2500, 3333};
    const int thrown[] = {11, 34, 100, 200, 1250, 2000, 3333};
    for (int b = 0; b <= 6; ++b)
        for (int kikendo : {b * 1000, b == 6 ? 6000 : b * 1000 + 999}) {
            EXPECT_EQ(band(kikendo), b) << kikendo;
            EXPECT_TRUE(bursts(kPushRisk, kikendo, risk(push[b] - 1))) << kikendo;
            EXPECT_FALSE(bursts(kPushRisk, kikendo, risk(push[b]))) << kikendo;
            EXPECT_TRUE(bursts(kThrowRisk, kikendo, risk(thrown[b] - 1))) << kikendo;
            EXPECT_FALSE(bursts(kThrowRisk, kikendo, risk(thrown[b]))) << kikendo;
        }
}

TEST(MizuhusenRules, PumpsAddOneToThreeHundredAndTheOpponentPumpsByDanger) {
    EXPECT_EQ(pumpAmount(0.0), 100);
    EXPECT_EQ(pumpAmount(SceneHarness::draw(3, 1)), 200);
    EXPECT_EQ(pumpAmount(0.9999), 300);
    app::Random r;
    r.useScript({});
    for (int low : {0, 1900}) EXPECT_EQ(kozuePushes(low, r), 3);
    for (int high : {4000, 6000}) EXPECT_EQ(kozuePushes(high, r), 1) << "no draw outside the middle band";
    r.addScript({SceneHarness::draw(2, 0), SceneHarness::draw(2, 1)});
    EXPECT_EQ(kozuePushes(2000, r), 1);
    EXPECT_EQ(kozuePushes(3900, r), 2);
}

// The battle with every draw stated: a pump draws its air and its check, a throw its check, and
// the balloon's return draws the opponent's pumps only in the middle band.
struct Battle : SceneHarness {
    static constexpr const char* kForm = "mizuhusen";
    static double air(int amount) { return draw(3, amount / 100 - 1); }
    static double check(bool bursts) { return risk(bursts ? 0 : 9999); }

    Battle() { open(kForm); }

    // The opponent pumps a second apart and throws with her last pump.
    void opponent(std::initializer_list<int> amounts, bool throwBursts = false) {
        for (int a : amounts) script({air(a), check(false)});
        script({check(throwBursts)});
        advance(std::chrono::milliseconds(1000 * amounts.size()));
    }
    void flight() { advance(16 * 40ms); }
    void push(int amount) {
        script({air(amount), check(false)});
        click(kForm, "Command1");
        advance(100ms);
    }
    void throwBack(std::initializer_list<double> kozue = {}) {
        script({check(false)});
        script(kozue);
        click(kForm, "Command2");
        flight();
    }
    std::string at(int i) { return picture(kForm, ui::indexed("Image3", i)); }
    bool shown(const std::string& c) { return visible(kForm, c); }
    bool can(const std::string& button) { return enabled(kForm, button); }
    std::string danger() { return caption(kForm, "Label3"); }
    Names runningTimers() {
        Names on;
        for (const char* t : {"Timer1", "Timer2", "kozuewaittimer", "yazitimera", "yazitimerb", "hanteitimer"})
            if (timerEnabled(kForm, t)) on.push_back(t);
        return on;
    }
};

// One round: her pumps a second apart, the 16-tick flight, the heroine's pumps and her throw back.
TEST(Mizuhusen, ARoundKeepsItsPaceAndThrowComesAfterTheFirstOfAtMostSixPumps) {
    Battle h;
    // The balloon's arc, from her to the heroine; it starts with her.
    const int lefts[] = {1080, 1320, 1680, 2040, 2400, 2880, 3240, 3600, 4080,
                         4560, 4920, 5280, 5640, 5880, 6240, 6480, 6600};
    const int tops[] = {2880, 2400, 1920, 1680, 1440, 1320, 1200, 1080, 1080,
                        1080, 1200, 1320, 1440, 1680, 2040, 2400, 2760};
    for (int i = 0; i < 17; ++i) {
        const ui::Control& balloon = h.control("mizuhusen", ui::indexed("Image3", i));
        EXPECT_EQ(std::tuple(balloon.left(), balloon.top(), balloon.visible()), std::tuple(lefts[i], tops[i], i == 0));
    }
    EXPECT_FALSE(h.shown("Image8"));
    EXPECT_EQ(h.caption("mizuhusen", "Label2(0)"), "シルバーファントム");
    h.script({Battle::air(200), Battle::check(false)});
    h.advance(999ms);
    EXPECT_EQ(h.danger(), "0");
    h.advance(1ms);
    EXPECT_EQ(h.danger(), "200");
    EXPECT_EQ(h.width("mizuhusen", "Image4"), 200);
    EXPECT_TRUE(h.shown("Image6")) << "her pump arrow, for 300 ms";
    h.advance(300ms);
    EXPECT_FALSE(h.shown("Image6"));
    h.script({Battle::air(300), Battle::check(false), Battle::air(100), Battle::check(false), Battle::check(false)});
    h.advance(1700ms + 16 * 40ms - 1ms);
    EXPECT_EQ(h.danger(), "600");
    EXPECT_TRUE(h.shown("Image3(15)"));
    EXPECT_FALSE(h.can("Command1"));
    h.advance(1ms);
    EXPECT_TRUE(h.shown("Image3(16)"));
    EXPECT_FALSE(h.shown("Image3(15)"));
    EXPECT_TRUE(h.can("Command1"));
    EXPECT_FALSE(h.can("Command2")) << "she must pump before she throws";
    EXPECT_TRUE(h.runningTimers().empty());

    h.script({Battle::air(100), Battle::check(false)});
    h.click("mizuhusen", "Command1");
    EXPECT_TRUE(h.shown("Image7"));
    h.advance(99ms);
    EXPECT_FALSE(h.can("Command2"));
    h.clickAnyway("mizuhusen", "Command1");
    EXPECT_EQ(h.danger(), "700") << "no pump while her arrow shows";
    h.advance(1ms);
    EXPECT_FALSE(h.shown("Image7"));
    EXPECT_TRUE(h.can("Command1"));
    EXPECT_TRUE(h.can("Command2"));
    for (int i = 0; i < 5; ++i) h.push(100);
    EXPECT_FALSE(h.can("Command1")) << "after the sixth pump";
    EXPECT_TRUE(h.can("Command2"));
    h.clickAnyway("mizuhusen", "Command1");
    EXPECT_EQ(h.danger(), "1200");
    h.script({Battle::check(false)});
    h.click("mizuhusen", "Command2");
    EXPECT_FALSE(h.can("Command2"));
    h.flight();
    EXPECT_TRUE(h.shown("Image3(0)"));
    EXPECT_TRUE(h.timerEnabled("mizuhusen", "kozuewaittimer")) << "the balloon is back with her";
    EXPECT_EQ(h.random().scriptLeft(), 0u);
}

TEST(Mizuhusen, TheOpponentPumpsThreeTimesBelowTwoThousandOnceFromFourThousandAndOneOrTwoBetween) {
    // Her pumps until she throws again, each of 300.
    auto pumps = [](Battle& h, int expected) {
        for (int i = 0; i < expected; ++i) h.script({Battle::air(300), Battle::check(false)});
        h.script({Battle::check(false)});
        int seen = 0;
        for (; !h.timerEnabled("mizuhusen", "Timer1") && seen < 5; ++seen) h.advance(1000ms);
        h.flight();
        return seen;
    };
    {
        Battle h;
        h.opponent({300, 300, 300});
        h.flight();
        for (int a : {300, 300, 300}) h.push(a);
        h.throwBack();  // 1800
        EXPECT_EQ(pumps(h, 3), 3);
    }
    for (int k : {0, 1}) {
        Battle h;
        h.opponent({300, 300, 300});
        h.flight();
        for (int a : {300, 300, 300, 200}) h.push(a);
        h.throwBack({SceneHarness::draw(2, k)});  // exactly 2000
        EXPECT_EQ(pumps(h, k + 1), k + 1);
        for (int i = 0; i < 6; ++i) h.push(300);
        h.throwBack();  // 4100 or 4400
        EXPECT_EQ(pumps(h, 1), 1);
        EXPECT_EQ(h.random().scriptLeft(), 0u);
    }
}

TEST(Mizuhusen, DangerStopsAtSixThousandWhileTheHiddenNumberReadsOn) {
    Battle h;
    h.opponent({300, 300, 300});
    h.flight();
    for (int i = 0; i < 6; ++i) h.push(300);
    h.throwBack({SceneHarness::draw(2, 1)});  // 2700: she pumps twice
    h.opponent({300, 300});
    h.flight();
    for (int i = 0; i < 6; ++i) h.push(300);
    h.throwBack();  // 5100: once
    h.opponent({300});
    h.flight();
    h.push(300);
    h.push(300);
    EXPECT_EQ(h.danger(), "6000");
    EXPECT_FALSE(h.visible("mizuhusen", "Label3"));
    h.click("mizuhusen", "Image2");
    EXPECT_TRUE(h.visible("mizuhusen", "Label3"));
    // At the cap the worst pump chance applies: 3333 holds, 3332 bursts.
    h.script({Battle::air(300), risk(3333)});
    h.click("mizuhusen", "Command1");
    EXPECT_EQ(h.danger(), "6300");
    EXPECT_EQ(h.width("mizuhusen", "Image4"), 6000);
    h.advance(100ms);
    h.script({Battle::air(100), risk(3332)});
    h.click("mizuhusen", "Command1");
    EXPECT_EQ(h.danger(), "6100") << "the next sum starts from the cap";
    EXPECT_EQ(h.width("mizuhusen", "Image4"), 6000);
    EXPECT_EQ(h.at(16), "store/bombimg");
}

TEST(Mizuhusen, ABurstOnTheOpponentsPumpIsTheHeroinesWin) {
    Battle h;
    h.script({Battle::air(100), Battle::check(false), Battle::air(200), Battle::check(true)});
    h.advance(2000ms);
    EXPECT_EQ(h.at(0), "store/bombimg");
    EXPECT_TRUE(h.shown("Image8")) << "the spray";
    EXPECT_EQ(h.runningTimers(), (Names{"yazitimerb", "hanteitimer"}));
    h.click("mizuhusen", "Image2");  // the spray lies beneath her: she can still be clicked
    EXPECT_TRUE(h.visible("mizuhusen", "Label3"));
    h.advance(2999ms);
    EXPECT_EQ(h.picture("mizuhusen", "Image5"), "");
    h.advance(1ms);
    EXPECT_EQ(h.picture("mizuhusen", "Image5"), "store/hanmark_1");
    for (const char* gone : {"Image1", "Label2(0)", "Image3(0)", "Image8", "Command1", "Command2"})
        EXPECT_FALSE(h.shown(gone)) << gone;
    EXPECT_TRUE(h.shown("Image2"));
    EXPECT_EQ(h.random().scriptLeft(), 0u) << "her third pump never came";
    h.click("mizuhusen", "Command3");
    EXPECT_EQ(h.openForms(), Names{"mesarea4"});
    EXPECT_FALSE(h.app().extraLoaded("sozai"));
}

TEST(Mizuhusen, ABurstOnTheHeroinesPumpLosesAndNothingReactsAfterwards) {
    Battle h;
    h.opponent({100, 100, 100});
    h.flight();
    h.push(100);
    h.script({Battle::air(300), Battle::check(true)});
    h.click("mizuhusen", "Command1");
    EXPECT_EQ(h.at(16), "store/bombimg");
    h.advance(100ms);  // her arrow's timer still runs out, and must not bring the buttons back
    EXPECT_FALSE(h.shown("Command1"));
    EXPECT_FALSE(h.shown("Command2"));
    h.clickAnyway("mizuhusen", "Command1");
    h.clickAnyway("mizuhusen", "Command2");
    h.advance(2900ms);
    EXPECT_EQ(h.picture("mizuhusen", "Image5"), "store/hanmark_0");
    for (const char* gone : {"Image2", "Label2(1)", "Image3(16)", "Command3"}) EXPECT_FALSE(h.shown(gone)) << gone;
    EXPECT_TRUE(h.runningTimers().empty());
    h.clickAnyway("mizuhusen", "Image2");
    EXPECT_FALSE(h.visible("mizuhusen", "Label3")) << "her figure is gone and reveals nothing";
    h.advance(60s);
    EXPECT_FALSE(h.shown("Command3"));
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    h.close("mizuhusen");
    EXPECT_TRUE(h.ended());
}

TEST(Mizuhusen, ADoomedThrowBurstsOneStepOutAtOneOrFifteen) {
    {
        Battle h;
        h.opponent({100, 100, 100}, true);
        h.advance(40ms);
        EXPECT_EQ(h.at(1), "store/bombimg");
        h.advance(3000ms);
        EXPECT_FALSE(h.shown("Image3(16)")) << "it never arrived";
        EXPECT_EQ(h.picture("mizuhusen", "Image5"), "store/hanmark_1") << "her throw, her soaking";
        EXPECT_TRUE(h.shown("Command3"));
    }
    {
        Battle h;
        h.opponent({100, 100, 100});
        h.flight();
        h.push(100);
        h.script({Battle::check(true)});
        h.click("mizuhusen", "Command2");
        h.advance(40ms);
        EXPECT_EQ(h.at(15), "store/bombimg");
        EXPECT_EQ(h.runningTimers(), Names{"hanteitimer"});
        h.advance(3000ms);
        EXPECT_FALSE(h.shown("Image3(0)"));
        EXPECT_EQ(h.picture("mizuhusen", "Image5"), "store/hanmark_0");
        EXPECT_FALSE(h.shown("Command3"));
    }
}

}  // namespace

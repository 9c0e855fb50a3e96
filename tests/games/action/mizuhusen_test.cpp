#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "games/action/mizuhusenrules.h"
#include "support/harness.h"

namespace {

using namespace std::chrono_literals;
using namespace games::mizuhusenrules;
using testing_support::SceneHarness;

// r as Int(Rnd() * 10000) reads it.
double risk(int r) { return SceneHarness::draw(10000, r); }

TEST(MizuhusenRules, EachBandBurstsBelowItsThresholdForPumpsAndThrows) {
    const int push[] = {26, 102, 151, 370, 769, 2500, 3333};
    const int thrown[] = {11, 34, 100, 200, 1250, 2000, 3333};
    for (int b = 0; b <= 6; ++b) {
        for (int kikendo : {b * 1000, b * 1000 + 900}) {
            if (kikendo > kMaxKikendo) continue;
            EXPECT_EQ(band(kikendo), b) << kikendo;
            EXPECT_TRUE(bursts(kPushRisk, kikendo, risk(push[b] - 1))) << kikendo;
            EXPECT_FALSE(bursts(kPushRisk, kikendo, risk(push[b]))) << kikendo;
            EXPECT_TRUE(bursts(kThrowRisk, kikendo, risk(thrown[b] - 1))) << kikendo;
            EXPECT_FALSE(bursts(kThrowRisk, kikendo, risk(thrown[b]))) << kikendo;
        }
    }
    EXPECT_EQ(band(999), 0);
    EXPECT_FALSE(bursts(kPushRisk, 0, 0.9999)) << "the highest draw never bursts";
    EXPECT_TRUE(bursts(kThrowRisk, kMaxKikendo, 0.0));
}

TEST(MizuhusenRules, PumpsAddOneToThreeHundredAndTheOpponentPumpsByDanger) {
    EXPECT_EQ(pumpAmount(0.0), 100);
    EXPECT_EQ(pumpAmount(SceneHarness::draw(3, 1)), 200);
    EXPECT_EQ(pumpAmount(0.9999), 300);

    app::Random r;
    r.useScript({});
    EXPECT_EQ(kozuePushes(0, r), 3);
    EXPECT_EQ(kozuePushes(1900, r), 3);
    EXPECT_EQ(kozuePushes(4000, r), 1);
    EXPECT_EQ(kozuePushes(6000, r), 1) << "no draw outside the middle band";
    r.addScript({SceneHarness::draw(2, 0), SceneHarness::draw(2, 1)});
    EXPECT_EQ(kozuePushes(2000, r), 1);
    EXPECT_EQ(kozuePushes(3900, r), 2);
    EXPECT_EQ(r.scriptLeft(), 0u);
}

// The battle with every draw stated: a pump draws its air and its check, a throw its check, and
// the balloon's return draws the opponent's pumps only in the middle band.
struct Battle : SceneHarness {
    static constexpr const char* kForm = "mizuhusen";
    static double air(int amount) { return draw(3, amount / 100 - 1); }
    static double check(bool bursts) { return bursts ? risk(0) : risk(9999); }

    Battle() { open(kForm); }

    // The opponent pumps a second apart, then throws; the flight takes 16 ticks of 40 ms.
    void opponent(std::initializer_list<int> amounts, bool throwBursts = false) {
        for (int a : amounts) script({air(a), check(false)});
        script({check(throwBursts)});
        advance(std::chrono::milliseconds(1000 * amounts.size()));
    }
    void flight() { advance(16 * 40ms); }
    void push(int amount, bool bursts = false) {
        script({air(amount), check(bursts)});
        click(kForm, "Command1");
        advance(100ms);
    }
    // Throws back; `kozue` is the draw for the opponent's pumps when the balloon lands in the middle band.
    void throwBack(std::vector<double> kozue = {}) {
        script({check(false)});
        for (double d : kozue) script({d});
        click(kForm, "Command2");
        flight();
    }
    std::string at(int i) { return picture(kForm, ui::indexed("Image3", i)); }
    bool shown(const std::string& c) { return visible(kForm, c); }
    std::string danger() { return caption(kForm, "Label3"); }
    std::vector<std::string> runningTimers() {
        std::vector<std::string> on;
        for (const char* t : {"Timer1", "Timer2", "kozuewaittimer", "yazitimera", "yazitimerb", "hanteitimer"})
            if (timerEnabled(kForm, t)) on.push_back(t);
        return on;
    }
};

TEST(Mizuhusen, TheOpponentOpensWithThreePumpsThenTheBalloonFliesToTheHeroine) {
    Battle h;
    EXPECT_FALSE(h.enabled("mizuhusen", "Command1"));
    EXPECT_FALSE(h.enabled("mizuhusen", "Command2"));
    EXPECT_EQ(h.width("mizuhusen", "Image4"), 0);
    h.script({Battle::air(200), Battle::check(false)});
    h.advance(999ms);
    EXPECT_FALSE(h.shown("Image6"));
    h.advance(1ms);
    EXPECT_EQ(h.danger(), "200");
    EXPECT_EQ(h.width("mizuhusen", "Image4"), 200);
    EXPECT_TRUE(h.shown("Image6")) << "her pump arrow";
    h.advance(300ms);
    EXPECT_FALSE(h.shown("Image6"));
    h.script({Battle::air(300), Battle::check(false), Battle::air(100), Battle::check(false), Battle::check(false)});
    h.advance(1700ms);
    EXPECT_EQ(h.danger(), "600");
    EXPECT_EQ(h.runningTimers(), (std::vector<std::string>{"Timer1", "yazitimerb"}));
    h.advance(15 * 40ms);
    EXPECT_TRUE(h.shown("Image3(15)"));
    EXPECT_FALSE(h.shown("Image3(14)"));
    EXPECT_FALSE(h.enabled("mizuhusen", "Command1"));
    h.advance(40ms);
    EXPECT_TRUE(h.shown("Image3(16)"));
    EXPECT_FALSE(h.shown("Image3(15)"));
    EXPECT_TRUE(h.enabled("mizuhusen", "Command1"));
    EXPECT_FALSE(h.enabled("mizuhusen", "Command2")) << "she must pump before she throws";
    EXPECT_TRUE(h.runningTimers().empty());
    EXPECT_EQ(h.random().scriptLeft(), 0u);
}

TEST(Mizuhusen, ThrowComesAHundredMillisecondsAfterTheFirstPumpAndSixPumpsAreTheMost) {
    Battle h;
    h.opponent({100, 100, 100});
    h.flight();
    h.script({Battle::air(100), Battle::check(false)});
    h.click("mizuhusen", "Command1");
    EXPECT_TRUE(h.shown("Image7"));
    EXPECT_FALSE(h.enabled("mizuhusen", "Command1"));
    h.advance(99ms);
    EXPECT_FALSE(h.enabled("mizuhusen", "Command2"));
    h.clickAnyway("mizuhusen", "Command1");
    EXPECT_EQ(h.danger(), "400") << "no pump while the arrow shows";
    h.advance(1ms);
    EXPECT_FALSE(h.shown("Image7"));
    EXPECT_TRUE(h.enabled("mizuhusen", "Command1"));
    EXPECT_TRUE(h.enabled("mizuhusen", "Command2"));
    for (int i = 0; i < 5; ++i) h.push(100);
    EXPECT_EQ(h.danger(), "900");
    EXPECT_FALSE(h.enabled("mizuhusen", "Command1")) << "after the sixth pump";
    EXPECT_TRUE(h.enabled("mizuhusen", "Command2"));
    h.clickAnyway("mizuhusen", "Command1");
    EXPECT_EQ(h.danger(), "900");
    h.script({Battle::check(false)});
    h.click("mizuhusen", "Command2");
    EXPECT_FALSE(h.enabled("mizuhusen", "Command1"));
    EXPECT_FALSE(h.enabled("mizuhusen", "Command2"));
    h.advance(16 * 40ms - 1ms);
    EXPECT_FALSE(h.timerEnabled("mizuhusen", "kozuewaittimer"));
    h.advance(1ms);
    EXPECT_TRUE(h.shown("Image3(0)"));
    EXPECT_TRUE(h.timerEnabled("mizuhusen", "kozuewaittimer")) << "the balloon is back with her";
    EXPECT_EQ(h.random().scriptLeft(), 0u);
}

TEST(Mizuhusen, TheOpponentPumpsThreeTimesBelowTwoThousandOnceFromFourThousandAndOneOrTwoBetween) {
    // Seconds from the balloon's return until she throws again.
    auto pumpsSeen = [](Battle& h, int expected) {
        for (int i = 0; i < expected; ++i) h.script({Battle::air(300), Battle::check(false)});
        h.script({Battle::check(false)});
        int pumps = 0;
        while (!h.timerEnabled("mizuhusen", "Timer1") && pumps < 5) {
            h.advance(1000ms);
            ++pumps;
        }
        h.flight();
        return pumps;
    };
    {
        Battle h;
        h.opponent({300, 300, 300});
        h.flight();
        for (int a : {300, 300, 300}) h.push(a);
        h.throwBack();  // 1800
        EXPECT_EQ(pumpsSeen(h, 3), 3);
    }
    for (int k : {0, 1}) {
        Battle h;
        h.opponent({300, 300, 300});
        h.flight();
        for (int a : {300, 300, 300, 200}) h.push(a);
        h.throwBack({SceneHarness::draw(2, k)});  // exactly 2000
        EXPECT_EQ(pumpsSeen(h, k + 1), k + 1);
        for (int a : {300, 300, 300, 300, 300, 300}) h.push(a);
        h.throwBack();  // 4100 or 4400
        EXPECT_EQ(pumpsSeen(h, 1), 1) << "from four thousand, one pump and no draw";
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
    // At the cap the worst pump chance applies: 3333 holds, 3332 would burst.
    h.script({Battle::air(300), risk(3333)});
    h.click("mizuhusen", "Command1");
    EXPECT_EQ(h.danger(), "6300");
    EXPECT_EQ(h.width("mizuhusen", "Image4"), 6000);
    EXPECT_FALSE(h.visible("mizuhusen", "Label3"));
    h.advance(100ms);
    h.click("mizuhusen", "Image2");
    EXPECT_TRUE(h.visible("mizuhusen", "Label3"));
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
    EXPECT_EQ(h.runningTimers(), (std::vector<std::string>{"yazitimerb", "hanteitimer"}));
    h.click("mizuhusen", "Image2");  // the spray lies beneath her: she can still be clicked
    EXPECT_TRUE(h.visible("mizuhusen", "Label3"));
    h.advance(2999ms);
    EXPECT_TRUE(h.shown("Image1"));
    EXPECT_EQ(h.picture("mizuhusen", "Image5"), "");
    h.advance(1ms);
    EXPECT_EQ(h.picture("mizuhusen", "Image5"), "store/hanmark_1");
    for (const char* gone : {"Image1", "Label2(0)", "Image3(0)", "Image8", "Command1", "Command2"})
        EXPECT_FALSE(h.shown(gone)) << gone;
    EXPECT_TRUE(h.shown("Image2"));
    EXPECT_TRUE(h.shown("Command3"));
    EXPECT_EQ(h.random().scriptLeft(), 0u) << "her third pump never came";
    h.click("mizuhusen", "Command3");
    EXPECT_EQ(h.openForms(), std::vector<std::string>{"mesarea4"});
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
    EXPECT_FALSE(h.shown("Command1"));
    EXPECT_FALSE(h.shown("Command2"));
    h.advance(100ms);  // her arrow's timer still runs out, and must not bring the buttons back
    EXPECT_FALSE(h.shown("Command1"));
    EXPECT_FALSE(h.shown("Command2"));
    h.clickAnyway("mizuhusen", "Command1");
    h.clickAnyway("mizuhusen", "Command2");
    h.advance(2900ms);
    EXPECT_EQ(h.picture("mizuhusen", "Image5"), "store/hanmark_0");
    for (const char* gone : {"Image2", "Label2(1)", "Image3(16)", "Command3"}) EXPECT_FALSE(h.shown(gone)) << gone;
    EXPECT_TRUE(h.shown("Image1"));
    EXPECT_TRUE(h.runningTimers().empty());
    h.clickAnyway("mizuhusen", "Image2");
    EXPECT_FALSE(h.visible("mizuhusen", "Label3")) << "her figure is gone and reveals nothing";
    h.advance(60s);
    EXPECT_FALSE(h.shown("Command3"));
    EXPECT_TRUE(h.shown("Image1"));
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    h.close("mizuhusen");
    EXPECT_TRUE(h.ended());
}

TEST(Mizuhusen, ADoomedThrowBurstsOneStepOutAtOneOrFifteen) {
    {
        Battle h;
        h.opponent({100, 100, 100}, true);
        EXPECT_TRUE(h.timerEnabled("mizuhusen", "Timer1")) << "nothing shows the doom yet";
        h.advance(40ms);
        EXPECT_EQ(h.at(1), "store/bombimg");
        EXPECT_TRUE(h.shown("Image3(1)"));
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
        EXPECT_EQ(h.runningTimers(), std::vector<std::string>{"hanteitimer"});
        h.advance(3000ms);
        EXPECT_FALSE(h.shown("Image3(0)"));
        EXPECT_EQ(h.picture("mizuhusen", "Image5"), "store/hanmark_0");
        EXPECT_FALSE(h.shown("Command3"));
        EXPECT_EQ(h.random().scriptLeft(), 0u);
    }
}

}  // namespace

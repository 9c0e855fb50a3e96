#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

#include "app/random.h"
#include "games/puzzle/max100rules.h"
#include "support/harness.h"
#include "ui/label.h"

namespace {

using namespace std::chrono_literals;
using testing_support::SceneHarness;
namespace rules = games::max100rules;

constexpr const char* F = "max100game";

TEST(Max100Rules, TheLastSquareRanksFirstAndEveryFallLast) {
    const auto rank = rules::masurank();
    const std::pair<int, int> cases[] = {{99, 1},  {92, 2},  {91, 3},  {98, 4},  {90, 5}, {97, 6},
                                         {89, 7},  {96, 8},  {88, 9},  {81, 16}, {95, 17}, {93, 19},
                                         {80, 20}, {50, 50}, {1, 99},  {0, 0}};
    for (auto [position, r] : cases) EXPECT_EQ(rank[position], r) << "position " << position;
    for (int p = 100; p < rules::kRankedSquares; ++p) EXPECT_EQ(rank[p], 99) << "fall at " << p;
    std::vector<int> nearEdge(rank.begin() + 81, rank.begin() + 100);
    std::sort(nearEdge.begin(), nearEdge.end());
    std::vector<int> oneToNineteen(19);
    std::iota(oneToNineteen.begin(), oneToNineteen.end(), 1);
    EXPECT_EQ(nearEdge, oneToNineteen) << "81 to 99 hold each rank from 1 to 19 once";
}

TEST(Max100Rules, FacesMoveAsTheyShowExceptNinePipsAnd66) {
    EXPECT_EQ(rules::squares(1), 1);
    EXPECT_EQ(rules::squares(6), 6);
    EXPECT_EQ(rules::squares(7), 9);
    EXPECT_EQ(rules::squares(8), 66);
    EXPECT_EQ(rules::nextFace(6), 7);
    EXPECT_EQ(rules::nextFace(7), 1) << "a rolling die never shows 66";
}

TEST(Max100Rules, TheOpponentRatesSixFacesWhereItStandsAndTheNineWhereItLeads) {
    const auto rank = rules::masurank();
    struct Case {
        int position, face, rank;
    };
    for (const auto& c : {Case{1, 7, 90}, Case{50, 7, 41}, Case{82, 7, 3}, Case{84, 1, 13}, Case{90, 7, 1},
                          Case{91, 1, 3}, Case{95, 1, 17}, Case{99, 1, 1}}) {
        const auto r = rules::rate(rank, c.position);
        EXPECT_EQ(r.bestface, c.face) << "position " << c.position;
        EXPECT_EQ(r.bestrank, c.rank) << "position " << c.position;
    }
}

// The aim from its draws; every draw it is given must be used.
int aimed(int bestface, std::initializer_list<double> draws) {
    app::Random random;
    random.useScript(draws);
    const int target = rules::aim(bestface, random);
    EXPECT_EQ(random.scriptLeft(), 0u) << "bestface " << bestface;
    return target;
}

TEST(Max100Rules, TheAimIsMostlyTheFavouriteSometimesANeighbourRoundTheSevenFaces) {
    auto d = SceneHarness::draw;
    EXPECT_EQ(aimed(3, {d(100, 59)}), 3);
    EXPECT_EQ(aimed(3, {d(100, 60)}), 2);
    EXPECT_EQ(aimed(3, {d(100, 69)}), 2);
    EXPECT_EQ(aimed(1, {d(100, 65)}), 7) << "below 1 comes round to the nine pips";
    EXPECT_EQ(aimed(3, {d(100, 70)}), 4);
    EXPECT_EQ(aimed(7, {d(100, 79)}), 1) << "above the nine pips comes round to 1";
    EXPECT_EQ(aimed(3, {d(100, 80), d(7, 4)}), 5);
    EXPECT_EQ(aimed(1, {d(100, 99), d(7, 6)}), 7);
}

TEST(Max100Rules, TheOpponentTakesTheDieLandingOnTheBetterSquareAndDie0OnATie) {
    const auto rank = rules::masurank();
    EXPECT_EQ(rules::choose(rank, 9, 3, 7), 1) << "18 ranks above 12";
    EXPECT_EQ(rules::choose(rank, 9, 7, 3), 0);
    EXPECT_EQ(rules::choose(rank, 90, 1, 7), 1) << "the last square beats 91";
    EXPECT_EQ(rules::choose(rank, 92, 7, 6), 1) << "a fall is worst, even against the next-to-last square";
    EXPECT_EQ(rules::choose(rank, 95, 5, 7), 0) << "two falls rank alike";
    EXPECT_EQ(rules::choose(rank, 40, 4, 4), 0);
}

TEST(Max100Rules, ThePortraitSlowsTheDieByStepsUpToItsBound) {
    EXPECT_EQ(rules::slowed(45, 45), 145);
    EXPECT_EQ(rules::slowed(167, 67), 267);
    int interval = 45;
    for (int click = 0; click < 40000; ++click) interval = rules::slowed(interval, 45);
    EXPECT_EQ(interval, 45 + rules::kMaxSlowdown) << "however often she clicks";
}

// The game with every draw stated: the heroine's 66 chance at load and at each of her turns, the
// opponent's aims and spins, the revival's chance at a loss.
struct Max100 : SceneHarness {
    static constexpr int kNo66 = 9999;  // a 66 draw no rate reaches

    explicit Max100(int first66 = kNo66) {
        script({draw(10000, first66)});
        open(F);
    }

    int squaresLeft() { return std::stoi(caption(F, "nokorimasu")); }
    bool herTurn() { return enabled(F, "stopbutton(0)"); }
    bool falling() { return timerEnabled(F, "rakkamati"); }

    void runUntil(const std::function<bool()>& done) {
        for (int ms = 0; ms < 300000; ++ms) {
            if (done()) return;
            advance(1ms);
        }
        ADD_FAILURE() << "the game stood still";
    }

    // Watches die k roll (it turns once first) and stops it on `face`.
    void stop(int k, int face) {
        advance(std::chrono::milliseconds(timerInterval(F, ui::indexed("dicetimer", k))));
        runUntil([&] { return picture(F, ui::indexed("diceimg", k)) == "store/diceimg_" + std::to_string(face); });
        click(F, ui::indexed("stopbutton", k));
    }

    void runMove() {
        runUntil([&] { return !timerEnabled(F, "carsusumitimer"); });
    }

    // Her turn: die 0 stopped on `face`, die 1 anywhere, die 0 taken, the move run out.
    void heroMoves(int face) {
        runUntil([&] { return herTurn(); });
        stop(0, face);
        click(F, "stopbutton(1)");
        click(F, "diceimg(0)");
        runMove();
    }

    // Her turn with the forbidden button: 66 squares, or over the edge.
    void heroPressesTheForbiddenButton() {
        runUntil([&] { return herTurn(); });
        click(F, "Image5");
        click(F, "Command1");
        click(F, "stopbutton(0)");
        click(F, "stopbutton(1)");
        click(F, "diceimg(1)");
        runMove();
    }

    // The opponent's turn with both dice aimed at `face` and spinning seven ticks each, then the
    // draw of her next turn's 66 chance.
    void opponentMoves(int face, int next66 = kNo66) {
        const int best = rules::rate(rules::masurank(), rules::kRoad - squaresLeft()).bestface;
        if (face == best)
            script({draw(100, 0), draw(7, face - 1)});
        else
            script({draw(100, 90), draw(7, face - 1), draw(100, 90), draw(7, face - 1)});
        script({draw(7, 0), draw(7, 0), draw(10000, next66)});
        runUntil([&] { return herTurn() || falling(); });
    }
};

TEST(Max100, HerDiceRollAfterASecondAndTheCarGoesASquareEvery150ms) {
    Max100 h;
    EXPECT_EQ(h.caption(F, "nokorimasu"), "100");
    EXPECT_EQ(h.picture(F, "enediceimg(0)"), "store/diceimg_7") << "the opponent's dice wait on nine pips";
    EXPECT_EQ(h.picture(F, "diceimg(1)"), "store/diceimg_1");
    h.clickAnyway(F, "stopbutton(0)");
    h.advance(999ms);
    EXPECT_FALSE(h.timerEnabled(F, "dicetimer(0)")) << "a disabled STOP does nothing";
    h.advance(1ms);
    EXPECT_TRUE(h.herTurn());
    h.advance(45ms);
    EXPECT_EQ(h.picture(F, "diceimg(0)"), "store/diceimg_2");
    EXPECT_EQ(h.picture(F, "diceimg(1)"), "store/diceimg_1");
    h.advance(22ms);
    EXPECT_EQ(h.picture(F, "diceimg(1)"), "store/diceimg_2") << "die 1 turns every 67 ms";
    h.advance(5 * 45ms);
    EXPECT_EQ(h.picture(F, "diceimg(0)"), "store/diceimg_7") << "the seventh face shows nine pips";
    h.click(F, "diceimg(0)");
    EXPECT_FALSE(h.timerEnabled(F, "carsusumitimer")) << "a rolling die cannot be taken";
    h.advance(45ms);
    EXPECT_EQ(h.picture(F, "diceimg(0)"), "store/diceimg_1");

    h.stop(0, 7);
    h.stop(1, 3);
    h.clickAnyway(F, "stopbutton(1)");
    EXPECT_EQ(h.picture(F, "diceimg(1)"), "store/diceimg_3") << "a stopped die stays stopped";
    h.advance(999ms);
    EXPECT_FALSE(h.visible(F, "Label3"));
    h.advance(1ms);
    EXPECT_TRUE(h.visible(F, "Label3")) << "Choice it, a second after the second STOP";
    h.advance(1s);
    EXPECT_FALSE(h.visible(F, "Label3"));
    h.advance(1s);
    EXPECT_TRUE(h.visible(F, "Label3"));

    h.click(F, "diceimg(0)");
    EXPECT_FALSE(h.visible(F, "Label3"));
    EXPECT_EQ(h.caption(F, "susumukazu"), "9");
    h.advance(150ms);
    EXPECT_EQ(h.caption(F, "susumukazu"), "8");
    EXPECT_EQ(h.caption(F, "nokorimasu"), "99");
    EXPECT_EQ(h.left(F, "carimage"), 72);
    EXPECT_EQ(h.left(F, "susumukazu"), 792) << "the count rides above the car";
    h.click(F, "diceimg(1)");
    h.advance(8 * 150ms);
    EXPECT_EQ(h.squaresLeft(), 91) << "a second click chose nothing more";
    EXPECT_EQ(h.left(F, "carimage"), 9 * 72);
    EXPECT_FALSE(h.timerEnabled(F, "carsusumitimer"));
    EXPECT_TRUE(h.timerEnabled(F, "sumireturnmati"));
    EXPECT_FALSE(h.visible(F, "Label3")) << "the blinking stopped with the choice";
}

TEST(Max100, TheOpponentSpinsAtLeastItsTicksStopsOnItsTargetsAndTakesTheBetterDie) {
    Max100 h;
    h.heroMoves(7);  // 91 squares left: the opponent favours the nine pips
    h.script({Max100::draw(100, 85), Max100::draw(7, 2),  // die 0: any face, 3
              Max100::draw(100, 10),                      // die 1: the favourite, nine pips
              Max100::draw(7, 0), Max100::draw(7, 6),     // spins of 7 and 13 ticks
              Max100::draw(10000, Max100::kNo66)});
    h.advance(1000ms);
    EXPECT_TRUE(h.timerEnabled(F, "dicetimer(0)"));
    EXPECT_FALSE(h.enabled(F, "Image4")) << "no slowing the opponent's dice";
    int spun = 0;
    for (; h.timerEnabled(F, "dicetimer(0)") && spun < 60000; ++spun) h.advance(1ms);
    EXPECT_GE(spun, 7 * 149);
    EXPECT_EQ(spun % 149, 0) << "it stops on a tick of its stop test";
    EXPECT_EQ(h.picture(F, "enediceimg(0)"), "store/diceimg_3");
    EXPECT_EQ(h.picture(F, "diceimg(0)"), "store/diceimg_7") << "her dice keep their faces";
    spun = 0;
    for (; h.timerEnabled(F, "dicetimer(1)") && spun < 60000; ++spun) h.advance(1ms);
    EXPECT_GE(spun, 13 * 149);
    EXPECT_EQ(h.picture(F, "enediceimg(1)"), "store/diceimg_7");
    h.advance(999ms);
    EXPECT_FALSE(h.visible(F, "yazirusi(1)"));
    h.advance(1ms);
    EXPECT_TRUE(h.visible(F, "yazirusi(1)")) << "nine squares lead further than three";
    EXPECT_FALSE(h.visible(F, "yazirusi(0)"));
    EXPECT_EQ(h.caption(F, "susumukazu"), "9");
    h.advance(150ms);
    EXPECT_FALSE(h.visible(F, "yazirusi(1)"));
    h.runMove();
    EXPECT_EQ(h.squaresLeft(), 82);

    h.advance(1000ms);
    EXPECT_TRUE(h.herTurn());
    EXPECT_TRUE(h.enabled(F, "Image4"));
    h.heroMoves(2);
    h.opponentMoves(4);
    EXPECT_EQ(h.squaresLeft(), 76);
}

// From the start to her turn with 5 squares left: the forbidden button's 66, then short moves.
void toFiveLeft(Max100& h) {
    h.heroPressesTheForbiddenButton();
    ASSERT_EQ(h.squaresLeft(), 34);
    h.opponentMoves(7);
    h.heroMoves(7);
    h.opponentMoves(7);
    h.heroMoves(1);
    h.opponentMoves(1);
    ASSERT_EQ(h.squaresLeft(), 5);
}

TEST(Max100, TheEdgeStopsEveryMoveAndWhoeverReachesItLoses) {
    {
        Max100 h;
        toFiveLeft(h);
        h.runUntil([&] { return h.herTurn(); });
        h.stop(0, 7);
        h.click(F, "stopbutton(1)");
        h.click(F, "diceimg(0)");
        h.advance(5 * 150ms);
        EXPECT_EQ(h.caption(F, "nokorimasu"), "0");
        EXPECT_EQ(h.caption(F, "susumukazu"), "4") << "four squares were left over the edge";
        EXPECT_EQ(h.left(F, "carimage"), 7200);
        EXPECT_FALSE(h.timerEnabled(F, "carsusumitimer"));
        EXPECT_FALSE(h.timerEnabled(F, "sumireturnmati")) << "nobody moves after a fall";
        h.script({Max100::draw(99, 76)});
        h.advance(1000ms);
        EXPECT_FALSE(h.visible(F, "carimage"));
        EXPECT_TRUE(h.visible(F, "Image1"));
        EXPECT_TRUE(h.visible(F, "Image2"));
        EXPECT_EQ(h.picture(F, "Image3"), "");
        h.advance(1000ms);
        EXPECT_EQ(h.picture(F, "Image3"), "store/hanmark_0");
        EXPECT_FALSE(h.visible(F, "Line1"));
        EXPECT_FALSE(h.visible(F, "Image1"));
        EXPECT_TRUE(h.visible(F, "Image2")) << "the fallen car stays";
        h.advance(10s);
        EXPECT_FALSE(h.visible(F, "Command2"));
        h.close(F);
        EXPECT_TRUE(h.ended());
        EXPECT_TRUE(h.messageBoxes().empty());
    }
    {
        Max100 h;
        toFiveLeft(h);
        h.heroMoves(4);
        EXPECT_EQ(h.squaresLeft(), 1);
        h.opponentMoves(1);  // from the last square any move lands on the edge
        EXPECT_EQ(h.left(F, "carimage"), 7200);
        h.advance(1000ms);
        EXPECT_TRUE(h.visible(F, "Image2"));
        h.advance(999ms);
        EXPECT_FALSE(h.visible(F, "Command2"));
        h.advance(1ms);
        EXPECT_EQ(h.picture(F, "Image3"), "store/hanmark_1");
        EXPECT_FALSE(h.visible(F, "Image1"));
        EXPECT_FALSE(h.visible(F, "Line2"));
        h.click(F, "Command2");
        EXPECT_EQ(h.openForms(), std::vector<std::string>{"tintiro2"});
        EXPECT_FALSE(h.app().extraLoaded("sozai"));
    }
}

// She reaches `left` squares at the start of her turn, with her dice from then on drawn by `next66`.
void reach(Max100& h, int opponentsLastMove, int herSecondMove, int next66) {
    h.heroMoves(7);
    h.opponentMoves(7);
    h.heroMoves(herSecondMove);
    h.opponentMoves(opponentsLastMove, next66);
    h.runUntil([&] { return h.herTurn(); });
}

TEST(Max100, The66FaceComesByChanceOrByTheForbiddenButtonWhichSpoilsLaterTurnsExceptAt67Or68) {
    for (int draw : {37, 38}) {
        Max100 h(draw);
        h.advance(1000ms);
        h.click(F, "stopbutton(0)");
        EXPECT_EQ(h.picture(F, "diceimg(0)") == "store/diceimg_8", draw < 38) << "38 in 10000, drawn " << draw;
    }
    {
        Max100 h;
        EXPECT_FALSE(h.visible(F, "Command1"));
        reach(h, 6, 7, 100);
        EXPECT_EQ(h.squaresLeft(), 67);
        h.heroPressesTheForbiddenButton();
        EXPECT_EQ(h.picture(F, "diceimg(0)"), "store/diceimg_8");
        EXPECT_EQ(h.picture(F, "diceimg(1)"), "store/diceimg_8");
        EXPECT_EQ(h.squaresLeft(), 1) << "66 squares to the last one";
        h.opponentMoves(2);
        h.advance(2000ms);
        EXPECT_TRUE(h.visible(F, "Command2"));
    }
    for (int at : {68, 80}) {
        Max100 h;
        if (at == 68)
            reach(h, 5, 7, Max100::kNo66);
        else
            reach(h, 1, 1, Max100::kNo66);
        ASSERT_EQ(h.squaresLeft(), at);
        h.heroPressesTheForbiddenButton();
        EXPECT_EQ(h.squaresLeft(), at - 66);
        EXPECT_FALSE(h.enabled(F, "Command1")) << "her first STOP put it away for the turn";
        h.opponentMoves(1, 100);  // a draw of 100 gets the 66 only from a rate spoilt by the button
        EXPECT_TRUE(h.enabled(F, "Command1"));
        h.click(F, "stopbutton(0)");
        EXPECT_EQ(h.picture(F, "diceimg(0)") == "store/diceimg_8", at == 80) << at << " squares left";
    }
}

TEST(Max100, HerPortraitSlowsHerDiceForThisTurnOnlyAndNoFurtherThanItsBound) {
    Max100 h;
    EXPECT_TRUE(h.enabled(F, "Image4"));
    h.click(F, "Image4");
    EXPECT_EQ(h.timerInterval(F, "dicetimer(0)"), 145);
    EXPECT_EQ(h.timerInterval(F, "dicetimer(1)"), 167);
    h.advance(1000ms);
    h.advance(144ms);
    EXPECT_EQ(h.picture(F, "diceimg(0)"), "store/diceimg_1");
    h.advance(1ms);
    EXPECT_EQ(h.picture(F, "diceimg(0)"), "store/diceimg_2");
    for (int i = 0; i < 30; ++i) h.click(F, "Image4");
    EXPECT_EQ(h.timerInterval(F, "dicetimer(0)"), 945);
    EXPECT_EQ(h.timerInterval(F, "dicetimer(1)"), 967);
    h.advance(944ms);
    h.click(F, "Image4");  // at the bound a click leaves the turning die alone
    h.advance(1ms);
    EXPECT_EQ(h.picture(F, "diceimg(0)"), "store/diceimg_3");

    h.click(F, "stopbutton(0)");
    h.click(F, "stopbutton(1)");
    h.click(F, "diceimg(0)");
    h.runMove();
    EXPECT_EQ(h.timerInterval(F, "dicetimer(0)"), 45) << "the opponent's turn restores the dice";
    EXPECT_FALSE(h.enabled(F, "Image4"));
    h.clickAnyway(F, "Image4");
    EXPECT_EQ(h.timerInterval(F, "dicetimer(0)"), 45);
    h.opponentMoves(3);
    EXPECT_TRUE(h.enabled(F, "Image4"));
    EXPECT_EQ(h.timerInterval(F, "dicetimer(1)"), 67) << "the slow-down was for one turn";
}

// She throws the car over with the forbidden button and the one-in-99 draw arms the revival.
void loseWithRevival(Max100& h) {
    h.heroPressesTheForbiddenButton();
    h.opponentMoves(7);
    h.script({Max100::draw(99, 77)});
    h.heroPressesTheForbiddenButton();
    ASSERT_TRUE(h.falling());
    h.advance(1000ms);
}

TEST(Max100, ClosingAfterALossWithTheRareDrawRevivesHerAndTheOpponentFalls) {
    {
        Max100 h;
        loseWithRevival(h);
        h.advance(1000ms);
        ASSERT_EQ(h.picture(F, "Image3"), "store/hanmark_0");
        h.close(F);
        const std::vector<std::pair<std::string, std::string>> boxes{
            {"力ずく", "乃々香「私はここで・・・負けられない！」"},
            {"力ずく", "ワールズ？「！？」"},
            {"力ずく", "乃々香「私の・・・１００％の力！！」"},
            {"力ずく", "乃々香「おおおおおお！」"},
            {"力ずく", "ワールズ？「車を１人で・・・持ち上げた！？」"}};
        EXPECT_EQ(h.messageBoxes(), boxes);
        EXPECT_EQ(h.openForms(), std::vector<std::string>{F});
        EXPECT_FALSE(h.ended());
        EXPECT_FALSE(h.app().extraLoaded("sozai")) << "the store goes even though the window stays";
        EXPECT_EQ(h.picture(F, "Image3"), "");
        EXPECT_TRUE(h.visible(F, "Line1"));
        EXPECT_FALSE(h.visible(F, "Image1"));
        EXPECT_FALSE(h.visible(F, "Image2"));
        EXPECT_TRUE(h.visible(F, "carimage"));
        EXPECT_EQ(h.left(F, "carimage"), 99 * 72);
        EXPECT_TRUE(h.visible(F, "susumukazu")) << "the count rides with the car again";
        EXPECT_EQ(h.squaresLeft(), 1);
        h.opponentMoves(4);
        EXPECT_TRUE(h.app().extraLoaded("sozai")) << "the opponent's dice brought the store back";
        h.advance(2000ms);
        EXPECT_EQ(h.picture(F, "Image3"), "store/hanmark_1");
        h.click(F, "Command2");
        EXPECT_EQ(h.openForms(), std::vector<std::string>{"tintiro2"});
    }
    {
        Max100 h;
        loseWithRevival(h);
        h.close(F);  // before the losing banner
        EXPECT_EQ(h.messageBoxes().size(), 5u);
        h.opponentMoves(1);
        EXPECT_EQ(h.picture(F, "Image3"), "") << "the losing banner never came";
        EXPECT_TRUE(h.visible(F, "Line2"));
        h.advance(2000ms);
        EXPECT_TRUE(h.visible(F, "Command2"));
        h.close(F);
        EXPECT_TRUE(h.ended()) << "one revival only: the next close ends the program";
        EXPECT_EQ(h.messageBoxes().size(), 5u);
    }
}

TEST(Max100, EveryCaptionFitsItsLabelAtItsWidest) {
    Max100 h;
    static_cast<ui::Label&>(h.control(F, "susumukazu")).setCaption("66");
    for (const char* name : {"Label1", "nokorimasu", "Label2", "susumukazu", "Label3"}) {
        const auto& l = static_cast<ui::Label&>(h.control(F, name));
        EXPECT_LE(l.textWidthPixels(), ui::twipsToPixels(l.width())) << name << " \"" << l.caption() << "\"";
    }
}

}  // namespace

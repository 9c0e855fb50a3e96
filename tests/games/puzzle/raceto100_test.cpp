#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <tuple>

#include "app/random.h"
#include "games/puzzle/raceto100rules.h"
#include "support/harness.h"
#include "ui/label.h"

namespace {

using namespace std::chrono_literals;
using testing_support::Change;
using testing_support::SceneHarness;
namespace rules = games::raceto100rules;

constexpr const char* F = "max100game";
const auto kRanks = rules::squareRanks();

TEST(RaceTo100Rules, TheLastSquareRanksFirstAndEveryFallLast) {
    const std::pair<int, int> cases[] = {{99, 1}, {92, 2},  {91, 3},  {98, 4},  {89, 7},  {96, 8},
                                         {88, 9}, {81, 16}, {95, 17}, {93, 19}, {80, 20}, {1, 99}};
    for (auto [position, r] : cases) EXPECT_EQ(kRanks[position], r) << "position " << position;
    for (int p = 100; p < rules::kRankedSquares; ++p) EXPECT_EQ(kRanks[p], 99) << "fall at " << p;
    std::vector<int> nearEdge(kRanks.begin() + 81, kRanks.begin() + 100), oneToNineteen(19);
    std::sort(nearEdge.begin(), nearEdge.end());
    std::iota(oneToNineteen.begin(), oneToNineteen.end(), 1);
    EXPECT_EQ(nearEdge, oneToNineteen) << "81 to 99 hold each rank from 1 to 19 once";
    EXPECT_EQ(rules::moveSentence(5, 5) + " / " + rules::moveSentence(4, 5), "5マス進む、転落する！ / 4マス進む、のこり1マス")
        << "reaching the edge is a fall";
}

TEST(RaceTo100Rules, TheOpponentRatesSixFacesWhereItStandsTheNineWhereItLeadsAndTakesTheBetterDie) {
    struct Case {
        int position, face, rank;
    };
    for (const auto& c : {Case{1, 7, 90}, Case{50, 7, 41}, Case{82, 7, 3}, Case{84, 1, 13}, Case{91, 1, 3}, Case{95, 1, 17}}) {
        const auto r = rules::rate(kRanks, c.position);
        EXPECT_EQ(std::make_pair(r.bestFace, r.bestRank), std::make_pair(c.face, c.rank)) << "at " << c.position;
    }
    EXPECT_EQ(rules::choose(kRanks, 9, 3, 7), 1) << "18 ranks above 12";
    EXPECT_EQ(rules::choose(kRanks, 9, 7, 3), 0);
    EXPECT_EQ(rules::choose(kRanks, 92, 7, 6), 1) << "a fall is worst, even against the next-to-last square";
    EXPECT_EQ(rules::choose(kRanks, 95, 5, 7), 0) << "two falls rank alike: die 0";
}

// The aim from its draws; every draw it is given must be used.
int aimed(int bestFace, std::initializer_list<double> draws) {
    app::Random random;
    random.useScript(draws);
    const int target = rules::aim(bestFace, random);
    EXPECT_EQ(random.scriptLeft(), 0u) << "bestFace " << bestFace;
    return target;
}

TEST(RaceTo100Rules, TheAimIsMostlyTheFavouriteSometimesANeighbourRoundTheSevenFaces) {
    auto d = SceneHarness::draw;
    EXPECT_EQ(aimed(3, {d(100, 59)}), 3);
    EXPECT_EQ(aimed(3, {d(100, 60)}), 2);
    EXPECT_EQ(aimed(1, {d(100, 69)}), 7) << "below 1 comes round to the nine pips";
    EXPECT_EQ(aimed(3, {d(100, 70)}), 4);
    EXPECT_EQ(aimed(7, {d(100, 79)}), 1) << "above the nine pips comes round to 1";
    EXPECT_EQ(aimed(3, {d(100, 80), d(7, 4)}), 5);
}

// The game with every draw stated: the heroine's 66 chance at load and at each of her turns, the
// opponent's aims and spins, the revival's chance at a loss.
struct Race : testing_support::FormHarness {
    static constexpr int kNo66 = 9999;  // a 66 draw no rate reaches

    explicit Race(int first66 = kNo66) : FormHarness(F) {
        script({draw(10000, first66)});
        open();
    }
    int squaresLeft() { return std::stoi(cap("squaresLeftLabel")); }
    bool herTurn() { return live("stopButtons(0)"); }
    bool falling() { return on("fallTimer"); }
    std::string die(int k) { return pic(ui::indexed("heroineDicePictures", k)); }
    int interval(int k) { return timerInterval(F, ui::indexed("diceTimers", k)); }
    void runUntil(const std::function<bool()>& done) {
        for (int ms = 0; ms < 300000 && !done(); ++ms) advance(1ms);
        ASSERT_TRUE(done()) << "the game stood still";
    }
    void runMove() {
        runUntil([&] { return !on("carMoveTimer"); });
    }

    // Watches die k roll (it turns once first) and stops it on `face`.
    void stop(int k, int face) {
        advance(std::chrono::milliseconds(interval(k)));
        runUntil([&] { return die(k) == "store/diceimg_" + std::to_string(face); });
        press(ui::indexed("stopButtons", k));
    }
    // Her turn: die 0 stopped on `face` (-1: wherever it stands), die 1 anywhere, die 0 taken, the
    // move run out unless told; with the forbidden button pressed first (face 0), 66 squares or over
    // the edge.
    void heroMoves(int face, bool runOut = true) {
        runUntil([&] { return herTurn(); });
        if (face == 0) press("heroinePicture"), press("forbiddenButton");
        face > 0 ? stop(0, face) : press("stopButtons(0)");
        press("stopButtons(1)");
        press("heroineDicePictures(0)");
        if (runOut) runMove();
    }
    // The opponent's turn with both dice aimed at `face` and spinning seven ticks each, then the
    // draw of her next turn's 66 chance.
    void opponentMoves(int face, int next66 = kNo66) {
        if (face == rules::rate(kRanks, rules::kRoad - squaresLeft()).bestFace)
            script({draw(100, 0), draw(7, face - 1)});
        else
            script({draw(100, 90), draw(7, face - 1), draw(100, 90), draw(7, face - 1)});
        script({draw(7, 0), draw(7, 0), draw(10000, next66)});
        runUntil([&] { return herTurn() || falling(); });
    }
};

TEST(RaceTo100, HerDiceRollAfterASecondAndTheCarGoesASquareEvery150ms) {
    Race h;
    EXPECT_EQ(h.pic("opponentDicePictures(0)"), "store/diceimg_7") << "the opponent's dice wait on nine pips";
    EXPECT_EQ(h.showing({"choicePromptLabel", "exclamationPicture", "fallenCarPicture", "forbiddenButton", "nextButton",
                         "choiceArrowPictures(0)", "choiceArrowPictures(1)"}),
              "")
        << "each waits until it is due";
    EXPECT_EQ(h.ctl("heroineDicePictures(0)").spokenName() + "/" + h.ctl("heroineDicePictures(1)").spokenName(),
              "サイコロ1/サイコロ2");
    h.clickAnyway(F, "stopButtons(0)");
    h.advance(999ms);
    EXPECT_FALSE(h.on("diceTimers(0)")) << "a disabled STOP does nothing";
    h.advance(1ms + 45ms);
    EXPECT_EQ(h.die(0) + " " + h.die(1), "store/diceimg_2 store/diceimg_1");
    h.advance(22ms + 5 * 45ms);
    EXPECT_EQ(h.die(0) + " " + h.die(1), "store/diceimg_7 store/diceimg_5")
        << "die 1 turns every 67 ms; the seventh face shows nine pips";
    EXPECT_EQ(h.ctl("heroineDicePictures(0)").spokenName(), "サイコロ1") << "a rolling die keeps its name";
    h.press("heroineDicePictures(0)");
    EXPECT_FALSE(h.on("carMoveTimer")) << "a rolling die cannot be taken";
    h.advance(45ms);
    EXPECT_EQ(h.die(0), "store/diceimg_1");

    h.stop(0, 7);
    h.stop(1, 3);
    h.clickAnyway(F, "stopButtons(1)");
    EXPECT_EQ(h.die(1), "store/diceimg_3") << "a stopped die stays stopped";
    for (auto [after, shown] :
         {std::pair{999ms, false}, std::pair{1ms, true}, std::pair{1000ms, false}, std::pair{1000ms, true}}) {
        h.advance(after);
        EXPECT_EQ(h.shows("choicePromptLabel"), shown) << "Choice it blinks from a second after the second STOP";
    }
    h.press("heroineDicePictures(0)");
    EXPECT_FALSE(h.shows("choicePromptLabel") || h.on("choicePromptTimer")) << "and blinks no more";
    EXPECT_EQ(h.cap("squaresToGoLabel"), "9");
    EXPECT_EQ(h.ctl("heroineDicePictures(1)").spokenName(), "サイコロ2 3");
    EXPECT_EQ(h.said(),
              (std::vector<std::string>{"車を100マス目の崖から落とした方の負け。STOPで2つのサイコロを止め、進むサイコロを選ぶ",
                                        "サイコロ1は9", "サイコロ2は3。9と3、どちらで進む？", "9マス進む、のこり91マス"}));
    h.advance(150ms);
    EXPECT_EQ(h.cap("squaresToGoLabel"), "8");
    EXPECT_EQ(h.squaresLeft(), 99);
    EXPECT_EQ(h.left(F, "carPicture"), 72);
    EXPECT_EQ(h.left(F, "squaresToGoLabel"), 792) << "the count rides above the car";
    h.press("heroineDicePictures(1)");
    h.advance(8 * 150ms);
    EXPECT_EQ(h.squaresLeft(), 91) << "a second click chose nothing more";
    EXPECT_EQ(h.timersOn(), std::vector<std::string>{"opponentTurnTimer"}) << "the car stopped; the opponent is next";
}

TEST(RaceTo100, TheOpponentSpinsAtLeastItsTicksStopsOnItsTargetsAndTakesTheBetterDie) {
    Race h;
    h.heroMoves(7);                                   // 91 squares left: the opponent favours the nine pips
    h.script({Race::draw(100, 85), Race::draw(7, 2),  // die 0: any face, 3
              Race::draw(100, 10),                    // die 1: the favourite, nine pips
              Race::draw(7, 0), Race::draw(7, 6),     // spins of 7 and 13 ticks
              Race::draw(10000, Race::kNo66)});
    h.advance(1000ms);
    for (auto [die, face, ticks] : {std::tuple{0, 3, 7}, std::tuple{1, 7, 13}}) {
        int spun = 0;
        for (; h.on(ui::indexed("diceTimers", die)) && spun < 60000; ++spun) h.advance(1ms);
        EXPECT_GE(spun, ticks * 149) << "die " << die;
        EXPECT_EQ(spun % 149, 0) << "die " << die << " stops on a tick of its stop test";
        EXPECT_EQ(h.pic(ui::indexed("opponentDicePictures", die)), "store/diceimg_" + std::to_string(face));
    }
    EXPECT_EQ(h.die(0), "store/diceimg_7") << "her dice keep their faces";
    const auto arrows = [&] { return h.showing({"choiceArrowPictures(0)", "choiceArrowPictures(1)"}); };
    EXPECT_EQ(h.across(1000ms, arrows), Change("", "choiceArrowPictures(1)")) << "nine squares lead further than three";
    EXPECT_EQ(h.said().back(), "相手は3と9から9マス進む、のこり82マス");
    EXPECT_EQ(h.cap("squaresToGoLabel"), "9") << "the move it chose, before the car sets off";
    h.advance(150ms);
    EXPECT_EQ(arrows(), "") << "the arrow goes as the car moves";
    h.runMove();
    EXPECT_EQ(h.squaresLeft(), 82);
    EXPECT_EQ(h.across(1000ms, [&] { return h.herTurn(); }), std::pair(false, true)) << "her turn a second after the car stops";
    h.press("stopButtons(0)");
    EXPECT_FALSE(h.on("choicePromptTimer")) << "each turn needs both STOPs again";
}

// From the start to her turn with 5 squares left: the forbidden button's 66, then short moves.
void toFiveLeft(Race& h) {
    for (auto [hers, opponents] : {std::pair{0, 7}, std::pair{7, 7}, std::pair{1, 1}}) {
        h.heroMoves(hers);
        h.opponentMoves(opponents);
    }
    ASSERT_EQ(h.squaresLeft(), 5);
}

TEST(RaceTo100, TheEdgeStopsEveryMoveAndWhoeverReachesItLoses) {
    {
        Race h;
        toFiveLeft(h);
        h.heroMoves(7, false);
        h.advance(5 * 150ms);
        EXPECT_EQ(h.squaresLeft(), 0);
        EXPECT_EQ(h.cap("squaresToGoLabel"), "4") << "four squares were left over the edge";
        EXPECT_EQ(h.left(F, "carPicture"), 7200);
        EXPECT_EQ(h.timersOn(), std::vector<std::string>{"fallTimer"}) << "nobody moves after a fall";
        h.script({Race::draw(99, 76)});
        h.advance(1000ms);
        EXPECT_EQ(h.showing({"carPicture", "squaresToGoLabel", "exclamationPicture"}), "exclamationPicture");
        h.advance(1000ms);
        EXPECT_EQ(h.pic("verdictPicture"), "store/hanmark_0");
        EXPECT_FALSE(h.on("lossBannerTimer"));
        EXPECT_EQ(h.showing({"roadLine", "cliffLine", "exclamationPicture", "fallenCarPicture"}), "fallenCarPicture")
            << "the road goes with the banner; the fallen car stays";
        EXPECT_EQ(h.lastSaid(2),
                  (std::vector<std::string>{"9マス進む、転落する！", h.lostSaying(F, "あなたが落ちた。あなたの負け")}));
        h.advance(10s);
        EXPECT_FALSE(h.shows("nextButton"));
        h.close(F);
        EXPECT_TRUE(h.ended());
        EXPECT_TRUE(h.messageBoxes().empty());
    }
    {
        Race h;
        toFiveLeft(h);
        h.heroMoves(4);
        h.opponentMoves(1);  // from the last square any move lands on the edge
        EXPECT_EQ(h.left(F, "carPicture"), 7200);
        EXPECT_EQ(h.across(2000ms, [&] { return h.pic("verdictPicture") + (h.shows("nextButton") ? " and next" : ""); }),
                  Change("", "store/hanmark_1 and next"));
        EXPECT_EQ(h.said().back(), "相手が落ちた。あなたの勝ち！ NEXT AREAで先へ");
        EXPECT_FALSE(h.on("winBannerTimer"));
        EXPECT_EQ(h.showing({"exclamationPicture", "roadLine", "cliffLine"}), "");
        EXPECT_EQ(h.leave("nextButton"), h.next("nextButton"));
    }
}

TEST(RaceTo100, The66FaceComesByChanceOrByTheForbiddenButtonWhichSpoilsLaterTurnsExceptAt67Or68) {
    for (int draw : {37, 38}) {
        Race h(draw);
        h.advance(1000ms);
        h.press("stopButtons(0)");
        EXPECT_EQ(h.die(0) == "store/diceimg_8", draw < 38) << "38 in 10000, drawn " << draw;
    }
    // She reaches 67, 68 or 80 squares left; from then on her turns draw for the 66: 8507 of 10000
    // is still the 66 where the button spoiled the dice, 8508 is not.
    for (auto [at, opponents, hers, next] :
         {std::tuple{67, 6, 7, 100}, std::tuple{68, 5, 7, 100}, std::tuple{80, 1, 1, 8507}, std::tuple{80, 1, 1, 8508}}) {
        Race h;
        EXPECT_FALSE(h.shows("forbiddenButton"));
        h.heroMoves(7);
        h.opponentMoves(7);
        h.heroMoves(hers);
        h.opponentMoves(opponents, 100);
        ASSERT_EQ(h.squaresLeft(), at);
        h.heroMoves(0);
        EXPECT_EQ(h.die(1), "store/diceimg_8");
        EXPECT_EQ(h.squaresLeft(), at - 66);
        EXPECT_FALSE(h.live("forbiddenButton")) << "her first STOP put it away for the turn";
        h.opponentMoves(1, next);
        if (at == 67) {
            h.advance(2000ms);
            EXPECT_TRUE(h.shows("nextButton")) << "from the last square the opponent fell";
            continue;
        }
        EXPECT_TRUE(h.live("forbiddenButton"));
        h.press("stopButtons(0)");
        EXPECT_EQ(h.die(0) == "store/diceimg_8", at == 80 && next < 8508) << "a draw of " << next << " at " << at;
    }
}

TEST(RaceTo100, HerPortraitSlowsHerDiceForThisTurnOnlyAndNoFurtherThanItsBound) {
    Race h;
    h.press("opponentPicture");
    EXPECT_EQ(h.interval(1), 167);
    EXPECT_EQ(h.across(1000ms + 145ms, [&] { return h.die(0); }), Change("store/diceimg_1", "store/diceimg_2"));
    for (int i = 0; i < 30; ++i) h.press("opponentPicture");
    EXPECT_EQ(std::pair(h.interval(0), h.interval(1)), std::pair(45 + rules::kMaxSlowdown, 67 + rules::kMaxSlowdown));
    h.advance(944ms);
    h.press("opponentPicture");  // at the bound a click leaves the turning die alone
    h.advance(1ms);
    EXPECT_EQ(h.die(0), "store/diceimg_3");

    h.heroMoves(-1);
    EXPECT_EQ(h.interval(0), 45) << "the opponent's turn restores the dice";
    h.clickAnyway(F, "opponentPicture");
    EXPECT_EQ(h.interval(0), 45) << "and they cannot be slowed for the opponent";
    h.opponentMoves(3);
    EXPECT_TRUE(h.live("opponentPicture"));
    EXPECT_EQ(h.interval(1), 67);
    EXPECT_EQ(h.ctl("heroineDicePictures(0)").spokenName(), "サイコロ1")
        << "rolling again, named for itself, not for the face it stopped on last turn";
}

// She throws the car over with the forbidden button twice, and the one-in-99 draw arms the revival.
void loseWithRevival(Race& h) {
    h.heroMoves(0);
    h.opponentMoves(7);
    h.script({Race::draw(99, 77)});
    h.heroMoves(0);
    ASSERT_TRUE(h.falling());
    h.advance(1000ms);
}

// Each box stays open a second with the clock running, as on screen.
std::vector<std::string> closeUnderBoxes(Race& h) {
    std::vector<std::string> banners;
    h.whileBoxOpen = [&] { banners.push_back(h.pic("verdictPicture")); };
    const auto closedAt = h.clock().now();
    h.close(F);
    EXPECT_EQ(h.clock().now() - closedAt, 5000);
    return banners;
}

TEST(RaceTo100, ClosingAfterALossWithTheRareDrawRevivesHerAndTheOpponentFalls) {
    {
        Race h;
        loseWithRevival(h);
        h.advance(1000ms);
        ASSERT_EQ(h.pic("verdictPicture"), "store/hanmark_0");
        EXPECT_EQ(closeUnderBoxes(h), std::vector<std::string>(5, "store/hanmark_0"));
        const std::vector<std::pair<std::string, std::string>> boxes{{"力ずく", "乃々香「私はここで・・・負けられない！」"},
                                                                     {"力ずく", "ワールズ？「！？」"},
                                                                     {"力ずく", "乃々香「私の・・・１００％の力！！」"},
                                                                     {"力ずく", "乃々香「おおおおおお！」"},
                                                                     {"力ずく", "ワールズ？「車を１人で・・・持ち上げた！？」"}};
        EXPECT_EQ(h.messageBoxes(), boxes);
        EXPECT_EQ(h.openForms(), std::vector<std::string>{F});
        EXPECT_FALSE(h.app().extraLoaded("sozai")) << "the store goes even though the window stays";
        EXPECT_EQ(h.pic("verdictPicture"), "");
        EXPECT_EQ(
            h.showing({"roadLine", "cliffLine", "exclamationPicture", "fallenCarPicture", "carPicture", "squaresToGoLabel"}),
            "roadLine cliffLine carPicture squaresToGoLabel")
            << "the cliff is back, the exclamation gone, the count rides with the car again";
        EXPECT_EQ(h.left(F, "carPicture"), 99 * 72);
        EXPECT_EQ(h.cap("squaresLeftLabel"), "1");
        EXPECT_EQ(h.cap("squaresToGoLabel") + " at " + std::to_string(h.left(F, "squaresToGoLabel")),
                  "0 at " + std::to_string(99 * 72 + 720))
            << "at rest, above the car";
        h.opponentMoves(4);  // her dice held 66: the opponent's must roll from 1 all the same
        h.advance(2000ms);
        EXPECT_EQ(h.leave("nextButton"), h.next("nextButton"));
    }
    {
        Race h;
        loseWithRevival(h);
        EXPECT_EQ(closeUnderBoxes(h), std::vector<std::string>(5, "")) << "the banner due under the first box never comes";
        EXPECT_FALSE(h.shows("exclamationPicture")) << "the revival takes the exclamation away";
        h.opponentMoves(1);
        EXPECT_EQ(h.pic("verdictPicture"), "") << "the losing banner never came";
        h.advance(2000ms);
        EXPECT_TRUE(h.shows("nextButton"));
        h.close(F);
        EXPECT_TRUE(h.ended()) << "one revival only: the next close ends the program";
        EXPECT_EQ(h.messageBoxes().size(), 5u);
    }
}

TEST(RaceTo100, EveryCaptionFitsItsLabelAtItsWidest) {
    Race h;
    static_cast<ui::Label&>(h.ctl("squaresToGoLabel")).setCaption("66");
    for (const char* name : {"untilFallLabel", "squaresLeftLabel", "squaresUnitLabel", "squaresToGoLabel", "choicePromptLabel"})
        EXPECT_TRUE(h.fits(name)) << name << " \"" << h.cap(name) << "\"";
    // The squares left are the road's big figure: the gothic at 48 points, narrowed to fit.
    const ui::Font& big = static_cast<ui::Label&>(h.ctl("squaresLeftLabel")).font();
    EXPECT_EQ(std::tuple(big.face, big.points, big.stretch), std::tuple(std::string(ui::kGothicFace), 48.0, 84));
}

}  // namespace

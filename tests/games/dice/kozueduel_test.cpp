#include <gtest/gtest.h>

#include <Qt>

#include <map>

#include "games/dice/duelscript.h"

namespace {

using namespace dice_testing;
using Forms = std::vector<std::string>;

TEST(KozueDuel, TwoPerfectThrowsWinTheMatchTwoNil) {
    Draws d;
    d.line(0).dice(2, 2, 5).gauge(5).perfect();  // a pair with a 5 against three sixes
    d.line(4).dice(3, 3, 1).gauge(5).perfect();
    Duel h("tintiro1", d);
    EXPECT_EQ(h.pic("throwsLeftPicture"), "store/numberimg_3") << "kThrowsPerTurn, in dicerules.h";
    // Named before they show, for a listener: whose each star and result is.
    for (const auto& [control, name] :
         std::map<std::string, std::string>{{"opponentStarPictures(0)", "シルバー・ファントムの星1つ目"},
                                            {"heroineStarPictures(1)", "乃々香の星2つ目"},
                                            {"opponentResultPicture", "シルバー・ファントムの結果"},
                                            {"heroineResultPicture", "乃々香の結果"},
                                            {"throwsLeftPicture", "あと3回"},
                                            {"powerGauge", "投げる力のゲージ"}})
        EXPECT_EQ(h.ctl(control).spokenName(), name) << control;
    EXPECT_EQ(h.cap("throwsLeftLabels(0)") + h.cap("throwsLeftLabels(1)"), "あとかい");
    EXPECT_EQ(h.across(1000ms, [&] { return h.cap("opponentLineLabel"); }), Change("", "乃々香には負けない！"));
    const auto line = [&] { return h.showing({"opponentLineLabel", "dicePictures(0)", "dicePictures(1)", "dicePictures(2)"}); };
    EXPECT_EQ(line(), "opponentLineLabel");
    h.advance(kThrowAfterLine);
    EXPECT_EQ(line(), "dicePictures(0) dicePictures(1) dicePictures(2)") << "her line goes when she throws, her dice appear";
    h.advance(rollOf(7));
    EXPECT_EQ(h.dice(), "225");
    EXPECT_TRUE(h.on("turnChangeTimer"));

    h.advance(kTurnChange);
    EXPECT_EQ(h.dice("smallDicePictures"), "114") << "her dice, small, while the heroine throws";
    EXPECT_EQ(h.showing({"dicePictures(0)", "powerGauge"}), "powerGauge");
    EXPECT_EQ(h.width(h.f, "powerGauge"), 6000) << "the bar keeps its width until the first tick";
    h.advance(5 * kGaugeTick);
    EXPECT_EQ(h.width(h.f, "powerGauge"), 3000);
    h.press("throwButton");
    EXPECT_TRUE(h.shows("exclamationPicture") && !h.live("throwButton")) << "the exclamation of a perfect throw";
    h.clickAnyway(h.f, "throwButton");
    h.advance(rollOf(7));
    EXPECT_EQ(h.dice(), "666");
    EXPECT_FALSE(h.shows("powerGauge"));
    EXPECT_EQ(h.showsAcross(300ms, "exclamationPicture"), std::pair(true, false)) << "for one second";
    EXPECT_EQ(h.pic("heroineResultPicture"), "");
    h.advance(700ms);
    EXPECT_EQ(h.pic("heroineResultPicture") + " " + h.pic("opponentResultPicture"), "store/minimark_0 store/minimark_1");
    EXPECT_TRUE(h.shows("heroineStarPictures(0)"));
    EXPECT_EQ(h.ctl("heroineResultPicture").spokenName() + "/" + h.ctl("opponentResultPicture").spokenName(),
              "乃々香の結果 勝ち/シルバー・ファントムの結果 負け");

    h.advance(kNextBout);
    EXPECT_EQ(h.ctl("heroineResultPicture").spokenName(), "乃々香の結果");
    EXPECT_EQ(h.pic("heroineResultPicture") + h.dice("smallDicePictures"), "---") << "the next bout clears the table";
    EXPECT_EQ(line(), "");
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "私に勝てるかな？") << "four in ten or more";
    EXPECT_EQ(line(), "opponentLineLabel");
    h.advance(kThrowAfterLine + rollOf(7) + kTurnChange);
    h.heroineThrows(5);
    EXPECT_EQ(h.width(h.f, "powerGauge"), 3000) << "each turn's gauge starts empty";
    h.advance(kJudgement);
    EXPECT_TRUE(h.shows("heroineStarPictures(1)")) << "the second star before the match end";
    EXPECT_EQ(std::pair(h.top("heroineStarPictures(0)"), h.top("heroineStarPictures(1)")), std::pair(6000, 5400));
    EXPECT_TRUE(h.shows("dicePictures(0)"));
    EXPECT_EQ(h.picAcross(1000ms, "bannerPicture"), Change("", "store/hanmark_1"));
    EXPECT_EQ(h.showing({"opponentPicture", "opponentNameLabel", "dicePictures(2)", "smallDicePictures(1)",
                         "opponentResultPicture", "heroineResultPicture", "heroinePicture", "heroineNameLabel",
                         "heroineStarPictures(0)", "heroineStarPictures(1)", "nextButton"}),
              "heroinePicture heroineNameLabel heroineStarPictures(0) heroineStarPictures(1) nextButton");
    EXPECT_EQ(h.timersOn(), Forms{});
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    EXPECT_EQ(h.said(),
              (Forms{"先に2勝したほうの勝ち、シルバー・ファントムが先に投げる", "シルバー・ファントム「乃々香には負けない！」",
                     "シルバー・ファントム、2、2、5、5の目", "乃々香の番、スペースで投げる", "乃々香、6、6、6、6のゾロ目",
                     "乃々香の勝ち、乃々香1勝、シルバー・ファントム0勝", "シルバー・ファントム「私に勝てるかな？」",
                     "シルバー・ファントム、3、3、1、1の目", "乃々香の番、スペースで投げる", "乃々香、6、6、6、6のゾロ目",
                     "乃々香の勝ち、乃々香2勝、シルバー・ファントム0勝", "勝負あり、乃々香の勝ち、NEXT BUTTLEで次へ"}));
    EXPECT_EQ(h.leave("nextButton"), h.next("nextButton"));
}

TEST(KozueDuel, ALostMatchStopsOnTheBannerAndOnlyClosingGoesOn) {
    Draws d;
    d.line(0).dice(6, 6, 6).feeble(1, 1, 1);        // 1-1-1 is a hand, the weakest
    d.line(3).dice(1, 2, 4).line(8).dice(5, 5, 5);  // her second throw, with no line
    d.feeble(2, 3, 1);                              // 1-2-3
    Duel h("tintiro1", d);
    h.oppThrows();
    h.advance(kTurnChange);
    h.press("throwButton");  // before the first tick: the gauge reads 0
    h.advance(rollOf(7));
    EXPECT_EQ(h.dice(), "111");
    EXPECT_TRUE(h.on("judgementTimer") && !h.shows("throwButton")) << "1-1-1 ends her turn at once";
    EXPECT_EQ(h.pic("throwsLeftPicture"), "store/numberimg_3");
    h.advance(kJudgement);
    EXPECT_EQ(h.pic("opponentResultPicture") + " " + h.showing({"opponentStarPictures(0)"}),
              "store/minimark_0 opponentStarPictures(0)");

    h.advance(kNextBout + kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "決めにいくわよ！") << "she has one bout";
    h.advance(kThrowAfterLine + rollOf(7));
    EXPECT_EQ(h.pic("throwsLeftPicture") + (h.on("opponentWaitTimer") ? " again" : ""), "store/numberimg_2 again")
        << "no hand: she throws again";
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "") << "two times in ten the second throw has no line";
    h.advance(kThrowAfterLine + rollOf(7) + kTurnChange);
    EXPECT_FALSE(h.shows("opponentLineLabel"));
    h.press("throwButton");
    h.advance(rollOf(7) + kJudgement);
    EXPECT_TRUE(h.shows("opponentStarPictures(1)"));
    EXPECT_EQ(std::pair(h.top("opponentStarPictures(0)"), h.top("opponentStarPictures(1)")), std::pair(600, 1080));
    h.advance(1000ms);
    EXPECT_EQ(h.pic("bannerPicture"), "store/hanmark_0");
    EXPECT_EQ(h.timersOn(), Forms{});
    EXPECT_EQ(h.showing({"heroinePicture", "heroineNameLabel", "dicePictures(0)", "smallDicePictures(0)", "opponentResultPicture",
                         "nextButton", "opponentPicture"}),
              "opponentPicture");
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    EXPECT_EQ(h.lastSaid(6), (Forms{"シルバー・ファントム、1、2、4、目なし、あと2回", "シルバー・ファントム、5、5、5、5のゾロ目",
                                    "乃々香の番、スペースで投げる", "乃々香、2、3、1、ヒフミ",
                                    "シルバー・ファントムの勝ち、乃々香0勝、シルバー・ファントム2勝",
                                    h.lostSaying(h.f, "勝負あり、シルバー・ファントムの勝ち、乃々香の負け")}))
        << "her line-less throw says nothing before it";
    h.close(h.f);
    EXPECT_TRUE(h.ended());
    EXPECT_TRUE(h.app().nothingLoaded());
}

TEST(KozueDuel, NoHandAgainstNoHandIsADrawnBoutReplayed) {
    Draws d;
    d.line(0).dice(1, 2, 4).line(7).dice(2, 3, 5).line(9).dice(1, 3, 6);
    d.gauge(2).dice(1, 2, 4).gauge(1).dice(2, 3, 5).dice(1, 3, 6);  // fair dice from 1000 on
    d.line(3).dice(1, 2, 4).line(9).dice(2, 3, 5).line(8);          // the bout again
    Duel h("tintiro1", d);
    h.key(h.f, Qt::Key_Space, " ");  // only her turn throws on Space
    h.oppThrows();
    EXPECT_EQ(h.pic("throwsLeftPicture"), "store/numberimg_2");
    EXPECT_EQ(h.ctl("throwsLeftPicture").spokenName(), "あと2回");
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "負けられないんだから！");
    h.advance(kThrowAfterLine + rollOf(7));
    EXPECT_EQ(h.pic("throwsLeftPicture"), "store/numberimg_1");
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "") << "one time in ten the last throw has no plea";
    h.advance(kThrowAfterLine + rollOf(7));
    EXPECT_TRUE(h.on("turnChangeTimer")) << "three throws without a hand";
    EXPECT_EQ(h.pic("throwsLeftPicture"), "store/numberimg_1");

    h.advance(kTurnChange);
    EXPECT_EQ(h.pic("throwsLeftPicture"), "store/numberimg_3");
    EXPECT_EQ(h.ctl("throwsLeftPicture").spokenName(), "あと3回");
    h.heroineThrows(2);
    EXPECT_EQ(h.pic("throwsLeftPicture"), "store/numberimg_2");
    EXPECT_EQ(h.width(h.f, "powerGauge"), 1200);
    h.advance(kGaugeTick);
    EXPECT_EQ(h.width(h.f, "powerGauge"), 1800) << "the gauge goes on from where she stopped it";
    h.key(h.f, Qt::Key_A, "a");
    EXPECT_TRUE(h.on("gaugeTimer")) << "no other key throws";
    h.key(h.f, Qt::Key_Space, " ");  // the button gave the focus up at her first throw
    h.advance(rollOf(7));
    h.heroineThrows(0);
    EXPECT_EQ(h.dice(), "136");
    h.advance(kJudgement);
    EXPECT_EQ(h.pic("heroineResultPicture") + " " + h.pic("opponentResultPicture"), "store/minimark_2 store/minimark_2");
    EXPECT_EQ(h.ctl("heroineResultPicture").spokenName(), "乃々香の結果 引き分け");
    EXPECT_EQ(h.said().back(), "引き分け、もう一度");
    EXPECT_EQ(h.said().at(5), "シルバー・ファントム、1、3、6、目なし") << "no hand after her third throw";
    for (const char* star : {"opponentStarPictures(0)", "heroineStarPictures(0)"}) EXPECT_FALSE(h.shows(star)) << star;
    h.advance(kNextBout);
    EXPECT_EQ(h.pic("opponentResultPicture"), "");
    EXPECT_EQ(h.ctl("throwsLeftPicture").spokenName(), "あと3回");
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "乃々香には負けない！") << "the bout is played again, still at nil";
    h.advance(kThrowAfterLine + rollOf(7) + kLineIn + kThrowAfterLine + rollOf(7) + kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "お願い・・・目がでて・・・") << "eight times in ten the last throw has its plea";
    EXPECT_EQ(h.random().scriptLeft(), 0u);
}

// Outside duel B's one armed state, a close at any moment ends the program, and nothing ticks after.
TEST(Duels, ClosingTheWindowInAnyStateEndsTheProgram) {
    for (const char* f : {"tintiro1", "tintiro2"}) {
        for (auto at : {0ms, 1500ms, 3300ms, 6000ms, 7000ms, 20000ms}) {
            SceneHarness h;
            h.random().useSeed(3);
            int lateTicks = 0;
            h.clock().onDeliver = [&](const ui::Timer& t) { lateTicks += t.killed(); };
            h.open(f);
            for (auto t = 0ms; t < at; t += 100ms) {
                h.advance(100ms);
                if (h.visible(f, "throwButton") && h.enabled(f, "throwButton")) h.click(f, "throwButton");
            }
            h.close(f);
            EXPECT_TRUE(h.ended()) << f << " at " << at.count();
            EXPECT_TRUE(h.app().nothingLoaded());
            h.advance(10s);
            EXPECT_EQ(lateTicks, 0);
        }
    }
}

}  // namespace

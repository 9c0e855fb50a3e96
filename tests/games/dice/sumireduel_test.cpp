#include <gtest/gtest.h>

#include "games/dice/duelscript.h"
#include "support/keyboard.h"
#include "ui/messagebox.h"
#include "ui/qt/access.h"

namespace {

using namespace dice_testing;
using Forms = std::vector<std::string>;
using Boxes = std::vector<std::pair<std::string, std::string>>;

constexpr double kCheats = 0.0;  // the load's draw: r = 0, loaded dice
double fair() { return Draws::draw(9, 7); }

TEST(SumireDuel, LoadedDiceAlwaysMakeAHandOnHerFirstThrowInSixFramesAndSheGrins) {
    Draws d;
    d.add(kCheats).line(3).loaded(6, 6, 6).feeble(1, 1, 1);
    Duel h("tintiro2", d);
    EXPECT_EQ(h.dice(), "456") << "the dice wait showing 4, 5 and 6";
    EXPECT_FALSE(h.shows("caughtCheatingButton"));
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "ニヤリ。負けないよ！");
    h.advance(kThrowAfterLine);
    EXPECT_EQ(h.cap("opponentLineLabel"), "");
    EXPECT_TRUE(h.shows("opponentLineLabel")) << "her label stays, empty";
    h.advance(100ms);
    EXPECT_EQ(h.dice(), "444") << "her rolling faces are loaded too";
    EXPECT_EQ(h.across(500ms, [&] { return h.on("turnChangeTimer"); }), std::pair(false, true))
        << "six frames, and her turn is over";
    EXPECT_EQ(h.dice() + " " + h.pic("throwsLeftPicture"), "666 store/numberimg_3");
    h.advance(kTurnChange);
    EXPECT_EQ(h.cap("opponentLineLabel"), "☆☆ニヤリ☆☆");
    h.press("throwButton");
    h.advance(100ms);
    EXPECT_EQ(h.dice(), "111") << "the heroine's rolling faces are fair";
    EXPECT_EQ(h.across(900ms, [&] { return h.cap("opponentLineLabel"); }), Change("☆☆ニヤリ☆☆", ""))
        << "cleared a second after the turn change";
    h.advance(700ms);
    EXPECT_TRUE(h.shows("opponentStarPictures(0)"));
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    EXPECT_EQ(h.said(), (Forms{"先に2勝したほうの勝ち、スミレ・デ・ワールズが先に投げる",
                               "スミレ・デ・ワールズ「ニヤリ。負けないよ！」", "スミレ・デ・ワールズ、6、6、6、6のゾロ目",
                               "スミレ・デ・ワールズ「☆☆ニヤリ☆☆」、乃々香の番、スペースで投げる", "乃々香、1、1、1、ピンゾロ",
                               "スミレ・デ・ワールズの勝ち、乃々香0勝、スミレ・デ・ワールズ1勝"}))
        << "her grin and the turn in one sentence";
}

TEST(SumireDuel, AFairFirstBoutThenLoadedDiceEvenAfterADraw) {
    Draws d;
    d.add(fair()).line(0).dice(1, 2, 4).line(4).dice(2, 3, 5).line(5).dice(1, 3, 6);
    d.gauge(4, 2).dice(1, 2, 4).dice(2, 3, 5).dice(1, 3, 6);  // 3600: fair dice
    d.line(4).loaded(6, 4, 6);                                // a pair of sixes and a 4
    Duel h("tintiro2", d);
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "ニヤリ。負けないよ！");
    h.advance(kThrowAfterLine + rollOf(7));
    EXPECT_TRUE(h.on("opponentWaitTimer")) << "playing fair, she can miss and throw again";
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "おね・・あ、乃々香さんには負けないんだから。");
    h.advance(kThrowAfterLine + rollOf(7) + kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "お願いっ・・・");
    h.advance(kThrowAfterLine + rollOf(7) + kTurnChange);
    EXPECT_EQ(h.cap("opponentLineLabel"), "") << "no grin after no hand";
    h.heroineThrows(4);
    h.heroineThrows(0);
    h.heroineThrows(0);
    h.advance(kJudgement);
    EXPECT_EQ(h.pic("heroineResultPicture"), "store/minimark_2");
    h.advance(kNextBout);
    EXPECT_EQ(h.dice(), "444") << "the next bout's dice wait showing fours";
    h.advance(kLineIn);
    EXPECT_EQ(h.cap("opponentLineLabel"), "私はつよいんだよ！") << "she cheats from the second bout on";
    h.advance(kThrowAfterLine);
    EXPECT_EQ(h.dice(), "444") << "shown as they are until the first frame";
    h.advance(600ms + kTurnChange);
    EXPECT_EQ(h.dice("smallDicePictures") + h.cap("opponentLineLabel"), "535") << "a pair with a 4 earns no grin";
    EXPECT_EQ(h.random().scriptLeft(), 0u);
}

// Two lost bouts; the last draw decides whether closing the window exposes her.
Draws lostMatch(int exposureDraw) {
    Draws d;
    d.add(kCheats).line(0).loaded(6, 6, 6).feeble(1, 1, 1);
    d.line(0).loaded(5, 5, 5).feeble(1, 1, 1);
    return d.add(Draws::draw(99, exposureDraw));
}

void playLostMatch(Duel& h) {
    for (int bout = 0; bout < 2; ++bout) {
        h.advance(kLineIn + kThrowAfterLine + 600ms + kTurnChange);
        h.press("throwButton");
        h.advance(rollOf(7) + kJudgement);
        if (bout == 0) h.advance(kNextBout);
    }
}

const Boxes& exposure() {
    static const Boxes kBoxes{
        {"いかさま発覚", "乃々香「ワールズさん、【ずる】したよね？」"},
        {"いかさま発覚", "ワールズ？「！！」"},
        {"いかさま発覚", "乃々香「なんかおかしいなっておもったんだ」"},
        {"いかさま発覚", "乃々香「見てたんだけど、今のサイコロ４と５と６しかないよね？」"},
        {"いかさま発覚", "乃々香「違うなら見せてみて・・・」"},
        {"いかさま発覚", "乃々香「・・・？いかさまなのかな？」"},
        {"いかさま発覚", "ワールズ？「・・・ごめんなさい・・・」"},
    };
    return kBoxes;
}

// Only the draw of 77 at her match win arms the exposure: a close then runs it, once, even in the
// second before her banner, and the match becomes the heroine's. Each box stays open a second with
// the clock running, as on screen: her banner, due under the first box, must never show.
TEST(SumireDuel, OnlyAnArmedLossTurnsTheCloseIntoTheExposure) {
    enum Way { Unarmed, ThenNextArea, ThenCloseAgain, BeforeHerBanner };
    for (Way way : {Unarmed, ThenNextArea, ThenCloseAgain, BeforeHerBanner}) {
        Duel h("tintiro2", lostMatch(way == Unarmed ? 76 : 77));
        playLostMatch(h);
        h.advance(way == BeforeHerBanner ? 500ms : 6s);
        EXPECT_EQ(h.pic("bannerPicture"), way == BeforeHerBanner ? "" : "store/hanmark_0");
        std::vector<std::string> seen;  // under the boxes
        h.whileBoxOpen = [&] { seen.push_back(h.pic("bannerPicture") + (h.shows("heroinePicture") ? "" : " alone")); };
        const auto closedAt = h.clock().now();
        h.close(h.f);
        if (way == Unarmed) {
            EXPECT_TRUE(h.ended());
            EXPECT_TRUE(h.messageBoxes().empty());
            EXPECT_TRUE(h.app().nothingLoaded());
            continue;
        }
        EXPECT_EQ(h.openForms(), Forms{"tintiro2"}) << "the window stays";
        EXPECT_TRUE(h.app().extraLoaded("sozai")) << "and so does the picture store";
        EXPECT_EQ(h.messageBoxes(), exposure());
        EXPECT_EQ(h.clock().now() - closedAt, 7000);
        EXPECT_EQ(seen, std::vector<std::string>(7, way == BeforeHerBanner ? "" : "store/hanmark_0 alone"))
            << "her banner never comes";
        EXPECT_EQ(h.picAcross(1000ms, "bannerPicture"),
                  Change(way == BeforeHerBanner ? "" : "store/hanmark_0", "store/hanmark_1"))
            << "her banner never comes";
        EXPECT_EQ(h.lastSaid(3),
                  (Forms{way == BeforeHerBanner ? "スミレ・デ・ワールズの勝ち、乃々香0勝、スミレ・デ・ワールズ2勝"
                                                : h.lostSaying(h.f, "勝負あり、スミレ・デ・ワールズの勝ち、乃々香の負け"),
                         "いかさま発覚、勝負は乃々香のもの", "勝負あり、乃々香の勝ち、NEXT AREAで次へ"}));
        EXPECT_EQ(
            h.showing({"heroinePicture", "heroineNameLabel", "opponentStarPictures(0)", "opponentStarPictures(1)",
                       "caughtCheatingButton", "opponentPicture", "opponentNameLabel", "nextButton", "heroineStarPictures(0)"}),
            "heroinePicture heroineNameLabel opponentStarPictures(0) opponentStarPictures(1) caughtCheatingButton");
        EXPECT_EQ(h.timersOn(), Forms{});
        EXPECT_EQ(h.random().scriptLeft(), 0u);
        if (way == ThenCloseAgain) {
            h.close(h.f);
            EXPECT_TRUE(h.ended()) << "the exposure runs once";
            EXPECT_EQ(h.messageBoxes().size(), 7u);
        } else if (way == ThenNextArea) {
            EXPECT_EQ(h.leave("caughtCheatingButton"), h.next("caughtCheatingButton"));
        }
    }
}

TEST(SumireDuel, TheMiddleSmallDieSlowsTheGaugeUpToATickUnderASecond) {
    Draws d;
    d.add(kCheats).line(0).loaded(4, 4, 4).gauge(2);
    Duel h("tintiro2", d);
    for (int i = 0; i < 3; ++i) h.press("smallDicePictures(1)");  // clicks count in every state
    h.press("smallDicePictures(0)");
    h.press("smallDicePictures(2)");
    EXPECT_EQ(h.timerInterval("tintiro2", "gaugeTimer"), 105);
    const auto gauge = [&] { return h.width(h.f, "powerGauge"); };
    h.advance(kLineIn + kThrowAfterLine + 600ms + kTurnChange);
    EXPECT_EQ(h.across(105ms, gauge), std::pair(6000, 600));
    h.press("smallDicePictures(1)");
    EXPECT_EQ(h.timerInterval("tintiro2", "gaugeTimer"), 120);
    EXPECT_EQ(h.across(120ms, gauge), std::pair(600, 1200)) << "the slower tick starts afresh";
    for (int i = 0; i < 100; ++i) h.press("smallDicePictures(1)");
    EXPECT_EQ(h.timerInterval("tintiro2", "gaugeTimer"), 960) << "sixty clicks at most";
    EXPECT_EQ(h.random().scriptLeft(), 0u);
}

// Her longest lines are drawn whole inside their label (the captions laid out are the chain test's).
TEST(Duels, TheLongestLinesFitTheirLabel) {
    const std::vector<std::pair<const char*, std::vector<std::string>>> duels{
        {"tintiro1", {"お願い・・・目がでて・・・", "負けられないんだから！", "乃々香には負けない！"}},
        {"tintiro2", {"おね・・あ、乃々香さんには負けないんだから。", "ニヤリ。負けないよ！", "☆☆ニヤリ☆☆"}},
    };
    for (const auto& [form, lines] : duels) {
        testing_support::OpenForm h(form);
        for (const auto& line : lines) {
            static_cast<ui::Label&>(h.ctl("opponentLineLabel")).setCaption(line);
            EXPECT_TRUE(h.fits("opponentLineLabel")) << line;
        }
    }
}

// The real boxes, not the recorder: each opens over the duel's window, centred on it.
TEST(SumireDuel, TheExposureBoxesOpenCentredOnTheDuel) {
    Duel h("tintiro2", lostMatch(77));
    playLostMatch(h);
    h.advance(6s);
    ui::setMessageBoxHandler(nullptr);
    QWidget* duel = ui::qt::windowOf(h.form("tintiro2"));
    std::vector<QPoint> offsets;
    const testing_support::BoxAnswerer answer(
        [&](QWidget& box) { offsets.push_back(box.frameGeometry().center() - duel->frameGeometry().center()); });
    h.close(h.f);
    ASSERT_EQ(offsets.size(), exposure().size());
    for (QPoint off : offsets) EXPECT_LE(off.manhattanLength(), 2) << off.x() << ", " << off.y();
}

}  // namespace

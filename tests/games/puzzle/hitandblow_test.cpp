#include <gtest/gtest.h>

#include <set>

#include "games/puzzle/hitandblowrules.h"
#include "support/harness.h"
#include "support/play.h"
#include "ui/image.h"
#include "ui/label.h"

namespace {

using namespace std::chrono_literals;
using namespace games::hitandblowrules;

TEST(HitAndBlowRules, EachSecretDigitCountsOnce) {
    const Digits secret{1, 2, 3, 4};
    struct Case {
        Digits guess;
        short hits, blows;
    };
    for (const auto& c : {Case{{1, 2, 3, 4}, 4, 0}, Case{{4, 3, 2, 1}, 0, 4}, Case{{1, 1, 1, 1}, 1, 0}, Case{{2, 1, 1, 1}, 0, 2},
                          Case{{5, 6, 7, 8}, 0, 0}, Case{{1, 3, 2, 9}, 1, 2}}) {
        const Judgement j = judge(c.guess, secret);
        EXPECT_EQ(std::pair(j.hits, j.blows), std::pair(c.hits, c.blows)) << c.guess[0] << c.guess[1] << c.guess[2] << c.guess[3];
    }
    using assets::Mark;
    EXPECT_EQ(sortedMarks({1, 2}), (Marks{Mark::Hit, Mark::Blow, Mark::Blow, Mark::None}));
    EXPECT_EQ(sortedMarks({0, 0}), Marks{});
    EXPECT_EQ(outcome({4, 0}, 0), Outcome::Opened) << "the last try may open it";
    EXPECT_EQ(outcome({3, 1}, 0), Outcome::StaysShut);
    EXPECT_EQ(outcome({3, 1}, 1), Outcome::GoOn);
}

TEST(HitAndBlowRules, TheSecretNeverRepeatsADigitAndMayStartWithZero) {
    app::Random r;
    bool leadingZero = false;
    for (std::uint64_t seed = 0; seed < 2000; ++seed) {
        r.useSeed(seed);
        const Digits s = drawSecret(r);
        EXPECT_EQ(std::set<short>(s.begin(), s.end()).size(), 4u) << "seed " << seed;
        for (short d : s) ASSERT_TRUE(d >= 0 && d <= 9);
        leadingZero |= s[0] == 0;
    }
    EXPECT_TRUE(leadingZero);
}

// The scene with its secret fixed to 1 2 3 4 by the ten shuffle draws.
struct LockHarness : testing_support::FormHarness {
    LockHarness() : FormHarness("Hitandblow") {
        random().useScript({0.1, 0.2, 0.3, 0.4, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9});
        open();
    }
    // A roulette of 11 ticks: the length draw, then two draws per frame.
    void scriptRoulette() {
        random().addScript({0.0});
        // One ☆ in every frame but the second, ☆☆★★; unlike any truth, and each frame starts blank.
        for (int i = 0; i < 11; ++i) random().addScript({i == 1 ? 0.99 : 0.0, i == 1 ? 0.5 : 0.99});
    }
    void tryGuess(const std::string& digits) {
        scriptRoulette();
        testing_support::tryHitAndBlow(*this, digits);
    }
    std::string row(const char* array, int from, int n) {  // pictures or captions, a space between
        std::string out;
        for (int i = from; i < from + n; ++i) {
            const std::string c = ui::indexed(array, i);
            out += (i > from ? " " : "") + (dynamic_cast<ui::Image*>(&ctl(c)) ? pic(c) : cap(c));
        }
        return out;
    }
};

TEST(HitAndBlow, TheDialsWrapBothWays) {
    LockHarness h;
    h.press("dialDownButtons(0)");
    EXPECT_EQ(h.pic("dialPictures(0)"), "store/numberimg_9");
    h.press("dialUpButtons(0)");
    EXPECT_EQ(h.pic("dialPictures(0)"), "store/numberimg_0");
    for (int i = 0; i < 7; ++i) h.press("dialUpButtons(3)");
    EXPECT_EQ(h.pic("dialPictures(3)"), "store/numberimg_0");
    EXPECT_EQ(h.row("secretDigitLabels", 0, 4), "1 2 3 4");
}

TEST(HitAndBlow, TheRouletteRollsElevenTicksThenShowsTheMarksAndRecordsTwoSecondsLater) {
    LockHarness h;
    const auto judged = [&] {
        std::vector<std::string> all;
        for (const char* array : {"markPictures", "guessPictures"})
            for (int i = 0; i < 4; ++i) all.push_back(ui::indexed(array, i));
        return h.showing(all);
    };
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(h.showing({ui::indexed("historyGuessLabels", k), ui::indexed("historyHitLabels", k),
                             ui::indexed("historyBlowLabels", k)}),
                  "");
    EXPECT_EQ(judged(), "");
    h.advance(1ms);  // the window shows: what to do is said
    h.scriptRoulette();
    for (int i = 0; i < 4; ++i)  // dial 4 3 2 1 from 0 1 2 3
        for (int n = 0; n < (10 + (4 - i) - i) % 10; ++n) h.press(ui::indexed("dialUpButtons", i));
    EXPECT_EQ(h.said().front(), "4桁の番号を当てる。上下キーで数字を回し、左右キーで桁を移る。南京錠で試す。のこり7回");
    EXPECT_EQ(h.said().back(), "4桁目 1") << "each turn says its dial's new digit";
    h.forgetSpoken();
    h.press("padlockPicture");
    EXPECT_EQ(h.showing({"padlockPicture", "promptPicture"}), "") << "the padlock is put away while rolling";
    EXPECT_FALSE(h.live("dialUpButtons(0)") || h.live("dialDownButtons(3)"));
    EXPECT_EQ(h.pic("guessPictures(0)"), "store/sysnumberimg_4");
    EXPECT_EQ(judged(),
              "markPictures(0) markPictures(1) markPictures(2) markPictures(3) guessPictures(0) "
              "guessPictures(1) guessPictures(2) guessPictures(3)");
    EXPECT_EQ(h.pic("markPictures(0)"), "");
    h.advance(200ms);
    EXPECT_EQ(h.row("markPictures", 0, 2), "store/star_1 ") << "a random frame";
    h.advance(200ms);
    EXPECT_EQ(h.row("markPictures", 1, 3), "store/star_1 store/star_2 store/star_2") << "the second frame, ☆☆★★";
    h.advance(1600ms);
    EXPECT_EQ(h.pic("markPictures(3)"), "");
    h.advance(200ms);  // the eleventh tick shows the truth: 4321 against 1234 is four ★
    EXPECT_EQ(h.row("markPictures", 0, 4), "store/star_2 store/star_2 store/star_2 store/star_2");
    EXPECT_EQ(h.said(), std::vector<std::string>{"4321、ヒット0、ブロー4、のこり6回"})
        << "the result once, when the roulette stops, never its frames";
    EXPECT_EQ(h.showsAcross(2000ms, "historyGuessLabels(6)"), std::pair(false, true));
    EXPECT_EQ(h.cap("historyGuessLabels(6)") + " " + h.cap("historyHitLabels(6)") + " " + h.cap("historyBlowLabels(6)"),
              "4321 0 4");
    EXPECT_EQ(h.showing({"historyBlowLabels(6)", "padlockPicture", "promptPicture"}),
              "historyBlowLabels(6) padlockPicture promptPicture");
    EXPECT_EQ(h.pic("triesLeftPicture"), "store/sysnumberimg_6");
    EXPECT_TRUE(h.live("dialUpButtons(0)") && h.live("dialDownButtons(3)"));
    EXPECT_EQ(judged(), "") << "the marks and the guess go into the history";
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    h.scriptRoulette();
    h.press("padlockPicture");
    EXPECT_EQ(h.pic("markPictures(0)"), "") << "the next try's marks start blank";
}

// Won or lost, the dials and the check button go.
void expectDialAway(LockHarness& h) {
    EXPECT_FALSE(h.shows("padlockPicture"));
    for (const char* dial : {"dialUpButtons", "dialDownButtons", "dialPictures"})
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(h.shows(ui::indexed(dial, i))) << dial << i;
}

TEST(HitAndBlow, SevenFailedTriesLoseAndTheHintsShowOnlyWithOneTryLeft) {
    LockHarness h;
    EXPECT_EQ(h.pic("triesLeftPicture"), "store/sysnumberimg_7") << "the tries: kTries in hitandblowrules.h";
    EXPECT_EQ(h.row("legendPictures", 0, 2), "store/star_1 store/star_2");
    const auto hints = [&] {
        return h.showing(
            {"secretDigitLabels(0)", "secretDigitLabels(1)", "secretDigitLabels(2)", "secretDigitLabels(3)", "hintHotSpot"});
    };
    h.press("legendPictures(0)");
    EXPECT_EQ(hints(), "");
    for (int t = 0; t < 5; ++t) h.tryGuess("5678");
    EXPECT_EQ(hints(), "") << "not with two tries left";
    h.tryGuess("5678");
    EXPECT_EQ(h.cap("historyGuessLabels(1)") + " " + h.pic("triesLeftPicture"), "5678 store/sysnumberimg_1");
    EXPECT_EQ(hints(), "hintHotSpot") << "the hot spot appears with one try left";
    h.press("legendPictures(1)");
    EXPECT_EQ(hints(), "secretDigitLabels(1) hintHotSpot");
    h.press("legendPictures(0)");
    EXPECT_EQ(hints(), "secretDigitLabels(0) secretDigitLabels(1) hintHotSpot");

    h.tryGuess("5679");
    EXPECT_EQ(h.cap("historyGuessLabels(0)") + " " + h.pic("verdictPicture") + " " + h.pic("promptPicture"),
              "5679 store/hanmark_0 ")
        << "the prompt empties";
    EXPECT_EQ(h.said().back(), h.lostSaying(h.f, "鍵は開かなかった"));
    expectDialAway(h);
    EXPECT_FALSE(h.shows("nextButton"));
    h.press("hintHotSpot");
    EXPECT_TRUE(h.shows("secretDigitLabels(3)")) << "the hot spot outlives the game";
    EXPECT_FALSE(h.ended());
}

TEST(HitAndBlow, AWinOnTheSixthOrSeventhTryCountsArmsTheHotSpotAndNextAreaLeadsOn) {
    for (int misses : {5, 6}) {
        LockHarness h;
        for (int t = 0; t < misses; ++t) h.tryGuess("5678");
        h.tryGuess("1234");
        EXPECT_EQ(h.cap(ui::indexed("historyHitLabels", 6 - misses)) + " " + h.pic("verdictPicture"), "4 store/hanmark_1");
        EXPECT_EQ(h.showing({"verdictPicture", "nextButton", "hintHotSpot"}), "verdictPicture nextButton hintHotSpot");
        EXPECT_EQ(h.lastSaid(2), (std::vector<std::string>{"1234、ヒット4、ブロー0、のこり" + std::to_string(6 - misses) + "回",
                                                           "鍵が開いた！ NEXT AREAで先へ"}));
        EXPECT_EQ(h.pic("promptPicture"), "scenes/hitandblow/passmes");
        expectDialAway(h);
        EXPECT_EQ(h.leave("nextButton"), h.next("nextButton"));
    }
}

TEST(HitAndBlow, AGuessOfFourEightsFitsItsRow) {
    LockHarness h;
    static_cast<ui::Label&>(h.ctl("historyGuessLabels(0)")).setCaption("8888");
    EXPECT_TRUE(h.fits("historyGuessLabels(0)"));
}

}  // namespace

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
using testing_support::SceneHarness;

TEST(HitAndBlowRules, EachSecretDigitCountsOnce) {
    const Digits secret{1, 2, 3, 4};
    struct Case {
        Digits guess;
        short hits, blows;
    };
    for (const auto& c : {Case{{1, 2, 3, 4}, 4, 0}, Case{{4, 3, 2, 1}, 0, 4}, Case{{1, 1, 1, 1}, 1, 0},
                          Case{{2, 1, 1, 1}, 0, 2}, Case{{5, 6, 7, 8}, 0, 0}, Case{{1, 3, 2, 9}, 1, 2}}) {
        const Judgement j = judge(c.guess, secret);
        EXPECT_EQ(j.hits, c.hits) << c.guess[0] << c.guess[1] << c.guess[2] << c.guess[3];
        EXPECT_EQ(j.blows, c.blows) << c.guess[0] << c.guess[1] << c.guess[2] << c.guess[3];
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
struct LockHarness : SceneHarness {
    LockHarness() {
        random().useScript({0.1, 0.2, 0.3, 0.4, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9});
        open("Hitandblow");
    }
    // A roulette of 11 ticks: the length draw, then two draws per frame.
    void scriptRoulette() {
        random().addScript({0.0});
        // One ☆ in every frame but the second, ☆☆★★; unlike any truth, and each frame starts blank.
        for (int i = 0; i < 11; ++i) random().addScript({i == 1 ? 0.99 : 0.0, i == 1 ? 0.5 : 0.99});
    }
    std::string picture(const std::string& image) {
        return static_cast<ui::Image&>(control("Hitandblow", image)).picture().name();
    }
    void tryGuess(const std::string& digits) {
        scriptRoulette();
        testing_support::tryHitAndBlow(*this, digits);
    }
};

TEST(HitAndBlow, TheDialsWrapBothWays) {
    LockHarness h;
    h.click("Hitandblow", "dialDownButtons(0)");
    EXPECT_EQ(h.picture("dialPictures(0)"), "store/numberimg_9");
    h.click("Hitandblow", "dialUpButtons(0)");
    EXPECT_EQ(h.picture("dialPictures(0)"), "store/numberimg_0");
    for (int i = 0; i < 7; ++i) h.click("Hitandblow", "dialUpButtons(3)");
    EXPECT_EQ(h.picture("dialPictures(3)"), "store/numberimg_0");
    EXPECT_EQ(h.caption("Hitandblow", "secretDigitLabels(0)"), "1");
    EXPECT_EQ(h.caption("Hitandblow", "secretDigitLabels(3)"), "4");
}

TEST(HitAndBlow, TheRouletteRollsElevenTicksThenShowsTheMarksAndRecordsTwoSecondsLater) {
    LockHarness h;
    for (int k = 0; k < 7; ++k)
        for (const char* history : {"historyGuessLabels", "historyHitLabels", "historyBlowLabels"})
            EXPECT_FALSE(h.visible("Hitandblow", ui::indexed(history, k)));
    for (const char* judged : {"markPictures", "guessPictures"})
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(h.visible("Hitandblow", ui::indexed(judged, i))) << judged << i;
    h.advance(1ms);  // the window shows: what to do is said
    h.scriptRoulette();
    for (int i = 0; i < 4; ++i)  // dial 4 3 2 1 from 0 1 2 3
        for (int n = 0; n < (10 + (4 - i) - i) % 10; ++n) h.click("Hitandblow", ui::indexed("dialUpButtons", i));
    EXPECT_EQ(h.spoken("Hitandblow").front(), "4桁の番号を当てる。上下キーで数字を回し、左右キーで桁を移る。南京錠で試す。のこり7回");
    EXPECT_EQ(h.spoken("Hitandblow").back(), "4桁目 1") << "each turn says its dial's new digit";
    h.forgetSpoken();
    h.click("Hitandblow", "padlockPicture");
    EXPECT_FALSE(h.visible("Hitandblow", "padlockPicture")) << "the padlock is put away while rolling";
    EXPECT_FALSE(h.enabled("Hitandblow", "dialUpButtons(0)"));
    EXPECT_FALSE(h.enabled("Hitandblow", "dialDownButtons(3)"));
    EXPECT_FALSE(h.visible("Hitandblow", "promptPicture"));
    EXPECT_EQ(h.picture("guessPictures(0)"), "store/sysnumberimg_4");
    EXPECT_TRUE(h.visible("Hitandblow", "guessPictures(3)") && h.visible("Hitandblow", "markPictures(3)"));
    EXPECT_EQ(h.picture("markPictures(0)"), "");
    h.advance(200ms);
    EXPECT_EQ(h.picture("markPictures(0)"), "store/star_1") << "a random frame";
    EXPECT_EQ(h.picture("markPictures(1)"), "");
    h.advance(200ms);
    EXPECT_EQ(h.picture("markPictures(1)") + " " + h.picture("markPictures(2)") + " " + h.picture("markPictures(3)"),
              "store/star_1 store/star_2 store/star_2")
        << "the second frame, ☆☆★★";
    h.advance(1600ms);
    EXPECT_EQ(h.picture("markPictures(3)"), "");
    h.advance(200ms);  // the eleventh tick shows the truth: 4321 against 1234 is four ★
    for (int k = 0; k < 4; ++k) EXPECT_EQ(h.picture(ui::indexed("markPictures", k)), "store/star_2");
    EXPECT_EQ(h.spoken("Hitandblow"), std::vector<std::string>{"4321、ヒット0、ブロー4、のこり6回"})
        << "the result once, when the roulette stops, never its frames";
    EXPECT_FALSE(h.visible("Hitandblow", "historyGuessLabels(6)"));
    h.advance(1999ms);
    EXPECT_FALSE(h.visible("Hitandblow", "historyGuessLabels(6)"));
    h.advance(1ms);
    EXPECT_EQ(h.caption("Hitandblow", "historyGuessLabels(6)"), "4321");
    EXPECT_EQ(h.caption("Hitandblow", "historyHitLabels(6)"), "0");
    EXPECT_EQ(h.caption("Hitandblow", "historyBlowLabels(6)"), "4");
    EXPECT_TRUE(h.visible("Hitandblow", "historyBlowLabels(6)"));
    EXPECT_EQ(h.picture("triesLeftPicture"), "store/sysnumberimg_6");
    EXPECT_TRUE(h.visible("Hitandblow", "padlockPicture"));
    EXPECT_TRUE(h.enabled("Hitandblow", "dialUpButtons(0)") && h.enabled("Hitandblow", "dialDownButtons(3)"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(h.visible("Hitandblow", ui::indexed("markPictures", i))) << "the marks go into the history";
        EXPECT_FALSE(h.visible("Hitandblow", ui::indexed("guessPictures", i))) << "and so does the guess";
    }
    EXPECT_TRUE(h.visible("Hitandblow", "promptPicture"));
    EXPECT_EQ(h.random().scriptLeft(), 0u);
    h.scriptRoulette();
    h.click("Hitandblow", "padlockPicture");
    EXPECT_EQ(h.picture("markPictures(0)"), "") << "the next try's marks start blank";
}

// Won or lost, the dials and the check button go.
void expectDialAway(SceneHarness& h) {
    EXPECT_FALSE(h.visible("Hitandblow", "padlockPicture"));
    for (const char* dial : {"dialUpButtons", "dialDownButtons", "dialPictures"})
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(h.visible("Hitandblow", ui::indexed(dial, i))) << dial << i;
}

TEST(HitAndBlow, SevenFailedTriesLoseAndTheHintsShowOnlyWithOneTryLeft) {
    LockHarness h;
    EXPECT_EQ(h.picture("triesLeftPicture"), "store/sysnumberimg_7") << "the tries: kTries in hitandblowrules.h";
    EXPECT_EQ(h.picture("legendPictures(0)") + " " + h.picture("legendPictures(1)"), "store/star_1 store/star_2");
    h.click("Hitandblow", "legendPictures(0)");
    EXPECT_FALSE(h.visible("Hitandblow", "secretDigitLabels(0)"));
    for (int t = 0; t < 5; ++t) h.tryGuess("5678");
    EXPECT_FALSE(h.visible("Hitandblow", "hintHotSpot")) << "not with two tries left";
    h.tryGuess("5678");
    EXPECT_EQ(h.caption("Hitandblow", "historyGuessLabels(1)"), "5678");
    EXPECT_EQ(h.picture("triesLeftPicture"), "store/sysnumberimg_1");
    EXPECT_TRUE(h.visible("Hitandblow", "hintHotSpot")) << "the hot spot appears with one try left";
    h.click("Hitandblow", "legendPictures(1)");
    EXPECT_TRUE(h.visible("Hitandblow", "secretDigitLabels(1)"));
    EXPECT_FALSE(h.visible("Hitandblow", "secretDigitLabels(0)"));
    h.click("Hitandblow", "legendPictures(0)");
    EXPECT_TRUE(h.visible("Hitandblow", "secretDigitLabels(0)"));
    EXPECT_FALSE(h.visible("Hitandblow", "secretDigitLabels(2)"));

    h.tryGuess("5679");
    EXPECT_EQ(h.caption("Hitandblow", "historyGuessLabels(0)"), "5679");
    EXPECT_EQ(h.picture("verdictPicture"), "store/hanmark_0");
    EXPECT_EQ(h.picture("promptPicture"), "") << "the prompt empties";
    EXPECT_EQ(h.spoken("Hitandblow").back(), h.lostSaying("Hitandblow", "鍵は開かなかった"));
    expectDialAway(h);
    EXPECT_FALSE(h.visible("Hitandblow", "nextButton"));
    h.click("Hitandblow", "hintHotSpot");
    EXPECT_TRUE(h.visible("Hitandblow", "secretDigitLabels(3)")) << "the hot spot outlives the game";
    EXPECT_FALSE(h.ended());
}

TEST(HitAndBlow, AWinOnTheSeventhTryCountsAndNextAreaLeadsOn) {
    LockHarness h;
    for (int t = 0; t < 6; ++t) h.tryGuess("5678");
    h.tryGuess("1234");
    EXPECT_EQ(h.caption("Hitandblow", "historyHitLabels(0)"), "4");
    EXPECT_EQ(h.picture("verdictPicture"), "store/hanmark_1");
    EXPECT_TRUE(h.visible("Hitandblow", "verdictPicture"));
    const auto said = h.spoken("Hitandblow");
    EXPECT_EQ(std::vector<std::string>(said.end() - 2, said.end()),
              (std::vector<std::string>{"1234、ヒット4、ブロー0、のこり0回", "鍵が開いた！ NEXT AREAで先へ"}));
    EXPECT_EQ(h.picture("promptPicture"), "scenes/hitandblow/passmes");
    expectDialAway(h);
    EXPECT_TRUE(h.visible("Hitandblow", "nextButton"));
    h.click("Hitandblow", "nextButton");
    EXPECT_EQ(h.openForms(), std::vector<std::string>{h.nextForm("Hitandblow", "nextButton")});
    EXPECT_FALSE(h.app().extraLoaded("sozai"));
}

TEST(HitAndBlow, AWinOnTheSixthTryAlsoArmsTheHotSpot) {
    LockHarness h;
    for (int t = 0; t < 5; ++t) h.tryGuess("5678");
    h.tryGuess("1234");
    EXPECT_TRUE(h.visible("Hitandblow", "nextButton"));
    EXPECT_TRUE(h.visible("Hitandblow", "hintHotSpot"));
}

TEST(HitAndBlow, AGuessOfFourEightsFitsItsRow) {
    LockHarness h;
    auto& row = static_cast<ui::Label&>(h.control("Hitandblow", "historyGuessLabels(0)"));
    row.setCaption("8888");
    EXPECT_LE(row.textWidthPixels(), ui::twipsToPixels(row.width()));
}

}  // namespace

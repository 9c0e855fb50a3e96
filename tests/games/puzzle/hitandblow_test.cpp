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

TEST(HitandblowRules, EachSecretDigitCountsOnce) {
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
    EXPECT_EQ(sortedMarks({1, 2}), (Digits{1, 2, 2, 0}));
    EXPECT_EQ(sortedMarks({0, 0}), (Digits{0, 0, 0, 0}));
}

TEST(HitandblowRules, TheSecretNeverRepeatsADigitAndMayStartWithZero) {
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
        for (int i = 0; i < 11; ++i) random().addScript({0.0, 0.0});  // one ★ in every frame, unlike any truth
    }
    std::string picture(const std::string& image) {
        return static_cast<ui::Image&>(control("Hitandblow", image)).picture().name();
    }
    void tryGuess(const std::string& digits) {
        scriptRoulette();
        testing_support::tryHitandblow(*this, digits);
    }
};

TEST(Hitandblow, TheDialsWrapBothWays) {
    LockHarness h;
    h.click("Hitandblow", "downbutton(0)");
    EXPECT_EQ(h.picture("passno(0)"), "store/numberimg_9");
    h.click("Hitandblow", "upbutton(0)");
    EXPECT_EQ(h.picture("passno(0)"), "store/numberimg_0");
    for (int i = 0; i < 7; ++i) h.click("Hitandblow", "upbutton(3)");
    EXPECT_EQ(h.picture("passno(3)"), "store/numberimg_0");
    EXPECT_EQ(h.caption("Hitandblow", "passnumber(0)"), "1");
    EXPECT_EQ(h.caption("Hitandblow", "passnumber(3)"), "4");
}

TEST(Hitandblow, TheRouletteRollsElevenTicksThenShowsTheMarksAndRecordsTwoSecondsLater) {
    LockHarness h;
    for (int k = 0; k < 7; ++k)
        for (const char* record : {"mno", "mhit", "mblow"}) EXPECT_FALSE(h.visible("Hitandblow", ui::indexed(record, k)));
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(h.visible("Hitandblow", ui::indexed("hantei", i)));
    h.scriptRoulette();
    for (int i = 0; i < 4; ++i)  // dial 4 3 2 1 from 0 1 2 3
        for (int n = 0; n < (10 + (4 - i) - i) % 10; ++n) h.click("Hitandblow", ui::indexed("upbutton", i));
    h.click("Hitandblow", "Picture1");
    EXPECT_FALSE(h.visible("Hitandblow", "Picture1")) << "the padlock is put away while rolling";
    EXPECT_FALSE(h.enabled("Hitandblow", "upbutton(0)"));
    EXPECT_FALSE(h.enabled("Hitandblow", "downbutton(3)"));
    EXPECT_FALSE(h.visible("Hitandblow", "passmes"));
    EXPECT_EQ(h.picture("enternum(0)"), "store/sysnumberimg_4");
    EXPECT_TRUE(h.visible("Hitandblow", "enternum(3)"));
    EXPECT_EQ(h.picture("hantei(0)"), "");
    h.advance(200ms);
    EXPECT_EQ(h.picture("hantei(0)"), "store/star_2") << "a random frame";
    EXPECT_EQ(h.picture("hantei(3)"), "");
    h.advance(1800ms);
    EXPECT_EQ(h.picture("hantei(3)"), "");
    h.advance(200ms);  // the eleventh tick shows the truth: 4321 against 1234 is four ★
    for (int k = 0; k < 4; ++k) EXPECT_EQ(h.picture(ui::indexed("hantei", k)), "store/star_2");
    EXPECT_FALSE(h.visible("Hitandblow", "mno(6)"));
    h.advance(1999ms);
    EXPECT_FALSE(h.visible("Hitandblow", "mno(6)"));
    h.advance(1ms);
    EXPECT_EQ(h.caption("Hitandblow", "mno(6)"), "4321");
    EXPECT_EQ(h.caption("Hitandblow", "mhit(6)"), "0");
    EXPECT_EQ(h.caption("Hitandblow", "mblow(6)"), "4");
    EXPECT_TRUE(h.visible("Hitandblow", "mblow(6)"));
    EXPECT_EQ(h.picture("nchance"), "store/sysnumberimg_6");
    EXPECT_TRUE(h.visible("Hitandblow", "Picture1"));
    EXPECT_TRUE(h.enabled("Hitandblow", "upbutton(0)"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(h.visible("Hitandblow", ui::indexed("hantei", i))) << "the marks go into the history";
        EXPECT_FALSE(h.visible("Hitandblow", ui::indexed("enternum", i))) << "and so does the guess";
    }
    EXPECT_TRUE(h.visible("Hitandblow", "passmes"));
    EXPECT_EQ(h.random().scriptLeft(), 0u);
}

// Won or lost, the dials and the check button go.
void expectDialAway(SceneHarness& h) {
    EXPECT_FALSE(h.visible("Hitandblow", "Picture1"));
    for (const char* dial : {"upbutton", "downbutton", "passno"})
        for (int i = 0; i < 4; ++i) EXPECT_FALSE(h.visible("Hitandblow", ui::indexed(dial, i))) << dial << i;
}

TEST(Hitandblow, SevenFailedTriesLoseAndTheHintsShowOnlyWithOneTryLeft) {
    LockHarness h;
    EXPECT_EQ(h.picture("Image4(0)") + " " + h.picture("Image4(1)"), "store/star_1 store/star_2");
    h.click("Hitandblow", "Image4(0)");
    EXPECT_FALSE(h.visible("Hitandblow", "passnumber(0)"));
    for (int t = 0; t < 5; ++t) h.tryGuess("5678");
    EXPECT_FALSE(h.visible("Hitandblow", "Image2")) << "not with two tries left";
    h.tryGuess("5678");
    EXPECT_EQ(h.caption("Hitandblow", "mno(1)"), "5678");
    EXPECT_EQ(h.picture("nchance"), "store/sysnumberimg_1");
    EXPECT_TRUE(h.visible("Hitandblow", "Image2")) << "the hot spot appears with one try left";
    h.click("Hitandblow", "Image4(1)");
    EXPECT_TRUE(h.visible("Hitandblow", "passnumber(1)"));
    EXPECT_FALSE(h.visible("Hitandblow", "passnumber(0)"));
    h.click("Hitandblow", "Image4(0)");
    EXPECT_TRUE(h.visible("Hitandblow", "passnumber(0)"));
    EXPECT_FALSE(h.visible("Hitandblow", "passnumber(2)"));

    h.tryGuess("5679");
    EXPECT_EQ(h.caption("Hitandblow", "mno(0)"), "5679");
    EXPECT_EQ(h.picture("mark"), "store/hanmark_0");
    EXPECT_EQ(h.picture("passmes"), "") << "the prompt empties";
    expectDialAway(h);
    EXPECT_FALSE(h.visible("Hitandblow", "Command1"));
    h.click("Hitandblow", "Image2");
    EXPECT_TRUE(h.visible("Hitandblow", "passnumber(3)")) << "the hot spot outlives the game";
    EXPECT_FALSE(h.ended());
}

TEST(Hitandblow, AWinOnTheSeventhTryCountsAndNextAreaLeadsOn) {
    LockHarness h;
    for (int t = 0; t < 6; ++t) h.tryGuess("5678");
    h.tryGuess("1234");
    EXPECT_EQ(h.caption("Hitandblow", "mhit(0)"), "4");
    EXPECT_EQ(h.picture("mark"), "store/hanmark_1");
    EXPECT_TRUE(h.visible("Hitandblow", "mark"));
    EXPECT_EQ(h.picture("passmes"), "scenes/hitandblow/passmes");
    expectDialAway(h);
    EXPECT_TRUE(h.visible("Hitandblow", "Command1"));
    h.click("Hitandblow", "Command1");
    EXPECT_EQ(h.openForms(), std::vector<std::string>{"mesarea3"});
    EXPECT_FALSE(h.app().extraLoaded("sozai"));
}

TEST(Hitandblow, AWinOnTheSixthTryAlsoArmsTheHotSpot) {
    LockHarness h;
    for (int t = 0; t < 5; ++t) h.tryGuess("5678");
    h.tryGuess("1234");
    EXPECT_TRUE(h.visible("Hitandblow", "Command1"));
    EXPECT_TRUE(h.visible("Hitandblow", "Image2"));
}

}  // namespace

namespace {

TEST(Hitandblow, EveryCaptionFitsItsLabel) {
    testing_support::SceneHarness h;
    h.open("Hitandblow");
    for (const auto& c : h.form("Hitandblow").controls()) {
        if (auto* l = dynamic_cast<ui::Label*>(c.get())) {
            EXPECT_LE(l->textWidthPixels(), ui::twipsToPixels(l->width())) << l->name() << " " << l->caption();
        }
    }
    auto& row = static_cast<ui::Label&>(h.control("Hitandblow", "mno(0)"));
    row.setCaption("8888");
    EXPECT_LE(row.textWidthPixels(), ui::twipsToPixels(row.width()));
}

}  // namespace

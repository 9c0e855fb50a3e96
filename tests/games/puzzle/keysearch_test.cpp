#include <gtest/gtest.h>

#include "games/puzzle/keysearchrules.h"
#include "support/harness.h"

namespace {

using namespace std::chrono_literals;
using games::keysearchrules::distance;

TEST(KeySearchRules, DistanceIsStepsAcrossPlusDownAndNineOrMoreIsTheCross) {
    struct Case {
        int box, key, d;
    };
    for (const auto& c :
         {Case{0, 40, 8}, Case{36, 40, 4}, Case{41, 40, 1}, Case{31, 40, 1}, Case{80, 0, 9}, Case{9, 0, 1}, Case{8, 72, 9},
          Case{4, 0, 4}, Case{45, 0, 5}, Case{50, 0, 9}, Case{49, 0, 9}, Case{48, 0, 8}, Case{40, 40, 0}})
        EXPECT_EQ(distance(c.box, c.key), c.d) << "box " << c.box << ", key " << c.key;
}

// The key placed by its two draws, row then column.
struct KeyHarness : testing_support::FormHarness {
    KeyHarness(int row, int col) : FormHarness("keysearch") {
        script({draw(9, row), draw(9, col)});
        open();
        advance(1ms);  // the window shows: what to do is said
    }
    void openBox(int box) { press(ui::indexed("boxPictures", box)); }
    std::string box(int i) { return pic(ui::indexed("boxPictures", i)); }
    std::string name(int i) { return ctl(ui::indexed("boxPictures", i)).spokenName(); }
    std::string left() { return cap("checksLeftLabel"); }
};

TEST(KeySearch, DigitsTellTheDistanceAndAReopenedBoxCostsNothing) {
    KeyHarness h(4, 4);
    EXPECT_EQ(h.left(), "4") << "the checks: kChecks in keysearchrules.h";
    EXPECT_EQ(h.box(0), "scenes/keysearch/takarabako");
    EXPECT_EQ(h.name(0) + "/" + h.name(80), "宝箱 1行1列/宝箱 9行9列");
    EXPECT_EQ(h.form(h.f).find("boxPictures(81)"), nullptr) << "nine rows of nine, kBoxes in keysearchrules.h";
    h.openBox(0);
    EXPECT_EQ(h.box(0), "store/mininumber_7") << "the digit 8";
    EXPECT_EQ(h.left(), "3");
    h.openBox(0);
    EXPECT_EQ(h.box(0), "store/mininumber_7");
    EXPECT_EQ(h.left(), "3") << "an opened box costs nothing";
    h.openBox(36);
    EXPECT_EQ(h.box(36), "store/mininumber_3");
    h.openBox(41);
    EXPECT_EQ(h.box(41), "store/mininumber_0");
    EXPECT_EQ(h.left(), "1");
    h.openBox(36);
    EXPECT_FALSE(h.on("keyMissedTimer")) << "a box clicked again is not the fourth check";
    EXPECT_EQ(h.name(41) + "/" + h.name(42), "宝箱 5行6列 1/宝箱 5行7列");
    // The box opened again at once is not said twice within a second.
    EXPECT_EQ(h.said(), (std::vector<std::string>{"9行9列の宝箱から鍵を探す。矢印キーで選び、スペースで開ける。チェックは4回",
                                                  "1行1列、きょり8、のこり3回", "5行1列、きょり4、のこり2回",
                                                  "5行6列、きょり1、のこり1回", "5行1列、きょり4、のこり1回"}));
}

TEST(KeySearch, TheFourthNewBoxWithoutTheKeyLosesAfterOneAndAHalfSeconds) {
    KeyHarness h(0, 0);
    for (int b : {80, 9, 41}) h.openBox(b);
    EXPECT_EQ(h.box(80), "store/mininumber_8") << "the cross";
    EXPECT_EQ(h.name(41), "宝箱 5行6列 ×") << "nine steps away";
    EXPECT_EQ(h.said()[1], "9行9列、きょり9以上、のこり3回");
    h.openBox(79);
    EXPECT_EQ(h.left(), "0");
    EXPECT_FALSE(h.live("boxPictures(0)") || h.live("boxPictures(79)"))
        << "no box reacts once the game is decided, the last one opened neither";
    h.clickAnyway(h.f, "boxPictures(0)");
    EXPECT_EQ(h.box(0), "scenes/keysearch/takarabako");
    const auto verdict = [&] {
        return h.pic("verdictPicture") + "|" + h.showing({"boxPictures(79)", "nextButton", "keyPicture"});
    };
    EXPECT_EQ(h.across(1500ms, verdict), testing_support::Change("|boxPictures(79)", "store/hanmark_0|"))
        << "the opened boxes stay in view until the verdict";
    EXPECT_TRUE(h.timersOn().empty());
    EXPECT_EQ(h.said().back(), h.lostSaying(h.f, "鍵は見つからなかった"));
    EXPECT_EQ(h.said().size(), 6u);
    h.advance(5s);
    EXPECT_FALSE(h.shows("nextButton"));
    h.close(h.f);
    EXPECT_TRUE(h.ended());
}

TEST(KeySearch, TheKeyFoundOnTheFirstOrTheFourthCheckWins) {
    for (int misses : {0, 3}) {
        KeyHarness h(8, 2);
        for (int b = 0; b < misses; ++b) h.openBox(b);
        h.openBox(74);
        EXPECT_EQ(h.box(74), "store/minikey") << misses;
        EXPECT_EQ(h.name(74), "宝箱 9行3列 鍵");
        EXPECT_FALSE(h.on("keyMissedTimer")) << "the fourth check found it: no loss";
        h.advance(1500ms);
        EXPECT_EQ(h.showing({"keyPicture", "boxPictures(74)"}), "keyPicture") << misses;
        EXPECT_EQ(h.pic("verdictPicture"), "store/hanmark_1");
        EXPECT_TRUE(h.timersOn().empty()) << "it shows the find once";
        EXPECT_EQ(h.lastSaid(2), (std::vector<std::string>{"9行3列に鍵があった！", "鍵を見つけた！ NEXT AREAで先へ"}));
        EXPECT_EQ(h.leave("nextButton"), h.next("nextButton"));
    }
}

TEST(KeySearch, TenClicksOnTheCountShowTheKeysRowAndColumnOnce) {
    KeyHarness h(3, 7);
    const auto hint = [&] { return h.showing({"keyRowLabel", "keyColumnLabel", "keyBoxLabel"}); };
    for (int i = 0; i < 9; ++i) h.press("checksLeftLabel");
    EXPECT_EQ(hint(), "");
    h.press("checksLeftLabel");
    EXPECT_EQ(hint(), "keyRowLabel keyColumnLabel") << "the box index never shows";
    EXPECT_EQ(h.cap("keyRowLabel") + h.cap("keyColumnLabel"), "37");
    // The count runs 11..18 from here on; hiding the labels shows whether 10 ever comes back.
    h.ctl("keyRowLabel").setVisible(false);
    for (int i = 0; i < 40; ++i) h.press("checksLeftLabel");
    EXPECT_FALSE(h.shows("keyRowLabel"));
}

}  // namespace

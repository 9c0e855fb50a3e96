#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include "support/harness.h"
#include "ui/qt/access.h"
#include "warp/passcode.h"

namespace {

using testing_support::SceneHarness;
using Forms = std::vector<std::string>;

std::vector<int> revealed(SceneHarness& h) {
    std::vector<int> shown;
    for (int k = 1; k <= 16; ++k)
        if (h.visible("warpzone", "warpbutton" + std::to_string(k))) shown.push_back(k);
    return shown;
}

std::vector<int> upTo(int k) {
    std::vector<int> v{1};
    for (int i = 2; i <= k; ++i) v.push_back(i);
    return v;
}

struct WarpHarness : SceneHarness {
    WarpHarness() {
        start();
        click("maintitle", "Command2");
    }
    // As a player does: into the box (which empties it when it takes the focus back), type, check.
    void enter(const std::string& digits) {
        click("warpzone", "passarea");
        typeText("warpzone", digits);
        click("warpzone", "Command1");
    }
};

TEST(WarpZone, EachCodeRevealsItsButtonAndEveryOneBefore) {
    const std::vector<std::pair<std::string, int>> codes{
        {"4140", 2}, {"5339", 3}, {"3232", 4}, {"3940", 5}, {"3164", 6}, {"1885", 7}, {"4789", 8}, {"7802", 9},
        {"9140", 10}, {"3896", 11}, {"2383", 12}, {"8202", 13}, {"0039", 14}, {"39", 14}, {"9107", 15}, {"4586", 16},
    };
    for (const auto& [code, k] : codes) {
        WarpHarness h;
        EXPECT_EQ(h.caption("warpzone", "passarea"), "") << "the box opens empty";
        h.enter(code);
        EXPECT_EQ(revealed(h), upTo(k)) << code;
    }
}

TEST(WarpZone, RevealingIsCumulativeAndUnknownOrEmptyCodesDoNothing) {
    WarpHarness h;
    h.click("warpzone", "Command1");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "0");
    EXPECT_EQ(revealed(h), upTo(1));
    h.enter("3164");
    h.enter("3232");
    EXPECT_EQ(revealed(h), upTo(6));
    h.enter("1234");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234") << "an unknown code stays in the box";
    EXPECT_EQ(revealed(h), upTo(6));
}

TEST(WarpZone, TheBoxHoldsAtMostFourDigitsHoweverTextArrives) {
    WarpHarness h;
    h.click("warpzone", "passarea");
    h.typeText("warpzone", "12a -34");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234");
    h.typeText("warpzone", "5");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234") << "a fifth digit is refused";
    h.key("warpzone", Qt::Key_Backspace);
    EXPECT_EQ(h.caption("warpzone", "passarea"), "123");

    auto* box = static_cast<QLineEdit*>(ui::qt::widgetOf(h.control("warpzone", "passarea")));
    box->clear();
    QApplication::clipboard()->setText("12ab34567");
    box->paste();
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234");
    box->clear();
    box->insert(QString::fromUtf8("４５８６"));  // as an input method commits full-width digits
    EXPECT_EQ(h.caption("warpzone", "passarea"), "4586");
    box->insert(QString::fromUtf8("漢字"));
    EXPECT_EQ(h.caption("warpzone", "passarea"), "4586");

    h.key("warpzone", Qt::Key_Return, "\r");
    EXPECT_EQ(revealed(h), upTo(16)) << "Enter checks like the button";
    EXPECT_EQ(h.caption("warpzone", "passarea"), "4586") << "and keeps the digits";
}

TEST(WarpZone, BackAndAgainStartsFreshAndEveryButtonOpensItsScene) {
    {
        WarpHarness h;
        h.enter("4586");
        h.click("warpzone", "Command2");
        h.click("maintitle", "Command2");
        EXPECT_EQ(revealed(h), upTo(1));
    }
    const std::vector<std::string> targets{"mesarea1", "mesarea2", "Hitandblow", "mesarea3", "tintiro1", "mizuhusen",
                                           "mesarea4", "nagagutsu", "mesarea5", "max100game", "tintiro2", "mesarea6",
                                           "keysearch", "mesareaepi1", "rosoku", "mesareaepi3"};
    for (int k = 1; k <= 16; ++k) {
        WarpHarness h;
        h.enter("4586");
        h.click("warpzone", "warpbutton" + std::to_string(k));
        EXPECT_EQ(h.openForms(), Forms{targets[k - 1]}) << "warpbutton" << k;
    }
}

TEST(PassCode, SanitizingAndCheckingAreSafeOnAnyInput) {
    EXPECT_EQ(warp::sanitizeCode("12ab34567"), "1234");
    EXPECT_EQ(warp::sanitizeCode("\xEF\xBC\x90\xEF\xBC\x99"), "09");  // full-width 0 and 9
    EXPECT_EQ(warp::sanitizeCode("\xEF\xBC"), "");                      // a truncated sequence
    EXPECT_EQ(warp::warpButtonForCode("0039"), 14);
    EXPECT_EQ(warp::warpButtonForCode("39"), 14);
    EXPECT_EQ(warp::warpButtonForCode("0"), std::nullopt);
    EXPECT_EQ(warp::warpButtonForCode("-4586"), std::nullopt);
    EXPECT_EQ(warp::warpButtonForCode("99999999999999999999"), std::nullopt);
}

}  // namespace

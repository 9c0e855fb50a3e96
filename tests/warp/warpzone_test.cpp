#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include "chain/formtable.h"
#include "support/harness.h"
#include "ui/qt/access.h"
#include "warp/passcode.h"

namespace {

using testing_support::SceneHarness;
using Forms = std::vector<std::string>;

const int kButtons = static_cast<int>(chain::warpTargets().size());
const std::string& codeOf(const std::string& form) { return chain::entry(form).code; }
std::string lastCode() { return chain::warpTargets().back().code; }

std::vector<int> revealed(SceneHarness& h) {
    std::vector<int> shown;
    for (int k = 1; k <= kButtons; ++k)
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
        click("maintitle", "continueButton");
    }
    // As a player does: into the box (which empties it when it takes the focus back), type, check.
    void enter(const std::string& digits) {
        click("warpzone", "passarea");
        typeText("warpzone", digits);
        click("warpzone", "Command1");
    }
};

TEST(WarpZone, RevealingIsCumulativeAndUnknownOrEmptyCodesDoNothing) {
    WarpHarness h;
    h.click("warpzone", "Command1");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "0");
    EXPECT_EQ(revealed(h), upTo(1));
    h.enter(codeOf("mizuhusen"));
    h.enter(codeOf("mesarea3"));
    EXPECT_EQ(revealed(h), upTo(6));
    h.enter("1234");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234") << "an unknown code stays in the box";
    EXPECT_EQ(revealed(h), upTo(6));
}

// Sixteen buttons in four rows of four, numbered row by row, under the box; "戻る" in the corner.
TEST(WarpZone, TheButtonsStandInFourRowsOfFour) {
    WarpHarness h;
    ASSERT_EQ(kButtons, 16);
    const int columns[] = {720, 2400, 4080, 5760};
    const int rows[] = {1440, 2280, 3120, 3960};
    auto rect = [&](const std::string& name) {
        const ui::Rect r = h.control("warpzone", name).rect();
        return std::vector<int>{r.left, r.top, r.width, r.height};
    };
    for (int k = 1; k <= kButtons; ++k)
        EXPECT_EQ(rect("warpbutton" + std::to_string(k)),
                  (std::vector<int>{columns[(k - 1) % 4], rows[(k - 1) / 4], 1575, 735}))
            << k;
    const ui::Size client = h.form("warpzone").clientSize();
    EXPECT_EQ((std::vector<int>{client.width, client.height}), (std::vector<int>{8055, 6030}));
    EXPECT_EQ(rect("Command2"), (std::vector<int>{6840, 5400, 1095, 615}));
}

TEST(WarpZone, TheBoxHoldsAtMostFourDigitsHoweverTextArrives) {
    WarpHarness h;
    h.click("warpzone", "passarea");
    h.typeText("warpzone", "12a -34");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234");
    h.typeText("warpzone", "5");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234") << "a fifth digit is refused";
    h.key("warpzone", Qt::Key_Home);
    h.typeText("warpzone", "5");
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234") << "at the front of a full box too";
    h.key("warpzone", Qt::Key_End);
    h.key("warpzone", Qt::Key_Backspace);
    EXPECT_EQ(h.caption("warpzone", "passarea"), "123");

    auto* box = static_cast<QLineEdit*>(ui::qt::widgetOf(h.control("warpzone", "passarea")));
    box->clear();
    QApplication::clipboard()->setText("12ab34567");
    box->paste();
    EXPECT_EQ(h.caption("warpzone", "passarea"), "1234");
    box->clear();
    QString fullWidth;  // as an input method commits digits
    for (char c : lastCode()) fullWidth += QChar(0xFF10 + (c - '0'));
    box->insert(fullWidth);
    EXPECT_EQ(h.caption("warpzone", "passarea"), lastCode());
    box->insert(QString::fromUtf8("漢字"));
    EXPECT_EQ(h.caption("warpzone", "passarea"), lastCode());

    h.key("warpzone", Qt::Key_Return, "\r");
    EXPECT_EQ(revealed(h), upTo(kButtons)) << "Enter checks like the button";
    EXPECT_EQ(h.caption("warpzone", "passarea"), lastCode()) << "and keeps the digits";
}

// A player's round trip: the code a scene shows, typed after a restart, reveals the button that
// opens that very scene and every one before it; leading zeros may be left out.
TEST(WarpZone, EveryButtonOpensItsSceneWhoseCodeRevealsItAndEveryOneBefore) {
    {
        WarpHarness h;
        EXPECT_EQ(h.caption("warpzone", "passarea"), "") << "the box opens empty";
        h.enter(lastCode());
        h.click("warpzone", "Command2");
        h.click("maintitle", "continueButton");
        EXPECT_EQ(revealed(h), upTo(1)) << "back and again starts fresh";
    }
    const Forms targets{"mesarea1", "mesarea2", "Hitandblow", "mesarea3", "tintiro1", "mizuhusen",
                        "mesarea4", "nagagutsu", "mesarea5", "max100game", "tintiro2", "mesarea6",
                        "keysearch", "mesareaepi1", "rosoku", "mesareaepi3"};
    ASSERT_EQ(kButtons, 16);
    for (int k = 1; k <= kButtons; ++k) {
        const std::string form = targets[static_cast<std::size_t>(k - 1)];
        std::string shown;
        {
            WarpHarness h;
            h.enter(lastCode());
            h.click("warpzone", "warpbutton" + std::to_string(k));
            EXPECT_EQ(h.openForms(), Forms{form}) << "warpbutton" << k;
            for (const auto& c : h.form(form).controls())
                if (auto* l = dynamic_cast<ui::Label*>(c.get()); l && l->caption().starts_with("C-PASS = "))
                    shown = l->caption().substr(9);
        }
        if (shown == "----") continue;  // the first scene's button is always there
        for (const std::string& typed : {shown, std::to_string(std::stoi(shown))}) {
            WarpHarness h;
            h.enter(typed);
            EXPECT_EQ(revealed(h), upTo(k)) << form << "'s code " << typed;
        }
    }
}

TEST(PassCode, SanitizingAndCheckingAreSafeOnAnyInput) {
    EXPECT_EQ(warp::sanitizeCode("12ab34567"), "1234");
    EXPECT_EQ(warp::sanitizeCode("\xEF\xBC\x90\xEF\xBC\x99"), "09");  // full-width 0 and 9
    EXPECT_EQ(warp::sanitizeCode("\xEF\xBC"), "");                      // a truncated sequence
    const std::vector<std::string> codes{"----", "0012", "3456", "0012"};
    EXPECT_EQ(warp::warpButtonForCode("12", codes), 4) << "of two buttons with one code, the later";
    EXPECT_EQ(warp::warpButtonForCode("3456", codes), 3);
    for (const char* text : {"0", "", "----", "-3456", "34567", "99999999999999999999"})
        EXPECT_EQ(warp::warpButtonForCode(text, codes), std::nullopt) << text;
}

}  // namespace

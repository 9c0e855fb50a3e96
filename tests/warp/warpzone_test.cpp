#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include "chain/formtable.h"
#include "support/harness.h"
#include "ui/qt/access.h"
#include "warp/passcode.h"

namespace {

using Forms = std::vector<std::string>;

const int kButtons = static_cast<int>(chain::warpTargets().size());
const std::string& codeOf(const std::string& form) { return chain::entry(form).code; }
int buttonOf(const std::string& form) {
    const auto targets = chain::warpTargets();
    return static_cast<int>(std::find_if(targets.begin(), targets.end(), [&](const auto& t) { return t.form == form; }) -
                            targets.begin());
}
std::string lastCode() { return chain::warpTargets().back().code; }
std::string warpButton(int i) { return ui::indexed("warpButtons", i); }

std::vector<int> upTo(int last) {
    std::vector<int> v(static_cast<std::size_t>(last + 1));
    std::iota(v.begin(), v.end(), 0);
    return v;
}

struct WarpHarness : testing_support::FormHarness {
    WarpHarness() : FormHarness("warpzone") {
        start();
        click("maintitle", "continueButton");
    }
    // As a player does: into the box (which empties it when it takes the focus back), type, check.
    void enter(const std::string& digits) {
        press("codeBox");
        typeText(f, digits);
        press("checkCodeButton");
    }
    std::vector<int> revealed() {
        std::vector<int> shown;
        for (int i = 0; i < kButtons; ++i)
            if (shows(warpButton(i))) shown.push_back(i);
        return shown;
    }
};

TEST(WarpZone, RevealingIsCumulativeAndUnknownOrEmptyCodesDoNothing) {
    WarpHarness h;
    h.press("checkCodeButton");
    EXPECT_EQ(h.cap("codeBox"), "0");
    EXPECT_EQ(h.revealed(), upTo(0));
    h.enter(codeOf("mizuhusen"));
    h.enter(codeOf("mesarea3"));
    EXPECT_EQ(h.revealed(), upTo(buttonOf("mizuhusen")));
    h.enter("1234");
    EXPECT_EQ(h.cap("codeBox"), "1234") << "an unknown code stays in the box";
    EXPECT_EQ(h.revealed(), upTo(buttonOf("mizuhusen")));
    // A listener hears what each check opened, or that it opened nothing.
    const std::string open = "が開きました。開いているワープ先は" + std::to_string(buttonOf("mizuhusen") + 1) + "個";
    const std::string none = "このコードで開くワープ先はありません";
    EXPECT_EQ(h.said(), (std::vector<std::string>{"ワープコード、数字4桁。入れてエンターで開く", none, "「水風船投げ」" + open,
                                                  "「メッセージパート３」" + open, none}));
    EXPECT_EQ(h.ctl("codeBox").spokenName(), "ワープコード、数字4桁");
    ui::qt::assumeScreenReader(true);  // by ear the button a code opened takes the focus
    h.press("codeBox");
    h.typeText(h.f, codeOf("mesarea4"));
    h.key(h.f, Qt::Key_Return, "\r");
    ui::qt::assumeScreenReader(false);
    EXPECT_TRUE(static_cast<ui::Button&>(h.ctl(warpButton(buttonOf("mesarea4")))).hasFocus());
}

// The buttons in rows of four, numbered row by row, under the box; the window is drawn for four
// rows and grows by a row for each further one, with "戻る" in its corner.
TEST(WarpZone, TheButtonsStandInRowsOfFour) {
    WarpHarness h;
    for (int i = 0; i < kButtons; ++i)
        EXPECT_EQ(h.ctl(warpButton(i)).rect(), (ui::Rect{720 + 1680 * (i % 4), 1440 + 840 * (i / 4), 1575, 735})) << i;
    const int grown = 840 * std::max(0, (kButtons + 3) / 4 - 4);
    EXPECT_EQ(h.form(h.f).clientSize(), (ui::Size{8055, 6030 + grown}));
    EXPECT_EQ(h.ctl("backButton").rect(), (ui::Rect{6840, 5400 + grown, 1095, 615}));
}

TEST(WarpZone, TheBoxHoldsAtMostFourDigitsHoweverTextArrives) {
    WarpHarness h;
    h.press("codeBox");
    h.typeText(h.f, "12a -34");
    EXPECT_EQ(h.cap("codeBox"), "1234");
    h.typeText(h.f, "5");
    EXPECT_EQ(h.cap("codeBox"), "1234") << "a fifth digit is refused";
    h.key(h.f, Qt::Key_Home);
    h.typeText(h.f, "5");
    EXPECT_EQ(h.cap("codeBox"), "1234") << "at the front of a full box too";
    h.key(h.f, Qt::Key_End);
    h.key(h.f, Qt::Key_Backspace);
    EXPECT_EQ(h.cap("codeBox"), "123");

    auto* box = static_cast<QLineEdit*>(ui::qt::widgetOf(h.ctl("codeBox")));
    box->clear();
    QApplication::clipboard()->setText("12ab34567");
    box->paste();
    EXPECT_EQ(h.cap("codeBox"), "1234");
    box->clear();
    QString fullWidth;  // as an input method commits digits
    for (char c : lastCode()) fullWidth += QChar(0xFF10 + (c - '0'));
    box->insert(fullWidth);
    EXPECT_EQ(h.cap("codeBox"), lastCode());
    box->insert(QString::fromUtf8("漢字"));
    EXPECT_EQ(h.cap("codeBox"), lastCode());

    h.key(h.f, Qt::Key_Return, "\r");
    EXPECT_EQ(h.revealed(), upTo(kButtons - 1)) << "Enter checks like the button";
    EXPECT_EQ(h.cap("codeBox"), lastCode()) << "and keeps the digits";
}

// A player's round trip: the code a scene shows, typed after a restart, reveals the button that
// opens that very scene and every one before it; leading zeros may be left out.
TEST(WarpZone, EveryButtonOpensItsSceneWhoseCodeRevealsItAndEveryOneBefore) {
    {
        WarpHarness h;
        EXPECT_EQ(h.cap("codeBox"), "") << "the box opens empty";
        h.enter(lastCode());
        h.press("backButton");
        EXPECT_EQ(h.spoken("maintitle"),
                  std::vector<std::string>{
                      "タブで選び、スペースかエンターで決める。物語のページもスペースかエンターでめくり、Rでもう一度聞ける"})
            << "the keys once a run, not again on the way back";
        h.click("maintitle", "continueButton");
        EXPECT_EQ(h.revealed(), upTo(0)) << "back and again starts fresh";
    }
    for (int i = 0; i < kButtons; ++i) {
        const std::string form = chain::warpTargets()[static_cast<std::size_t>(i)].form;
        std::string shown;
        {
            WarpHarness h;
            h.enter(lastCode());
            h.press(warpButton(i));
            EXPECT_EQ(h.openForms(), Forms{form}) << warpButton(i);
            for (const auto& c : h.form(form).controls())
                if (auto* l = dynamic_cast<ui::Label*>(c.get()); l && l->caption().starts_with("C-PASS = "))
                    shown = l->caption().substr(9);
        }
        if (shown == "----") continue;  // the first scene's button is always there
        for (const std::string& typed : {shown, std::to_string(std::stoi(shown))}) {
            WarpHarness h;
            h.enter(typed);
            EXPECT_EQ(h.revealed(), upTo(i)) << form << "'s code " << typed;
        }
    }
}

TEST(PassCode, SanitizingAndCheckingAreSafeOnAnyInput) {
    EXPECT_EQ(warp::sanitizeCode("12ab34567"), "1234");
    EXPECT_EQ(warp::sanitizeCode("\xEF\xBC\x90\xEF\xBC\x99"), "09");           // full-width 0 and 9
    EXPECT_EQ(warp::sanitizeCode("\xEF\xBC"), "");                             // a truncated sequence
    const std::vector<std::string> codes{"", "0012", "3456", "0012", "----"};  // the first scene has no code
    EXPECT_EQ(warp::warpButtonForCode("12", codes), 3) << "of two buttons with one code, the later";
    EXPECT_EQ(warp::warpButtonForCode("3456", codes), 2);
    for (const char* text : {"0", "", "----", "-3456", "03456", "99999999999999999999"})
        EXPECT_EQ(warp::warpButtonForCode(text, codes), std::nullopt) << text;
}

}  // namespace

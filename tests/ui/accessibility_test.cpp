#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

#include <functional>
#include <map>
#include <tuple>

#include "scenes/script.h"
#include "scenes/utf16.h"
#include "support/harness.h"
#include "support/play.h"
#include "ui/qt/access.h"

namespace {

using namespace std::chrono_literals;
using testing_support::SceneHarness;

QAccessibleInterface* a11y(SceneHarness& h, const std::string& form, const std::string& control) {
    return QAccessible::queryAccessibleInterface(ui::qt::widgetOf(h.control(form, control)));
}
std::string nameOf(SceneHarness& h, const std::string& form, const std::string& control) {
    return a11y(h, form, control)->text(QAccessible::Name).toStdString();
}

TEST(Accessibility, ControlsHaveTheirRolesAndNamesAndDecorationsNone) {
    testing_support::OpenForm h("Hitandblow");
    struct Expect {
        const char* control;
        QAccessible::Role role;
        const char* name;
    };
    for (const auto& e :
         {Expect{"dialUpButtons(0)", QAccessible::Button, "1桁目 0 上げる"},
          Expect{"historyTitleLabel", QAccessible::StaticText, "これまでの履歴"},
          Expect{"padlockPicture", QAccessible::Graphic, "南京錠 0123で試す"},
          Expect{"dialPictures(2)", QAccessible::Graphic, "数字 2"},
          Expect{"dialDownButtons(3)", QAccessible::Button, "4桁目 3 下げる"},
          Expect{"legendPictures(0)", QAccessible::Graphic, "☆ ヒット"},
          Expect{"legendPictures(1)", QAccessible::Graphic, "★ ブロー"}, Expect{"verdictPicture", QAccessible::Graphic, ""}}) {
        QAccessibleInterface* i = a11y(h, "Hitandblow", e.control);
        ASSERT_NE(i, nullptr) << e.control;
        EXPECT_EQ(i->role(), e.role) << e.control;
        EXPECT_EQ(i->text(QAccessible::Name).toStdString(), e.name) << e.control;
        EXPECT_EQ(i->text(QAccessible::Description).toStdString(), "") << e.control << ": read once, as its name";
    }
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(ui::qt::windowOf(h.form("Hitandblow")))->text(QAccessible::Name).toStdString(),
        "鍵を開けろ！");

    h.click("Hitandblow", "dialUpButtons(2)");
    EXPECT_EQ(nameOf(h, "Hitandblow", "dialPictures(2)"), "数字 3") << "a new picture, a new name";
}

// Read at every tick, the row's name changes once, from nothing to the whole line: a screen reader
// hears the line when it is complete, never a half-typed one. (Qt's offscreen platform has no
// active accessibility bridge, so the events themselves cannot be heard in process; the name they
// announce is what is checked.)
TEST(Accessibility, AStoryLineIsReadWholeOnceItIsComplete) {
    testing_support::OpenForm h("mesarea1");
    const std::string& line = scenes::script("mesarea1").lines.at(0);
    std::vector<std::string> names;
    auto name = [&] { return nameOf(h, "mesarea1", "rows(0)"); };
    names.push_back(name());
    h.advance(450ms);
    for (std::size_t tick = 0; tick <= scenes::toUtf16(line).size(); ++tick) {
        h.advance(20ms);
        if (name() != names.back()) names.push_back(name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{" ", line}));
    EXPECT_EQ(h.caption("mesarea1", "rows(0)"), line);
    h.click("mesarea1", "rows(0)");  // a hurried line is whole at once, and read at once
    EXPECT_EQ(nameOf(h, "mesarea1", "rows(1)"), scenes::script("mesarea1").lines.at(1));
    for (int i = 2; i < 11; ++i) h.click("mesarea1", "rows(0)");
    h.click("mesarea1", "nextPageButton");
    EXPECT_EQ(nameOf(h, "mesarea1", "rows(1)"), " ") << "a new page reads blank";
}

// Each change a player sees raises an event on the control that changed, carrying its new name: a
// box's distance and the checks left, the marks of a guess, the dice thrown and the result of a
// bout, the squares left, the win, a caption that comes into view. (Qt's offscreen platform has no
// screen reader to send the events to; the controls' listener hears each one as it is raised.)
TEST(Accessibility, EachChangeIsAnnouncedWithItsNewText) {
    using testing_support::winScript;
    auto play = [](const std::string& form) {
        return [form](SceneHarness& h) {
            h.open(form);
            winScript(form).win(h);
        };
    };
    using Expected = std::vector<std::pair<std::string, std::string>>;  // control, its name ("" any)
    const std::vector<std::tuple<std::string, std::function<void(SceneHarness&)>, Expected>> cases{
        {"keysearch",
         [](SceneHarness& h) {
             h.script({SceneHarness::draw(9, 1), SceneHarness::draw(9, 1)});
             h.open("keysearch");
             h.key("keysearch", Qt::Key_Space, " ");  // box 0, two steps from the key
         },
         {{"boxPictures(0)", "宝箱 1行1列 2"}, {"checksLeftLabel", "3"}}},
        {"Hitandblow",
         [](SceneHarness& h) {
             h.open("Hitandblow");
             std::string s;
             for (int i = 0; i < 4; ++i) s += h.caption("Hitandblow", ui::indexed("secretDigitLabels", i));
             testing_support::tryHitAndBlow(h, {s[1], s[0], s[2], s[3]});  // two hits, two blows
             testing_support::winHitAndBlow(h);
             // clang-format off
         },
         {{"historyHitLabels(6)", "2"}, {"historyBlowLabels(6)", "2"}, {"historyHitLabels(5)", "4"},
          {"markPictures(3)", "☆"}, {"verdictPicture", "勝ち"}}},
        {"tintiro1", play("tintiro1"),
         // clang-format on
         {{"dicePictures(0)", ""}, {"smallDicePictures(2)", ""}, {"heroineResultPicture", ""}, {"bannerPicture", "勝ち"}}},
        {"max100game", play("max100game"), {{"squaresLeftLabel", "転落まで残り0マス"}, {"verdictPicture", "勝ち"}}},
        {"nagagutsu", play("nagagutsu"), {{"headingLabels(0)", ""}}},  // shown as the race starts, never renamed
        {"mesarea1",
         [](SceneHarness& h) { h.open("mesarea1"), h.click("mesarea1", "rows(0)"); },
         {{"rows(0)", scenes::script("mesarea1").lines.at(0)}}}};
    std::map<std::string, std::string> last;  // control, the name its last event carried
    std::map<std::string, int> events;
    ui::qt::setNameListener([&](const QWidget& w, const QString& name) {
        last[w.objectName().toStdString()] = name.toStdString();
        ++events[w.objectName().toStdString()];
    });
    for (const auto& [form, act, expected] : cases) {
        last.clear();
        events.clear();
        SceneHarness h;
        act(h);
        for (const auto& [control, text] : expected) {
            EXPECT_EQ(last[control], nameOf(h, form, control)) << form << "." << control;
            EXPECT_EQ(last[control], text.empty() ? last[control] : text) << form << "." << control;
            EXPECT_FALSE(last[control].empty()) << form << "." << control;
        }
        if (form == "nagagutsu") {
            EXPECT_EQ(events["headingLabels(0)"], 1) << "once, as it comes into view";
        }
        if (form == "max100game") {
            const auto moves =
                std::ranges::count_if(h.spoken(form), [](const std::string& s) { return s.find("マス進む") != s.npos; });
            EXPECT_EQ(events["squaresLeftLabel"], 2 + moves) << "as each of the script's two races loads, then once a move";
        }
    }
    ui::qt::setNameListener(nullptr);
}

// A label or picture without a click of its own lets a click through to the box beneath it; with
// nothing beneath, the click still stops short of the form.
TEST(Accessibility, ABoxOpensWhereverItIsClicked) {
    SceneHarness h;
    h.script({SceneHarness::draw(9, 8), SceneHarness::draw(9, 8)});
    h.open("keysearch");
    const std::string closed = h.picture("keysearch", "boxPictures(3)");
    h.clickForm("keysearch", 2800, 420);  // box 3's top strip, under the instruction
    EXPECT_NE(h.picture("keysearch", "boxPictures(3)"), closed);
    EXPECT_EQ(h.caption("keysearch", "checksLeftLabel"), "3");
    h.clickForm("keysearch", 4800, 200);  // the instruction alone
    EXPECT_EQ(h.caption("keysearch", "checksLeftLabel"), "3");
}

}  // namespace

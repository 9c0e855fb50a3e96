#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

#include <functional>

#include "scenes/script.h"
#include "scenes/utf16.h"
#include "support/harness.h"
#include "support/keyboard.h"
#include "support/play.h"
#include "ui/qt/access.h"

namespace {

using namespace std::chrono_literals;
using testing_support::SceneHarness;

QAccessibleInterface* a11y(SceneHarness& h, const std::string& form, const std::string& control) {
    return QAccessible::queryAccessibleInterface(ui::qt::widgetOf(h.control(form, control)));
}

TEST(Accessibility, ControlsHaveTheirRolesAndNamesAndDecorationsNone) {
    SceneHarness h;
    h.open("Hitandblow");
    struct Expect {
        const char* control;
        QAccessible::Role role;
        const char* name;
    };
    for (const auto& e : {Expect{"upbutton(0)", QAccessible::Button, "↑"},
                          Expect{"Label1", QAccessible::StaticText, "これまでの履歴"},
                          Expect{"Picture1", QAccessible::Graphic, "南京錠"},
                          Expect{"passno(2)", QAccessible::Graphic, "数字 2"},
                          Expect{"Image4(1)", QAccessible::Graphic, "★"},
                          Expect{"mark", QAccessible::Graphic, ""}}) {
        QAccessibleInterface* i = a11y(h, "Hitandblow", e.control);
        ASSERT_NE(i, nullptr) << e.control;
        EXPECT_EQ(i->role(), e.role) << e.control;
        EXPECT_EQ(i->text(QAccessible::Name).toStdString(), e.name) << e.control;
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ui::qt::windowOf(h.form("Hitandblow")))->text(QAccessible::Name).toStdString(),
              "鍵を開けろ！");

    h.click("Hitandblow", "upbutton(2)");
    EXPECT_EQ(a11y(h, "Hitandblow", "passno(2)")->text(QAccessible::Name).toStdString(), "数字 3")
        << "a new picture, a new name";
}

// Read at every tick, the row's name changes once, from nothing to the whole line: a screen reader
// hears the line when it is complete, never a half-typed one. (Qt's offscreen platform has no
// active accessibility bridge, so the events themselves cannot be heard in process; the name they
// announce is what is checked.)
TEST(Accessibility, AStoryLineIsReadWholeOnceItIsComplete) {
    SceneHarness h;
    h.open("mesarea1");
    const std::string& line = scenes::script("mesarea1").lines.at(0);
    std::vector<std::string> names;
    auto name = [&] { return a11y(h, "mesarea1", "meslabel1(0)")->text(QAccessible::Name).toStdString(); };
    names.push_back(name());
    h.advance(450ms);
    for (std::size_t tick = 0; tick <= scenes::toUtf16(line).size(); ++tick) {
        h.advance(20ms);
        if (name() != names.back()) names.push_back(name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{" ", line}));
    EXPECT_EQ(h.caption("mesarea1", "meslabel1(0)"), line);
    h.click("mesarea1", "meslabel1(0)");  // a hurried line is whole at once, and read at once
    EXPECT_EQ(a11y(h, "mesarea1", "meslabel1(1)")->text(QAccessible::Name).toStdString(),
              scenes::script("mesarea1").lines.at(1));
}

// What a screen reader is told: the control an event is about and the name it then reads.
struct Heard {
    std::string control;
    std::string text;
};
std::vector<Heard>& heard() {
    static std::vector<Heard> events;
    return events;
}

// Each change a player sees raises an event on the control that changed, and the name it carries
// is the new one: a box's distance, the checks left, the dice thrown, the marks of a guess, the
// result of a bout, the squares left, the win.
TEST(Accessibility, EachChangeIsAnnouncedWithItsNewText) {
    struct Case {
        std::string form;
        std::function<void(SceneHarness&)> play;
        std::vector<std::pair<std::string, std::string>> expected;  // control, its last text heard ("" any)
    };
    const std::vector<Case> cases{
        {"keysearch",
         [](SceneHarness& h) {
             h.script({SceneHarness::draw(9, 1), SceneHarness::draw(9, 1)});
             h.open("keysearch");
             h.key("keysearch", Qt::Key_Space, " ");  // box 0, two steps from the key
         },
         {{"Image1(0)", "数字 2"}, {"nokori", "3"}}},
        {"Hitandblow",
         [](SceneHarness& h) {
             h.open("Hitandblow");
             std::string secret;
             for (int i = 0; i < 4; ++i) secret += h.caption("Hitandblow", ui::indexed("passnumber", i));
             testing_support::tryHitandblow(h, {secret[1], secret[0], secret[2], secret[3]});
             testing_support::winHitandblow(h);
         },
         {{"mhit(6)", "2"}, {"mblow(6)", "2"}, {"mhit(5)", "4"}, {"hantei(3)", "☆"}, {"mark", "勝ち"}}},
        {"tintiro1",
         [](SceneHarness& h) {
             h.open("tintiro1");
             testing_support::winScript("tintiro1").win(h);
         },
         {{"diceimg(0)", ""}, {"minidiceimg(2)", ""}, {"nonokakekka", ""}, {"Image3", "勝ち"}}},
        {"max100game",
         [](SceneHarness& h) {
             h.open("max100game");
             testing_support::winScript("max100game").win(h);
         },
         {{"nokorimasu", ""}, {"diceimg(1)", ""}, {"Image3", "勝ち"}}},
    };
    // Qt's offscreen platform has no screen reader to send the events to; the controls' listener
    // hears each one as it is raised.
    ui::qt::setNameListener([](const QWidget& w, const QString& name) {
        heard().push_back({w.objectName().toStdString(), name.toStdString()});
    });
    for (const Case& c : cases) {
        heard().clear();
        SceneHarness h;
        c.play(h);
        for (const auto& [control, text] : c.expected) {
            std::string last = "(nothing heard)";
            for (const Heard& e : heard())
                if (e.control == control) last = e.text;
            const std::string now = a11y(h, c.form, control)->text(QAccessible::Name).toStdString();
            EXPECT_EQ(last, now) << c.form << "." << control << ": the last event carries the text it shows";
            if (!text.empty()) {
                EXPECT_EQ(last, text) << c.form << "." << control;
            }
            EXPECT_FALSE(last.empty()) << c.form << "." << control;
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
    const std::string closed = h.picture("keysearch", "Image1(3)");
    h.clickForm("keysearch", 2800, 420);  // box 3's top strip, under the instruction
    EXPECT_NE(h.picture("keysearch", "Image1(3)"), closed);
    EXPECT_EQ(h.caption("keysearch", "nokori"), "3");
    h.clickForm("keysearch", 4800, 200);  // the instruction alone
    EXPECT_EQ(h.caption("keysearch", "nokori"), "3");
}

}  // namespace

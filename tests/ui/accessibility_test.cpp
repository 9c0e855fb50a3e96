#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

#include "scenes/script.h"
#include "scenes/utf16.h"
#include "support/harness.h"
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

}  // namespace

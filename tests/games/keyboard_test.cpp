#include <gtest/gtest.h>

#include "chain/formtable.h"
#include "scenes/script.h"
#include "support/keyboard.h"
#include "support/play.h"
#include "ui/button.h"
#include "ui/qt/access.h"

namespace {

using namespace std::chrono_literals;
using namespace testing_support;
using Names = std::vector<std::string>;

class Keyboard : public testing::TestWithParam<std::string> {};

// From its load to its exit with keys alone: a Tab round never meets a secret, and before every key
// the form or one of its showing, enabled controls holds the focus.
TEST_P(Keyboard, PlaysTheGameToItsExitWithoutLosingTheFocus) {
    const std::string& form = GetParam();
    OpenForm h(form);
    ui::qt::assumeScreenReader(true);  // by ear, where the way on takes the focus
    KeyboardWatch watch(h, form);
    for (std::size_t i = 0; i <= h.form(form).controls().size(); ++i) {
        h.key(form, Qt::Key_Tab);
        const ui::Control* focused = h.form(form).find(focusedControl(h, form));
        EXPECT_FALSE(focused && focused->secret()) << focused->name();
    }
    {
        const PressBy keys(pressByKeys);
        winScript(form).win(h);
        EXPECT_EQ(focusedControl(h, form), chain::mainExit(form)) << "the way on takes the focus";
        pressByKeys(h, form, chain::mainExit(form));
    }
    ui::qt::assumeScreenReader(false);
    EXPECT_FALSE(h.app().isLoaded(form));
    EXPECT_EQ(h.openForms().size(), 1u) << "the next scene";
    EXPECT_EQ(watch.mousePresses, 0);
    EXPECT_EQ(watch.problems, Names{});
}

INSTANTIATE_TEST_SUITE_P(EveryGame, Keyboard, testing::ValuesIn(chain::gameForms()), [](const auto& info) { return info.param; });

// Space hurries the line being typed, as a click on the page does; NEXT PAGE and the exit take the
// focus as they appear, so Space alone reads a story to its end.
TEST(Keyboard, SpaceReadsAStoryToItsExit) {
    OpenForm h("mesarea1");
    KeyboardWatch watch(h, "mesarea1");
    h.advance(470ms);
    h.key("mesarea1", Qt::Key_Space, " ");
    EXPECT_EQ(h.caption("mesarea1", "rows(0)"), scenes::script("mesarea1").lines.at(0));
    for (int guard = 0; guard < 1000 && h.app().isLoaded("mesarea1"); ++guard) {
        h.key("mesarea1", Qt::Key_Space, " ");
        h.advance(20ms);
    }
    EXPECT_EQ(h.openForms(), Names{h.nextForm("mesarea1", "nextButton")});
    EXPECT_EQ(watch.problems, Names{});
}

// The arrows move within a grid, over cells that cannot take the focus, and stop at its edge.
TEST(Keyboard, ArrowsMoveWithinAGrid) {
    SceneHarness h;
    auto walk = [&](const std::string& form, std::initializer_list<int> keys) {
        Names seen;
        for (int k : keys) {
            h.key(form, k);
            seen.push_back(focusedControl(h, form));
        }
        return seen;
    };
    h.open("keysearch");
    h.control("keysearch", "boxPictures(10)").setEnabled(false);
    EXPECT_EQ(
        walk("keysearch", {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up}),
        (Names{"boxPictures(1)", "boxPictures(19)", "boxPictures(18)", "boxPictures(18)", "boxPictures(9)", "boxPictures(0)"}));
    ui::qt::assumeScreenReader(true);
    h.open("Hitandblow");
    h.settle(), h.settle();  // painted, and then
    ui::qt::assumeScreenReader(false);
    EXPECT_EQ(focusedControl(h, "Hitandblow"), "dialUpButtons(0)") << "by ear the lock opens on its first dial";
    EXPECT_EQ(walk("Hitandblow", {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab,
                                  Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}),
              (Names{"dialUpButtons(0)", "dialUpButtons(0)", "dialUpButtons(1)", "dialUpButtons(1)", "dialDownButtons(1)",
                     "dialUpButtons(2)", "dialDownButtons(2)", "dialUpButtons(3)", "dialDownButtons(3)", "padlockPicture",
                     "dialUpButtons(0)"}))
        << "Up and Down turn a dial, Left and Right go to the next, Tab reads each dial's ↑ then ↓";
    EXPECT_EQ(h.spoken("Hitandblow").back(), "2桁目 2");
    EXPECT_EQ(h.control("Hitandblow", "dialUpButtons(0)").spokenName(), "1桁目 8 上げる");
    h.open("max100game");
    h.advance(1000ms);  // the STOP buttons come on
    static_cast<ui::Button&>(h.control("max100game", "stopButtons(1)")).setFocus();
    EXPECT_EQ(walk("max100game", {Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down}),
              (Names{"heroineDicePictures(1)", "heroineDicePictures(0)", "stopButtons(0)", "stopButtons(0)"}))
        << "each die with its STOP below it";
}

}  // namespace

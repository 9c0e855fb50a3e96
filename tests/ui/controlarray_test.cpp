#include <gtest/gtest.h>
#include <Qt>

#include "support/harness.h"
#include "ui/form.h"

namespace {

using namespace std::chrono_literals;
using testing_support::SceneHarness;
using Log = std::vector<std::string>;

// Arrays of every kind, each handler logging the index it was given.
class Arrays final : public ui::Form {
public:
    Arrays(app::App& app, Log& sink)
        : ui::Form(app.clock(), "arrays", "arrays", {6000, 4500}, ui::kButtonFace),
          log(sink),
          Image1(imageArray("Image1", 3, [](int i) { return ui::Rect{300 + 900 * i, 300, 600, 600}; })),
          Label1(labelArray("Label1", 2, [](int i) { return ui::Rect{300 + 900 * i, 1200, 600, 300}; }, "x")),
          Command1(buttonArray("Command1", 2, [](int i) { return ui::Rect{300 + 1500 * i, 2400, 1200, 450}; }, "go")),
          dicetimer(timerArray("dicetimer", 2, 45)) {
        Image1.onClick = [this](int i) { log.push_back("Image1_Click " + std::to_string(i)); };
        Image1.onDblClick = [this](int i) { log.push_back("Image1_DblClick " + std::to_string(i)); };
        Label1.onClick = [this](int i) { log.push_back("Label1_Click " + std::to_string(i)); };
        Command1.onClick = [this](int i) { log.push_back("Command1_Click " + std::to_string(i)); };
        dicetimer.onTick = [this](int i) { log.push_back("dicetimer_Timer " + std::to_string(i)); };
    }
    void Form_Click() override { log.push_back("Form_Click"); }

    Log& log;
    ui::ControlArray<ui::Image>& Image1;
    ui::ControlArray<ui::Label>& Label1;
    ui::ControlArray<ui::Button>& Command1;
    ui::ControlArray<ui::Timer>& dicetimer;
};

struct ArrayHarness : SceneHarness {
    ArrayHarness() {
        app().registerForm("arrays", [this](app::App& a) { return std::make_unique<Arrays>(a, log); });
        open("arrays");
    }
    Arrays& form() { return static_cast<Arrays&>(SceneHarness::form("arrays")); }
    Log log;
};

TEST(ControlArrays, ElementsAreNamedByIndexAndTheirHandlersReceiveIt) {
    ArrayHarness h;
    Arrays& f = h.form();
    EXPECT_EQ(f.Image1.size(), 3);
    EXPECT_EQ(&f.Image1[2], f.find("Image1(2)"));
    EXPECT_EQ(f.findTimer("dicetimer(1)"), &f.dicetimer[1]);
    EXPECT_THROW(f.Image1[3], std::out_of_range);
    int n = 0;
    for (ui::Image& image : f.Image1) n += image.visible();
    EXPECT_EQ(n, 3);

    h.click("arrays", "Image1(2)");
    h.dblClick("arrays", "Image1(0)");
    h.click("arrays", "Label1(1)");
    h.click("arrays", "Command1(0)");
    f.dicetimer[1].setEnabled(true);
    h.advance(45ms);
    EXPECT_EQ(h.log, (Log{"Image1_Click 2", "Image1_Click 0", "Image1_DblClick 0", "Label1_Click 1", "Command1_Click 0",
                          "dicetimer_Timer 1"}));
}

TEST(ControlArrays, DisabledControlsSwallowTheirClicksAndHiddenOnesNeverFire) {
    ArrayHarness h;
    Arrays& f = h.form();
    f.Image1[0].setEnabled(false);
    f.Label1[0].setEnabled(false);
    f.Command1[1].setEnabled(false);
    h.clickAnyway("arrays", "Image1(0)");
    h.clickAnyway("arrays", "Label1(0)");
    h.clickAnyway("arrays", "Command1(1)");
    EXPECT_TRUE(h.log.empty()) << "nothing fired, and nothing reached the form: " << (h.log.empty() ? "" : h.log[0]);

    f.Command1[0].setFocus();
    f.Command1[0].setVisible(false);
    EXPECT_FALSE(f.Command1[0].hasFocus()) << "the focus leaves a control that hides";
    h.key("arrays", Qt::Key_Space, " ");
    EXPECT_EQ(h.log, std::vector<std::string>{"Form_Click"}) << "the other button is disabled: the form has the focus";
}

// Declares a control or timer under a name already taken on the form.
class Twice final : public ui::Form {
public:
    Twice(app::App& app, bool timerClash) : ui::Form(app.clock(), "twice", "twice", {3000, 3000}, ui::kButtonFace) {
        imageArray("Image1", 2, [](int i) { return ui::Rect{0, 600 * i, 600, 600}; });
        if (timerClash)
            timer("Image1(1)", 100);
        else
            label("Image1(0)", {0, 0, 600, 300}, "");
    }
};

TEST(ControlArrays, ANameCanBeDeclaredOnlyOnce) {
    SceneHarness h;
    EXPECT_THROW(Twice(h.app(), false), std::logic_error);
    EXPECT_THROW(Twice(h.app(), true), std::logic_error);
}

}  // namespace

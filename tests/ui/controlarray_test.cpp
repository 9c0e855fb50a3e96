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
    // clang-format off
public:
    Arrays(app::App& app, Log& sink)
        : ui::Form(app.clock(), "arrays", "arrays", {6000, 4500}, ui::kButtonFace),
          log(sink),
          images(imageArray("images", 3, [](int i) { return ui::Rect{300 + 900 * i, 300, 600, 600}; })),
          labels(labelArray("labels", 2, [](int i) { return ui::Rect{300 + 900 * i, 1200, 600, 300}; }, "x")),
          buttons(buttonArray("buttons", 2, [](int i) { return ui::Rect{300 + 1500 * i, 2400, 1200, 450}; }, "go")),
          // clang-format on
          tickTimers(timerArray("tickTimers", 2, 45)) {
        images.onClick = [this](int i) { log.push_back("image click " + std::to_string(i)); };
        images.onDblClick = [this](int i) { log.push_back("image double-click " + std::to_string(i)); };
        labels.onClick = [this](int i) { log.push_back("label click " + std::to_string(i)); };
        buttons.onClick = [this](int i) { log.push_back("button click " + std::to_string(i)); };
        tickTimers.onTick = [this](int i) { log.push_back("tick " + std::to_string(i)); };
    }
    void onClick() override { log.push_back("onClick"); }

    Log& log;
    ui::ControlArray<ui::Image>& images;
    ui::ControlArray<ui::Label>& labels;
    ui::ControlArray<ui::Button>& buttons;
    ui::ControlArray<ui::Timer>& tickTimers;
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
    EXPECT_EQ(f.images.size(), 3);
    EXPECT_EQ(&f.images[2], f.find("images(2)"));
    EXPECT_EQ(f.findTimer("tickTimers(1)"), &f.tickTimers[1]);
    EXPECT_THROW(f.images[3], std::out_of_range);
    int n = 0;
    for (ui::Image& image : f.images) n += image.visible();
    EXPECT_EQ(n, 3);
    auto it = f.images.begin();
    const auto was = it++;
    EXPECT_EQ(std::pair(&*was, &*it), std::pair(&f.images[0], &f.images[1])) << "a step after, the element before";

    h.click("arrays", "images(2)");
    h.dblClick("arrays", "images(0)");
    h.click("arrays", "labels(1)");
    h.click("arrays", "buttons(0)");
    f.tickTimers[1].setEnabled(true);
    h.advance(45ms);
    EXPECT_EQ(h.log,
              (Log{"image click 2", "image click 0", "image double-click 0", "label click 1", "button click 0", "tick 1"}));
}

TEST(ControlArrays, DisabledControlsSwallowTheirClicksAndHiddenOnesNeverFire) {
    ArrayHarness h;
    Arrays& f = h.form();
    f.images[0].setEnabled(false);
    f.labels[0].setEnabled(false);
    f.buttons[1].setEnabled(false);
    h.clickAnyway("arrays", "images(0)");
    h.clickAnyway("arrays", "labels(0)");
    h.clickAnyway("arrays", "buttons(1)");
    EXPECT_TRUE(h.log.empty()) << "nothing fired, and nothing reached the form: " << (h.log.empty() ? "" : h.log[0]);

    f.buttons[0].setFocus();
    f.buttons[0].setVisible(false);
    EXPECT_FALSE(f.buttons[0].hasFocus()) << "the focus leaves a control that hides";
    h.key("arrays", Qt::Key_Space, " ");
    EXPECT_EQ(h.log, std::vector<std::string>{"onClick"}) << "the other button is disabled: the form has the focus";
}

// Declares a control or timer under a name already taken on the form.
class Twice final : public ui::Form {
public:
    Twice(app::App& app, bool timerClash) : ui::Form(app.clock(), "twice", "twice", {3000, 3000}, ui::kButtonFace) {
        imageArray("images", 2, [](int i) { return ui::Rect{0, 600 * i, 600, 600}; });
        if (timerClash)
            timer("images(1)", 100);
        else
            label("images(0)", {0, 0, 600, 300}, "");
    }
};

TEST(ControlArrays, ANameCanBeDeclaredOnlyOnce) {
    SceneHarness h;
    EXPECT_THROW(Twice(h.app(), false), std::logic_error);
    EXPECT_THROW(Twice(h.app(), true), std::logic_error);
}

}  // namespace

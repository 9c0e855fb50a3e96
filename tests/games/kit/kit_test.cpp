#include <gtest/gtest.h>

#include "app/steppedreveal.h"
#include "games/kit/countdown.h"
#include "games/kit/refusedclose.h"
#include "games/kit/rollreveal.h"
#include "support/harness.h"
#include "ui/keys.h"
#include "ui/messagebox.h"
#include "ui/qt/access.h"

namespace {

using namespace std::chrono_literals;

// A bare form running one of each motion, recording what the motions hand back to it.
class Motions final : public ui::Form {
public:
    Motions(app::App& app, assets::Sozai& sozai)
        : ui::Form(app.clock(), "motions", "motions", {6000, 4500}, ui::kButtonFace),
          face(image("face", {0, 0, 1125, 1125})),
          first(label("first", {0, 1200, 1500, 300}, "first")),
          second(label("second", {0, 1600, 1500, 300}, "second")),
          banner(timer("banner", 1000)),
          counting(timer("counting", 1000), face, sozai, {this, &Motions::go}),
          rolling(timer("rolling", 100), {this, &Motions::draw}, {this, &Motions::roll}, {this, &Motions::land}),
          steps(timer("steps", 500), {&first, nullptr, &second}, {this, &Motions::stepsDone}),
          story(*this, "title", {"one", "two"}, {&banner}) {
        first.setVisible(false);
        second.setVisible(false);
    }
    void onUnload(ui::UnloadRequest& request) override { (void)story.tell(request); }

    void go() { log += "go "; }
    void draw() { log += "draw "; }
    void roll() { log += "roll "; }
    void land() { log += "land "; }
    void stepsDone() { log += "done "; }

    std::string log;
    ui::Image& face;
    ui::Label& first;
    ui::Label& second;
    ui::Timer& banner;
    games::kit::Countdown counting;
    games::kit::RollReveal rolling;
    app::SteppedReveal steps;
    games::kit::RefusedClose story;
};

struct Harness : testing_support::FormHarness {
    Harness() : FormHarness("motions") {
        app().registerForm(f, [this](app::App& a) { return std::make_unique<Motions>(a, program().sozai()); });
        open();
    }
    Motions& m() { return static_cast<Motions&>(form(f)); }
};

// Each motion hands over once, at its end: the countdown after showing 0 (saying how to play on
// its first tick, then 3, 2, 1), the roll on the tick that lands (it draws on every tick), the
// reveal after its last step (an empty one only waits).
TEST(Kit, EachMotionHandsOverOnceAtItsEnd) {
    Harness h;
    h.m().counting.start(5, "how");
    h.advance(1000ms);
    EXPECT_EQ(h.pic("face"), "store/numberimg_4");
    EXPECT_EQ(h.m().counting.left(), 4);
    h.advance(3999ms);
    EXPECT_EQ(h.m().log, "");
    h.advance(5s);
    EXPECT_EQ(h.pic("face"), "store/numberimg_0");
    EXPECT_EQ(h.m().log, "go ");
    EXPECT_EQ(h.said(), (std::vector<std::string>{"how", "3", "2", "1"}));

    ui::qt::assumeScreenReader(true);  // a listener hears how to play, and the countdown waits for Space
    h.m().counting.start(2, "how");
    ui::qt::assumeScreenReader(false);
    h.advance(60s);
    ui::KeyEvent left(ui::Key::Left), space(ui::Key::Space);
    EXPECT_FALSE(h.m().counting.keyDown(left) || left.accepted());
    EXPECT_TRUE(h.m().counting.keyDown(space) && space.accepted());
    ui::KeyEvent again(ui::Key::Space);  // counting now: Space is the player's again
    EXPECT_FALSE(h.m().counting.waiting() || h.m().counting.keyDown(again) || again.accepted());
    EXPECT_EQ(h.across(2000ms, [&] { return h.m().log; }), testing_support::Change("go ", "go go "));
    EXPECT_EQ(h.said(), (std::vector<std::string>{"how", "3", "2", "1", "how。スペースで始める", "1"}));

    h.m().log.clear();
    h.m().rolling.start(3);
    h.advance(1s);
    EXPECT_EQ(h.m().log, "draw roll draw roll draw land ");

    h.m().log.clear();
    h.m().steps.start();
    h.advance(500ms);
    EXPECT_EQ(h.showing({"first", "second"}) + "|" + h.m().log, "first|");
    h.advance(500ms);
    EXPECT_EQ(h.showing({"first", "second"}) + "|" + h.m().log, "first|") << "the empty step only waits";
    h.advance(5s);
    EXPECT_EQ(h.showing({"first", "second"}) + "|" + h.m().log, "first second|done ");
    h.m().steps.start();  // again, from its first step
    h.advance(2s);
    EXPECT_EQ(h.m().log, "done done ");
}

// Armed, a close is refused and the story told once; the pending timer is off before the first
// box, and a close asked for while a box is up is refused without a second telling.
TEST(Kit, ArmedCloseStopsThePendingTimersThenTellsItsStoryOnce) {
    Harness h;
    std::vector<std::string> boxes;
    ui::setMessageBoxHandler([&](ui::Form&, const std::string& title, const std::string& text) {
        EXPECT_FALSE(h.m().banner.enabled()) << "a timer left on fires under the box";
        ui::UnloadRequest again;
        EXPECT_FALSE(h.m().story.tell(again));
        EXPECT_TRUE(again.refused());
        boxes.push_back(title + ":" + text);
    });
    h.m().banner.setEnabled(true);
    h.m().story.arm();
    h.close(h.f);
    EXPECT_EQ(boxes, (std::vector<std::string>{"title:one", "title:two"}));
    EXPECT_EQ(h.openForms(), std::vector<std::string>{h.f});
    h.close(h.f);
    EXPECT_TRUE(h.ended());
    EXPECT_EQ(boxes.size(), 2u);
    ui::setMessageBoxHandler(nullptr);
}

}  // namespace

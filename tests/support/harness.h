#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/random.h"
#include "chain/program.h"
#include "support/printers.h"
#include "ui/clock.h"
#include "ui/form.h"

class QPoint;
class QWidget;

namespace testing_support {

// Told what a loaded form says is broken of itself after any step of a harness; the test binaries
// fail the running test with it.
inline void (*reportBroken)(const std::string& what) = nullptr;

// Loaded, not yet unloaded, and its window up.
bool onScreen(const ui::Form& form);

// Plays the game as a player would, on the offscreen platform and the manual clock: clicks are
// real mouse events sent to the window at a control's centre, so stacking and routing count.
class SceneHarness {
public:
    // On the manual clock, or (realClock) on Qt's precise timers with real waits; the game's own
    // form table unless given another.
    explicit SceneHarness(bool realClock = false, const chain::FormTable& table = chain::formTable());
    ~SceneHarness();

    chain::Program& program() { return program_; }
    app::App& app() { return program_.app(); }
    app::Random& random() { return random_; }
    ui::ManualClock& clock() { return clock_; }

    ui::Form& start();                        // the title, as at start-up
    ui::Form& open(const std::string& form);  // straight to a form, as the warp zone would
    ui::Form& form(const std::string& name);  // a loaded form; fails the test if there is none

    // Refuses (fails the test) a hidden or disabled control.
    void click(const std::string& form, const std::string& control);
    // A real click at the control's centre whatever its state, to prove that a disabled control
    // does nothing (a hidden one leaves the click to whatever lies beneath it).
    void clickAnyway(const std::string& form, const std::string& control);
    void dblClick(const std::string& form, const std::string& control, int qtButton = 1);
    // A click on the form itself, at a point (in twips) where no control lies.
    void clickForm(const std::string& form, int xTwips, int yTwips);
    void dblClickForm(const std::string& form, int xTwips, int yTwips);
    void key(const std::string& form, int qtKey, const std::string& text = {});
    // A key-down alone, as a held key repeats it (no release in between).
    void keyDown(const std::string& form, int qtKey, bool autoRepeat = false);
    void typeText(const std::string& form, const std::string& text);
    void close(const std::string& form);  // the window's close box
    // Clicks through a story scene, a line per click and "NEXT PAGE" at each page end, until its
    // exit shows (or, on a scene without one, until clicks change nothing more).
    void readThrough(const std::string& form);
    void advance(std::chrono::milliseconds ms);
    void settle();  // lets queued work (deferred deletion, quit) run
    // While held, actions do not let queued work run after them (two events back to back).
    void holdSettling(bool on) { holdSettling_ = on; }
    // A press on one control and the release on another, with any button.
    void pressAndRelease(const std::string& form, const std::string& pressOn, const std::string& releaseOn, int qtButton = 1);
    void clickWith(const std::string& form, const std::string& control, int qtButton, bool twice = false);

    // Shown, loaded forms in loading order (the hidden picture store is not a window).
    std::vector<std::string> openForms();
    // The form an exit button of this form leads to, as the chain's table says ("" ends the
    // program): tests ask this rather than restating the story's order.
    std::string nextForm(const std::string& form, const std::string& exit) { return app().facts(form).exits.at(exit); }
    std::string lostSaying(const std::string& form, const std::string& what) {  // `what` happened, then the way back
        return what + "。続きのコードは" + app().facts(form).code +
               "。ウィンドウを閉じ、タイトルの「続きから」でこのコードを入れると、ここからやり直せる";
    }
    bool ended() const { return ended_; }
    const std::vector<std::pair<std::string, std::string>>& messageBoxes() const { return boxes_; }
    // What a player who cannot see the screen has heard so far: every sentence a form announced,
    // with its moment on the manual clock; or only one form's sentences, in order.
    struct Spoken {
        std::string form;
        std::string sentence;
        std::int64_t ms;
    };
    const std::vector<Spoken>& spoken() const { return spoken_; }
    std::vector<std::string> spoken(const std::string& form) const;
    void forgetSpoken() { spoken_.clear(); }
    // A message box stays open this long before its OK is pressed, the clock running and every
    // timer ticking meanwhile, as under a modal box on screen. Zero answers at once.
    void setBoxTime(std::chrono::milliseconds ms) { boxTime_ = ms; }
    // Called while each box is still open, once its time has passed.
    std::function<void()> whileBoxOpen;

    // Scripted chance, written as intentions: draw(n, k) is the draw for which random.below(n) = k.
    static double draw(int n, int k) { return (k + 0.5) / n; }
    void script(std::initializer_list<double> values);

    std::string caption(const std::string& form, const std::string& control);
    std::string picture(const std::string& form, const std::string& image);  // store name, "" if empty
    int left(const std::string& form, const std::string& control);           // twips
    int width(const std::string& form, const std::string& control);          // twips
    bool timerEnabled(const std::string& form, const std::string& timer);
    int timerInterval(const std::string& form, const std::string& timer);
    bool visible(const std::string& form, const std::string& control);
    bool enabled(const std::string& form, const std::string& control);
    ui::Control& control(const std::string& form, const std::string& name);

private:
    void boxOpen(const std::string& title, const std::string& text);
    ui::Timer& timer(const std::string& form, const std::string& name);
    QWidget* target(const std::string& form, const std::string& control);
    QPoint centre(const std::string& form, const std::string& control);

    ui::ManualClock clock_;
    std::unique_ptr<ui::Clock> realClock_;
    app::Random random_;
    chain::Program program_;
    bool holdSettling_ = false;
    bool ended_ = false;
    std::vector<std::pair<std::string, std::string>> boxes_;
    std::vector<Spoken> spoken_;
    std::chrono::milliseconds boxTime_{1000};
};

using Change = std::pair<std::string, std::string>;  // before, after

// A harness for the tests of one game or scene: the form is named once, and every look and click
// goes to it.
struct FormHarness : SceneHarness {
    explicit FormHarness(std::string form) : f(std::move(form)) {}
    const std::string f;

    using SceneHarness::open;
    ui::Form& open() { return open(f); }
    ui::Control& ctl(const std::string& c) { return control(f, c); }
    std::string pic(const std::string& image) { return picture(f, image); }
    std::string cap(const std::string& c) { return caption(f, c); }
    bool shows(const std::string& c) { return visible(f, c); }
    bool live(const std::string& c) { return enabled(f, c); }
    bool on(const std::string& timer) { return timerEnabled(f, timer); }
    void press(const std::string& c) { click(f, c); }
    void down(int qtKey, bool autoRepeat = false) { keyDown(f, qtKey, autoRepeat); }
    std::vector<std::string> said() const { return spoken(f); }
    std::vector<std::string> lastSaid(std::size_t n) const;  // the last n sentences, or all there are
    std::string next(const std::string& exit) { return nextForm(f, exit); }
    // Of these controls, those that show, in the order given, a space between.
    std::string showing(const std::vector<std::string>& controls);
    std::vector<std::string> timersOn();
    bool fits(const std::string& label);  // its caption within its width on screen
    // What `look` finds a millisecond before `wait` has passed, and as it has: for a change due at
    // exactly that moment.
    template <class Look>
    auto across(std::chrono::milliseconds wait, Look look) {
        advance(wait - std::chrono::milliseconds(1));
        auto before = look();
        advance(std::chrono::milliseconds(1));
        return std::pair(before, look());
    }
    Change picAcross(std::chrono::milliseconds wait, const std::string& image) {
        return across(wait, [&] { return pic(image); });
    }
    std::pair<bool, bool> showsAcross(std::chrono::milliseconds wait, const std::string& control) {
        return across(wait, [&] { return shows(control); });
    }
    // Takes the exit and says where it led: the forms on screen, and " +store" if the picture store
    // outlived the game.
    std::string leave(const std::string& exit);
};

// The same with the form on screen from the start, for a test that plays it as it loads.
struct OpenForm : FormHarness {
    explicit OpenForm(std::string form) : FormHarness(std::move(form)) { open(); }
};

}  // namespace testing_support

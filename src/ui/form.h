#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "ui/button.h"
#include "ui/controlarray.h"
#include "ui/image.h"
#include "ui/keys.h"
#include "ui/label.h"
#include "ui/line.h"
#include "ui/textbox.h"
#include "ui/timer.h"
#include "ui/units.h"

namespace ui {

class Clock;

namespace detail {
struct FormWindow;
}

// What a form's onUnload is handed: the form goes unless it refuses.
class UnloadRequest {
public:
    void refuse() { refused_ = true; }
    bool refused() const { return refused_; }

private:
    bool refused_ = false;
};

// One fixed-size top-level window, with no minimise or maximise box. Behaviour lives in the
// virtual handlers; the controls are declared in the derived constructor, in layout order, with
// their design-time properties. Declaration order is stacking order: among labels, images and
// lines a later one lies above an earlier one, and windowed controls (buttons, text boxes,
// picture boxes) lie above them all, in their own declaration order, which is also the tab order.
// Every control and timer name is unique on its form; declaring one twice throws. A form is unloaded only through its owner (the
// App): the close box asks the owner, which runs onUnload (which may refuse), stops the timers and marks the form dead; the
// window is destroyed later, never inside one of its own handlers.
class Form {
public:
    Form(Clock& clock, std::string name, std::string caption, Size clientTwips, Rgb background);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    std::string caption() const;
    Size clientSize() const { return client_; }
    Rgb background() const { return background_; }

    virtual void onLoad() {}
    // Before the form goes, whoever asks (its close box, an exit, the owner); refusing keeps it.
    virtual void onUnload(UnloadRequest& request) { (void)request; }
    // Seen first, whatever has the focus, on forms that opt in with setKeyPreview; accepted, the
    // key goes no further.
    virtual void onKeyDown(KeyEvent& key) { (void)key; }
    virtual void onClick() {}
    virtual void onDoubleClick() {}

    // What must always hold between two events on this form, stated by the form itself; a
    // description of what is broken, or empty. Checked by the random player after every step.
    virtual std::string checkInvariants() const { return {}; }

    // Whether what the form plays has been decided: a game won or lost and its verdict shown, a
    // story told to its end. From then on only a way on (a button, a tab stop) changes anything.
    virtual bool decided() const { return false; }

    // Tells a player who cannot see the screen what has just been decided, in one short sentence
    // (ui/announcer.h says how it reaches a screen reader). Give a sentence once, when it is final:
    // never an animation's frames. The same sentence again within a second is not said twice.
    void announce(const std::string& sentence);

    // Looks a control up by name ("nextButton", "rows(3)"); nullptr when there is none.
    Control* find(const std::string& name) const;
    Timer* findTimer(const std::string& name) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }

    // Life cycle, driven by the owner.
    void load();
    void show();
    void shutDown();
    bool dead() const { return dead_; }
    // The close box was pressed: the owner decides whether the form goes.
    std::function<void()> onCloseBox;

    // Runs `fn` once, on a later turn of the event loop, after the window has been painted for
    // the first time (at once, queued, if it has been already); never if the form goes first.
    void afterFirstPaint(std::function<void()> fn);
    // The device pixel ratio of the screen the window is on (or will open on).
    double devicePixelRatio() const;

    bool keyPreview() const { return keyPreview_; }
    detail::FormWindow& window() const { return *window_; }

protected:
    Label& label(std::string name, Rect rect, std::string caption, Font font = dialogFont(), Align align = Align::Left);
    Button& button(std::string name, Rect rect, std::string caption, Font font = dialogFont());
    Image& image(std::string name, Rect rect, Picture picture = {});
    Image& pictureBox(std::string name, Rect rect, Picture picture = {});
    Line& line(std::string name, int x1, int y1, int x2, int y2, Rgb color = kBlack);
    TextBox& textBox(std::string name, Rect rect, std::string text, Font font = dialogFont());
    Timer& timer(std::string name, int intervalMs, bool enabled = false);

    // Control arrays: `count` elements named "name(0)" … with their index passed to the array's
    // handlers. `make(elementName, i)` declares one element with the declarators above.
    template <class C, class Make>
    ControlArray<C>& array(const std::string& name, int count, Make make);
    using RectOf = std::function<Rect(int)>;
    ControlArray<Image>& imageArray(const std::string& name, int count, const RectOf& rect, Picture picture = {});
    ControlArray<Label>& labelArray(const std::string& name, int count, const RectOf& rect, const std::string& caption,
                                    Font font = dialogFont(), Align align = Align::Left);
    ControlArray<Button>& buttonArray(const std::string& name, int count, const RectOf& rect, const std::string& caption,
                                      Font font = dialogFont());
    ControlArray<Timer>& timerArray(const std::string& name, int count, int intervalMs, bool enabled = false);

    // The same declarators with the control's handler named where the control is declared: a
    // member function of the derived form, e.g.
    // timer("typingTimer", 20, &MessageScene::onTypingTick). Array handlers receive the element's index.
    template <class F>
    Label& label(std::string name, Rect rect, std::string caption, Font font, Align align, void (F::*handler)()) {
        Label& l = label(std::move(name), rect, std::move(caption), std::move(font), align);
        l.onClick = bound(handler);
        return l;
    }
    template <class F>
    Button& button(std::string name, Rect rect, std::string caption, void (F::*handler)(), Font font = dialogFont()) {
        Button& b = button(std::move(name), rect, std::move(caption), std::move(font));
        b.onClick = bound(handler);
        return b;
    }
    template <class F>
    Image& image(std::string name, Rect rect, Picture picture, void (F::*handler)()) {
        Image& i = image(std::move(name), rect, std::move(picture));
        i.onClick = bound(handler);
        return i;
    }
    template <class F>
    Image& pictureBox(std::string name, Rect rect, Picture picture, void (F::*handler)()) {
        Image& i = pictureBox(std::move(name), rect, std::move(picture));
        i.onClick = bound(handler);
        return i;
    }
    template <class F>
    Timer& timer(std::string name, int intervalMs, void (F::*handler)(), bool enabled = false) {
        Timer& t = timer(std::move(name), intervalMs, enabled);
        t.onTick = bound(handler);
        return t;
    }
    template <class C, class Make, class F>
    ControlArray<C>& array(const std::string& name, int count, Make make, void (F::*handler)(int)) {
        ControlArray<C>& arr = array<C>(name, count, std::move(make));
        (std::is_same_v<C, Timer> ? arr.onTick : arr.onClick) = bound(handler);
        return arr;
    }
    template <class F>
    ControlArray<Image>& imageArray(const std::string& name, int count, const RectOf& rect, Picture picture,
                                    void (F::*handler)(int)) {
        ControlArray<Image>& arr = imageArray(name, count, rect, std::move(picture));
        arr.onClick = bound(handler);
        return arr;
    }
    template <class F>
    ControlArray<Button>& buttonArray(const std::string& name, int count, const RectOf& rect, const std::string& caption,
                                      void (F::*handler)(int), Font font = dialogFont()) {
        ControlArray<Button>& arr = buttonArray(name, count, rect, caption, std::move(font));
        arr.onClick = bound(handler);
        return arr;
    }

    void setKeyPreview(bool on) { keyPreview_ = on; }

private:
    // The derived form is whole by the time any event reaches it.
    template <class F, class... Args>
    std::function<void(Args...)> bound(void (F::*handler)(Args...)) {
        static_assert(std::is_base_of_v<Form, F>, "a handler is a member function of the form");
        return [this, handler](Args... args) { (static_cast<F*>(this)->*handler)(args...); };
    }

    template <class C>
    C& add(std::unique_ptr<C> control);
    void claimName(const std::string& name) const;

    Clock& clock_;
    std::string name_;
    Size client_;
    Rgb background_;
    bool keyPreview_ = false;
    bool dead_ = false;
    std::string lastSpoken_;
    std::int64_t lastSpokenAt_ = 0;
    std::unique_ptr<detail::FormWindow> window_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Timer>> timers_;
    std::vector<std::unique_ptr<ArrayBase>> arrays_;
};

// The name of element i of a control array, as forms and tests spell it: "rows(3)".
std::string indexed(const std::string& array, int i);

template <class C, class Make>
ControlArray<C>& Form::array(const std::string& name, int count, Make make) {
    auto owned = std::make_unique<ControlArray<C>>(name);
    ControlArray<C>& arr = *owned;
    arrays_.push_back(std::move(owned));
    for (int i = 0; i < count; ++i) {
        C& element = make(indexed(name, i), i);
        arr.append(element);
        if constexpr (std::is_same_v<C, Timer>) {
            element.onTick = [&arr, i] {
                if (arr.onTick) arr.onTick(i);
            };
        } else {
            element.onClick = [&arr, i] {
                if (arr.onClick) arr.onClick(i);
            };
            if constexpr (requires { element.onDblClick; })
                element.onDblClick = [&arr, i] {
                    if (arr.onDblClick) arr.onDblClick(i);
                };
        }
    }
    return arr;
}

}  // namespace ui

#include "ui/form.h"

#include <QGuiApplication>

#include <algorithm>
#include <stdexcept>

#include "ui/clock.h"
#include "ui/private/widgets.h"

namespace ui {

std::string indexed(const std::string& array, int i) { return array + "(" + std::to_string(i) + ")"; }

Form::Form(Clock& clock, std::string name, std::string caption, Size clientTwips, Rgb background)
    : clock_(clock),
      name_(std::move(name)),
      client_(clientTwips),
      background_(background),
      window_(std::make_unique<detail::FormWindow>(*this)) {
    window_->setWindowTitle(QString::fromStdString(caption));
    window_->setObjectName(QString::fromStdString(name_));
}

Form::~Form() {
    // Timers first: none may tick into a half-destroyed form.
    for (auto& t : timers_) t->kill();
    timers_.clear();
    controls_.clear();
    window_.reset();
}

void Form::afterFirstPaint(std::function<void()> fn) { window_->afterFirstPaint(std::move(fn)); }

double Form::devicePixelRatio() const { return window_->devicePixelRatioF(); }

std::string Form::caption() const { return window_->windowTitle().toStdString(); }

Control* Form::find(const std::string& name) const {
    auto it = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) { return c->name() == name; });
    return it == controls_.end() ? nullptr : it->get();
}

Timer* Form::findTimer(const std::string& name) const {
    auto it = std::find_if(timers_.begin(), timers_.end(), [&](const auto& t) { return t->name() == name; });
    return it == timers_.end() ? nullptr : it->get();
}

void Form::claimName(const std::string& name) const {
    if (find(name) || findTimer(name)) throw std::logic_error(name_ + " declares " + name + " twice");
}

template <class C>
C& Form::add(std::unique_ptr<C> control) {
    claimName(control->name());
    C& ref = *control;
    if (auto* w = ref.widget().w.data()) w->setObjectName(QString::fromStdString(ref.name()));
    controls_.push_back(std::move(control));
    return ref;
}

Label& Form::label(std::string name, Rect rect, std::string caption, Font font, Align align) {
    return add(std::make_unique<Label>(*this, std::move(name), rect, std::move(caption), std::move(font), align));
}

Button& Form::button(std::string name, Rect rect, std::string caption, Font font) {
    return add(std::make_unique<Button>(*this, std::move(name), rect, std::move(caption), std::move(font)));
}

Image& Form::image(std::string name, Rect rect, Picture picture) {
    return add(std::make_unique<Image>(*this, std::move(name), rect, std::move(picture)));
}

Image& Form::pictureBox(std::string name, Rect rect, Picture picture) {
    return add(std::make_unique<Image>(*this, std::move(name), rect, std::move(picture), true));
}

Line& Form::line(std::string name, int x1, int y1, int x2, int y2, Rgb color) {
    return add(std::make_unique<Line>(*this, std::move(name), x1, y1, x2, y2, color));
}

TextBox& Form::textBox(std::string name, Rect rect, std::string text, Font font) {
    return add(std::make_unique<TextBox>(*this, std::move(name), rect, std::move(text), std::move(font)));
}

Timer& Form::timer(std::string name, int intervalMs, bool enabled) {
    claimName(name);
    timers_.push_back(std::make_unique<Timer>(clock_, std::move(name), intervalMs, enabled));
    return *timers_.back();
}

ControlArray<Image>& Form::imageArray(const std::string& name, int count, const RectOf& rect, Picture picture) {
    return array<Image>(name, count, [&](const std::string& n, int i) -> Image& { return image(n, rect(i), picture); });
}

ControlArray<Label>& Form::labelArray(const std::string& name, int count, const RectOf& rect, const std::string& caption,
                                      Font font, Align align) {
    return array<Label>(name, count,
                        [&](const std::string& n, int i) -> Label& { return label(n, rect(i), caption, font, align); });
}

ControlArray<Button>& Form::buttonArray(const std::string& name, int count, const RectOf& rect, const std::string& caption,
                                        Font font) {
    return array<Button>(name, count, [&](const std::string& n, int i) -> Button& { return button(n, rect(i), caption, font); });
}

ControlArray<Timer>& Form::timerArray(const std::string& name, int count, int intervalMs, bool enabled) {
    return array<Timer>(name, count, [&](const std::string& n, int) -> Timer& { return timer(n, intervalMs, enabled); });
}

void Form::load() {
    // Drawn controls stack by declaration order; windowed ones sit above them all. Tab order is
    // declaration order, as Qt gives it to children created in turn.
    for (auto& c : controls_)
        if (!c->windowed() && c->widget().w) c->widget().w->raise();
    for (auto& c : controls_)
        if (c->windowed() && c->widget().w) c->widget().w->raise();
    onLoad();
}

void Form::show() {
    if (dead_) return;
    const bool first = !window_->isVisible();
    if (!first) {
        window_->show();
        return;
    }
    window_->showPlaced();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) window_->raise();  // it cannot raise
    window_->activateWindow();
    // The focus starts on the first control in tab order that can take it, or with the form itself,
    // where Tab, Space and Enter still reach it.
    for (auto& c : controls_) {
        QWidget* w = c->widget().w;
        if (w && w->focusPolicy() != Qt::NoFocus && !w->isHidden() && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    window_->setFocus(Qt::OtherFocusReason);
}

void Form::shutDown() {
    if (dead_) return;
    dead_ = true;
    for (auto& t : timers_) t->kill();
    window_->hide();
}

}  // namespace ui

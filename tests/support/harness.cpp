#include "support/harness.h"

#include <algorithm>
#include <iterator>

#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QWindow>

#include "ui/announcer.h"
#include "ui/button.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/messagebox.h"
#include "ui/qt/access.h"
#include "ui/textbox.h"

namespace testing_support {

namespace {
QPoint pixels(int xTwips, int yTwips) { return {ui::twipsToPixels(xTwips), ui::twipsToPixels(yTwips)}; }
}  // namespace

bool onScreen(const ui::Form& form) { return !form.dead() && ui::qt::windowOf(form)->isVisible(); }

SceneHarness::SceneHarness(bool realClock, const chain::FormTable& table)
    : realClock_(realClock ? ui::makeQtClock() : nullptr),
      program_(realClock_ ? *realClock_ : static_cast<ui::Clock&>(clock_), random_, table) {
    random_.useSeed(12345);
    app().onEnd = [this] { ended_ = true; };
    ui::setMessageBoxHandler([this](ui::Form&, const std::string& t, const std::string& x) { boxOpen(t, x); });
    ui::setAnnouncementListener([this](const ui::Form& f, const std::string& sentence) {
        spoken_.push_back({f.name(), sentence, clock_.now()});
    });
}

std::vector<std::string> SceneHarness::spoken(const std::string& form) const {
    std::vector<std::string> out;
    for (const auto& s : spoken_)
        if (s.form == form) out.push_back(s.sentence);
    return out;
}

void SceneHarness::boxOpen(const std::string& title, const std::string& text) {
    boxes_.emplace_back(title, text);
    // The box's own event loop: ticks and queued work run whatever the settling hold says.
    if (realClock_) {
        QTest::qWait(static_cast<int>(boxTime_.count()));
    } else {
        clock_.advance(boxTime_.count());
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
    if (whileBoxOpen) whileBoxOpen();
}

SceneHarness::~SceneHarness() {
    holdSettling_ = false;
    ui::setMessageBoxHandler(nullptr);
    ui::setAnnouncementListener(nullptr);
    settle();
}

ui::Form& SceneHarness::start() {
    program_.start();
    settle();
    return form("maintitle");
}

ui::Form& SceneHarness::open(const std::string& name) {
    ui::Form& f = app().show(name);
    settle();
    return f;
}

ui::Form& SceneHarness::form(const std::string& name) {
    ui::Form* f = app().loadedForm(name);
    if (!f) throw std::runtime_error("form " + name + " is not loaded");
    return *f;
}

ui::Control& SceneHarness::control(const std::string& formName, const std::string& name) {
    ui::Control* c = form(formName).find(name);
    if (!c) throw std::runtime_error("form " + formName + " has no control " + name);
    return *c;
}

QWidget* SceneHarness::target(const std::string& formName, const std::string& name) {
    ui::Control& c = control(formName, name);
    QWidget* w = ui::qt::widgetOf(c);
    if (!onScreen(form(formName))) throw std::runtime_error(formName + " is not on screen");
    if (!w->isVisible()) throw std::runtime_error(formName + "." + name + " is hidden");
    if (!w->isEnabled()) throw std::runtime_error(formName + "." + name + " is disabled");
    return w;
}

void SceneHarness::click(const std::string& formName, const std::string& name) { clickWith(formName, name, Qt::LeftButton); }

// The control's centre in its window, whether it shows or not.
QPoint SceneHarness::centre(const std::string& formName, const std::string& name) {
    QWidget* w = ui::qt::widgetOf(control(formName, name));
    return w->parentWidget()->mapTo(ui::qt::windowOf(form(formName)), w->geometry().center());
}

void SceneHarness::clickAnyway(const std::string& formName, const std::string& name) {
    if (!onScreen(form(formName))) throw std::runtime_error(formName + " is not on screen");
    QTest::mouseClick(ui::qt::windowOf(form(formName))->windowHandle(), Qt::LeftButton, {}, centre(formName, name));
    settle();
}

void SceneHarness::dblClick(const std::string& formName, const std::string& name, int qtButton) {
    clickWith(formName, name, qtButton, true);
}

void SceneHarness::clickForm(const std::string& formName, int x, int y) {
    QTest::mouseClick(ui::qt::windowOf(form(formName))->windowHandle(), Qt::LeftButton, {}, pixels(x, y));
    settle();
}

void SceneHarness::dblClickForm(const std::string& formName, int x, int y) {
    QTest::mouseDClick(ui::qt::windowOf(form(formName))->windowHandle(), Qt::LeftButton, {}, pixels(x, y));
    settle();
}

// Keys come as from the keyboard: to the window, which hands them to its focus.
void SceneHarness::key(const std::string& formName, int qtKey, const std::string& text) {
    QWindow* window = ui::qt::windowOf(form(formName))->windowHandle();
    qt_handleKeyEvent(window, QEvent::KeyPress, qtKey, Qt::NoModifier, QString::fromStdString(text));
    qt_handleKeyEvent(window, QEvent::KeyRelease, qtKey, Qt::NoModifier, QString::fromStdString(text));
    settle();
}

void SceneHarness::keyDown(const std::string& formName, int qtKey, bool autoRepeat) {
    qt_handleKeyEvent(ui::qt::windowOf(form(formName))->windowHandle(), QEvent::KeyPress, qtKey, Qt::NoModifier, QString(),
                      autoRepeat);
    settle();
}

void SceneHarness::script(std::initializer_list<double> values) { random_.addScript(values); }

void SceneHarness::typeText(const std::string& formName, const std::string& text) {
    for (QChar c : QString::fromStdString(text)) {
        const int key = c.isDigit() ? Qt::Key_0 + c.digitValue() : c.toUpper().unicode();
        this->key(formName, key, QString(c).toStdString());
    }
}

void SceneHarness::close(const std::string& formName) {
    QCloseEvent event;
    QApplication::sendEvent(ui::qt::windowOf(form(formName)), &event);
    settle();
}

void SceneHarness::readThrough(const std::string& formName) {
    auto page = [&] {
        std::string all;
        for (int i = 0; i < 12; ++i) all += caption(formName, ui::indexed("rows", i)) + "\n";
        return all + (visible(formName, "nextPageButton") ? "+" : "-");
    };
    const auto& exits = app().facts(formName).exits;  // a story scene has one exit, or none
    for (int guard = 0; guard < 1000; ++guard) {
        ui::Control* exit = exits.empty() ? nullptr : form(formName).find(exits.begin()->first);
        if (exit && exit->visible()) return;
        if (visible(formName, "nextPageButton")) {
            click(formName, "nextPageButton");
            continue;
        }
        const std::string before = page();
        click(formName, "rows(0)");
        if (!exit && page() == before) return;
    }
    throw std::runtime_error(formName + " never ends");
}

void SceneHarness::advance(std::chrono::milliseconds ms) {
    if (realClock_) {
        QTest::qWait(static_cast<int>(ms.count()));
        return;
    }
    clock_.advance(ms.count());
    settle();
}

void SceneHarness::pressAndRelease(const std::string& formName, const std::string& pressOn, const std::string& releaseOn,
                                   int qtButton) {
    QWidget* window = ui::qt::windowOf(form(formName));
    const auto button = static_cast<Qt::MouseButton>(qtButton);
    const QPoint from = centre(formName, pressOn), to = centre(formName, releaseOn);
    QTest::mousePress(window->windowHandle(), button, {}, from);
    QTest::mouseMove(window->windowHandle(), to);
    if (!form(formName).dead()) QTest::mouseRelease(window->windowHandle(), button, {}, to);
    settle();
}

void SceneHarness::clickWith(const std::string& formName, const std::string& name, int qtButton, bool twice) {
    QWidget* w = target(formName, name);
    QWidget* window = w->window();
    const auto button = static_cast<Qt::MouseButton>(qtButton);
    const QPoint at = w->mapTo(window, w->rect().center());
    twice ? QTest::mouseDClick(window->windowHandle(), button, {}, at)
          : QTest::mouseClick(window->windowHandle(), button, {}, at);
    settle();
}

void SceneHarness::settle() {
    if (holdSettling_) return;
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    // Every step of every test holds each form to what it says of itself, as the random player does.
    if (!reportBroken) return;
    for (const auto& name : app().loadedNames())
        if (ui::Form* f = app().loadedForm(name); f && !f->dead())
            if (const std::string broken = f->checkInvariants(); !broken.empty()) reportBroken(name + ": " + broken);
}

std::vector<std::string> SceneHarness::openForms() {
    std::vector<std::string> open;
    for (const auto& name : app().loadedNames()) {
        ui::Form* f = app().loadedForm(name);
        if (f && onScreen(*f)) open.push_back(name);
    }
    return open;
}

std::string SceneHarness::caption(const std::string& formName, const std::string& name) {
    ui::Control& c = control(formName, name);
    if (auto* l = dynamic_cast<ui::Label*>(&c)) return l->caption();
    if (auto* b = dynamic_cast<ui::Button*>(&c)) return b->caption();
    if (auto* t = dynamic_cast<ui::TextBox*>(&c)) return t->text();
    throw std::runtime_error(formName + "." + name + " has no caption");
}

std::string SceneHarness::picture(const std::string& formName, const std::string& name) {
    auto* image = dynamic_cast<ui::Image*>(&control(formName, name));
    if (!image) throw std::runtime_error(formName + "." + name + " is not an image");
    return image->picture().name();
}

int SceneHarness::left(const std::string& formName, const std::string& name) { return control(formName, name).left(); }
int SceneHarness::width(const std::string& formName, const std::string& name) { return control(formName, name).width(); }

ui::Timer& SceneHarness::timer(const std::string& formName, const std::string& name) {
    ui::Timer* t = form(formName).findTimer(name);
    if (!t) throw std::runtime_error("form " + formName + " has no timer " + name);
    return *t;
}

bool SceneHarness::timerEnabled(const std::string& formName, const std::string& name) { return timer(formName, name).enabled(); }

int SceneHarness::timerInterval(const std::string& formName, const std::string& name) { return timer(formName, name).interval(); }

bool SceneHarness::visible(const std::string& formName, const std::string& name) { return control(formName, name).visible(); }

bool SceneHarness::enabled(const std::string& formName, const std::string& name) { return control(formName, name).enabled(); }

std::vector<std::string> FormHarness::lastSaid(std::size_t n) const {
    const auto all = said();
    return {all.end() - static_cast<std::ptrdiff_t>(std::min(n, all.size())), all.end()};
}

namespace {
std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}
}  // namespace

std::string FormHarness::showing(const std::vector<std::string>& controls) {
    std::vector<std::string> shown;
    std::copy_if(controls.begin(), controls.end(), std::back_inserter(shown), [this](const auto& c) { return shows(c); });
    return joined(shown);
}

std::vector<std::string> FormHarness::timersOn() {
    std::vector<std::string> on;
    for (const auto& t : form(f).timers())
        if (t->enabled()) on.push_back(t->name());
    return on;
}

bool FormHarness::fits(const std::string& label) {
    const auto& l = static_cast<ui::Label&>(ctl(label));
    return l.textWidthPixels() <= ui::twipsToPixels(l.width());
}

std::string FormHarness::leave(const std::string& exit) {
    click(f, exit);
    return joined(openForms()) + (app().extraLoaded("sozai") ? " +store" : "");
}

}  // namespace testing_support

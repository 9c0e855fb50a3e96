#include "support/keyboard.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWidget>

#include <stdexcept>

#include "ui/qt/access.h"

namespace testing_support {

namespace {
// Where the focus of a form's window lies, checked as a player would see it.
std::string holderProblem(SceneHarness& h, const std::string& form) {
    ui::Form* f = h.app().loadedForm(form);
    if (!f || !f->shown()) return {};  // gone on: nothing to hold
    QWidget* window = ui::qt::windowOf(*f);
    QWidget* focus = window->focusWidget();
    if (!focus) return form + ": nothing has the focus";
    if (focus == window) return {};
    if (!focus->isVisible() || !focus->isEnabled())
        return form + ": the focus is on " + focus->objectName().toStdString() + ", hidden or disabled";
    return {};
}
}  // namespace

struct KeyboardWatch::Filter final : QObject {
    SceneHarness* harness = nullptr;
    std::string form;
    int keys = 0;
    int presses = 0;
    std::vector<std::string> problems;

    Filter() { qApp->installEventFilter(this); }
    ~Filter() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* target, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) ++presses;
        if (e->type() != QEvent::KeyPress || !target->isWidgetType()) return false;
        // Each key travels from the focus up to the window; count it once, where it starts.
        auto* w = static_cast<QWidget*>(target);
        if (w != (w->window()->focusWidget() ? w->window()->focusWidget() : w->window())) return false;
        ++keys;
        if (harness) note(holderProblem(*harness, form));
        return false;
    }
    void note(const std::string& problem) {
        if (!problem.empty()) problems.push_back("key " + std::to_string(keys) + ": " + problem);
    }
};

KeyboardWatch::KeyboardWatch() : filter_(std::make_unique<Filter>()) {}
KeyboardWatch::~KeyboardWatch() = default;

void KeyboardWatch::check(SceneHarness& h, const std::string& form) {
    filter_->note(holderProblem(h, form));
    filter_->harness = &h;
    filter_->form = form;
}

int KeyboardWatch::keys() const { return filter_->keys; }
int KeyboardWatch::mousePresses() const { return filter_->presses; }
const std::vector<std::string>& KeyboardWatch::problems() const { return filter_->problems; }

std::string focusedControl(SceneHarness& h, const std::string& form) {
    QWidget* window = ui::qt::windowOf(h.form(form));
    QWidget* focus = window->focusWidget();
    if (!focus) return "?";
    return focus == window ? "" : focus->objectName().toStdString();
}

void pressByKeys(SceneHarness& h, const std::string& form, const std::string& control) {
    const auto tries = h.form(form).controls().size() + 1;
    for (std::size_t i = 0; focusedControl(h, form) != control; ++i) {
        if (i == tries) throw std::runtime_error("Tab never reaches " + form + "." + control);
        h.key(form, Qt::Key_Tab);
    }
    h.key(form, h.form(form).keyPreview() ? Qt::Key_Return : Qt::Key_Space, h.form(form).keyPreview() ? "\r" : " ");
}

struct BoxAnswerer::Filter final : QObject {
    std::function<void(QWidget&)> seen;
    explicit Filter(std::function<void(QWidget&)> fn) : seen(std::move(fn)) { qApp->installEventFilter(this); }
    ~Filter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* target, QEvent* e) override {
        auto* box = qobject_cast<QMessageBox*>(target);
        if (e->type() != QEvent::Show || !box) return false;
        // Looked at once it is on screen, as the player sees it.
        QMetaObject::invokeMethod(
            box,
            [this, box] {
                seen(*box);
                box->accept();
            },
            Qt::QueuedConnection);
        return false;
    }
};

BoxAnswerer::BoxAnswerer(std::function<void(QWidget&)> seen) : filter_(std::make_unique<Filter>(std::move(seen))) {}
BoxAnswerer::~BoxAnswerer() = default;

}  // namespace testing_support

#include "support/keyboard.h"

#include <QApplication>
#include <QMessageBox>

#include <stdexcept>

#include "ui/qt/access.h"

namespace testing_support {

KeyboardWatch::KeyboardWatch(SceneHarness& h, std::string form) : h_(h), form_(std::move(form)) {
    qApp->installEventFilter(this);
}

KeyboardWatch::~KeyboardWatch() { qApp->removeEventFilter(this); }

void KeyboardWatch::check() {
    ui::Form* f = h_.app().loadedForm(form_);
    if (!f || !onScreen(*f)) return;  // gone on: nothing to hold
    QWidget* window = ui::qt::windowOf(*f);
    QWidget* focus = window->focusWidget();
    if (focus && focus != window && (!focus->isVisible() || !focus->isEnabled()))
        problems.push_back("key " + std::to_string(keys_) + ": focus on " + focus->objectName().toStdString());
}

bool KeyboardWatch::eventFilter(QObject* target, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) ++mousePresses;
    // A key travels from the focus up to the window: count it once, where it starts.
    auto* w = qobject_cast<QWidget*>(target);
    QWidget* start = w ? w->window()->focusWidget() : nullptr;
    if (e->type() == QEvent::KeyPress && w && w == (start ? start : w->window())) {
        check();
        ++keys_;
    }
    return false;
}

std::string focusedControl(SceneHarness& h, const std::string& form) {
    QWidget* window = ui::qt::windowOf(h.form(form));
    QWidget* focus = window->focusWidget();
    return !focus || focus == window ? "" : focus->objectName().toStdString();
}

void pressByKeys(SceneHarness& h, const std::string& form, const std::string& control) {
    for (std::size_t i = 0; focusedControl(h, form) != control; ++i) {
        if (i > h.form(form).controls().size()) throw std::runtime_error("Tab never reaches " + control);
        h.key(form, Qt::Key_Tab);
    }
    h.key(form, Qt::Key_Space, " ");
}

BoxAnswerer::BoxAnswerer(std::function<void(QWidget&)> seen) : seen_(std::move(seen)) { qApp->installEventFilter(this); }

BoxAnswerer::~BoxAnswerer() { qApp->removeEventFilter(this); }

bool BoxAnswerer::eventFilter(QObject* target, QEvent* e) {
    auto* box = qobject_cast<QMessageBox*>(target);
    if (e->type() == QEvent::Show && box)  // looked at once it has settled on screen
        QMetaObject::invokeMethod(
            box,
            [this, box] {
                seen_(*box);
                box->accept();
            },
            Qt::QueuedConnection);
    return false;
}

}  // namespace testing_support

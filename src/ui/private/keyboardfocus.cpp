// The keyboard for a player without a mouse: a form that sees keys first, arrows within a grid,
// Space and Enter to press, and a focus that is never lost.

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>

#include <algorithm>
#include <functional>
#include <utility>

#include "ui/form.h"
#include "ui/keys.h"
#include "ui/private/widgets.h"

namespace ui::detail {

namespace {

bool isArrow(Key key) { return key == Key::Left || key == Key::Up || key == Key::Right || key == Key::Down; }

// What a grid of controls keeps: its cells row by row, and how many make a row.
class ArrowGrid final : public QObject {
public:
    ArrowGrid(const std::vector<QWidget*>& cells, int columns, QObject* parent)
        : QObject(parent), cells_(cells.begin(), cells.end()), columns_(std::max(columns, 1)) {}

    // Steps from `from` in the arrow's direction over cells that cannot take the focus.
    void move(QWidget* from, Key arrow) const {
        const int n = static_cast<int>(cells_.size());
        const auto it = std::find(cells_.begin(), cells_.end(), from);
        if (it == cells_.end()) return;
        const int i = static_cast<int>(it - cells_.begin());
        const int dx = arrow == Key::Left ? -1 : arrow == Key::Right ? 1 : 0;
        const int dy = arrow == Key::Up ? -1 : arrow == Key::Down ? 1 : 0;
        int row = i / columns_, col = i % columns_;
        for (;;) {
            row += dy;
            col += dx;
            const int j = row * columns_ + col;
            if (row < 0 || col < 0 || col >= columns_ || j >= n) return;
            if (QWidget* w = cells_[static_cast<std::size_t>(j)]; w && canTakeFocus(*w)) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }

    static bool canTakeFocus(const QWidget& w) {
        QWidget* window = w.window();
        return &w != window && (w.focusPolicy() & Qt::TabFocus) && w.isEnabled() && w.isVisibleTo(window);
    }

private:
    std::vector<QPointer<QWidget>> cells_;
    int columns_;
};

constexpr const char* kGridProperty = "ui-arrow-grid";
constexpr const char* kTurnProperty = "ui-up-down-turns";

// What Up and Down do on a control that turns (a dial) rather than hands the focus on.
class UpDownTurn final : public QObject {
public:
    UpDownTurn(std::function<void(int)> turn, QObject* parent) : QObject(parent), turn_(std::move(turn)) {}
    void operator()(int step) const { turn_(step); }

private:
    std::function<void(int)> turn_;
};

class KeyRouter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* widget = qobject_cast<QWidget*>(target);
        if (!widget) return false;
        auto* window = dynamic_cast<FormWindow*>(widget->window());
        if (!window) return false;
        // A key event travels from the focus widget up to the window; take it once, at its start.
        QWidget* first = QApplication::focusWidget();
        if (!first || first->window() != window) first = window;
        if (widget != first) return false;
        Form& form = window->owner();
        if (form.dead()) return false;
        const auto* press = static_cast<QKeyEvent*>(event);
        if (press->key() == Qt::Key_F11 || (press->key() == Qt::Key_Escape && window->isFullScreen())) {
            if (!press->isAutoRepeat()) window->toggleFullScreen();
            return true;
        }
        KeyEvent key = keyDown(*press);
        if (key.key() == Key::Other) return false;
        if (form.keyPreview()) {
            form.onKeyDown(key);
            if (key.accepted()) return true;
        }
        return byKeyboard(form, *window, *widget, key.key(), press->isAutoRepeat());
    }

private:
    // What the keyboard does for a player without a mouse, once the form has had its say.
    static bool byKeyboard(Form& form, FormWindow& window, QWidget& focus, Key key, bool repeat) {
        if (key == Key::Up || key == Key::Down) {
            if (auto* turn = dynamic_cast<UpDownTurn*>(focus.property(kTurnProperty).value<QObject*>())) {
                if (focus.isEnabled()) (*turn)(key == Key::Up ? 1 : -1);
                return true;
            }
        }
        if (isArrow(key)) {
            auto* grid = dynamic_cast<ArrowGrid*>(focus.property(kGridProperty).value<QObject*>());
            if (!grid) return false;
            grid->move(&focus, key);
            return true;
        }
        if (key != Key::Enter && key != Key::Space) return false;
        if (&focus == &window) {
            // Nothing has the focus: the key does what a click on the form does (a story page
            // hurries its line).
            form.onClick();
            return true;
        }
        // A button presses on Space by itself; Enter does the same here.
        auto* button = qobject_cast<QPushButton*>(&focus);
        if (key != Key::Enter || !button) return false;
        auto* ours = dynamic_cast<ButtonWidget*>(button);
        const bool ignored = repeat || (ours && ours->owner().ignoresKeys());
        if (button->isVisible() && button->isEnabled() && !ignored) button->click();
        return true;
    }
};

}  // namespace

void arrowGrid(const std::vector<QWidget*>& cells, int columns) {
    if (cells.empty() || !cells.front()) return;
    auto* grid = new ArrowGrid(cells, columns, cells.front()->window());  // owned by the window
    for (QWidget* w : cells)
        if (w) w->setProperty(kGridProperty, QVariant::fromValue<QObject*>(grid));
}

void turnWithUpDown(QWidget& w, std::function<void(int)> turn) {
    w.setProperty(kTurnProperty, QVariant::fromValue<QObject*>(new UpDownTurn(std::move(turn), &w)));
}

void tabOrder(const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

void passFocusOn(QWidget& from) {
    // Qt has already handed the focus to the next control in tab order, if one can take it; for a
    // control that hides, only in the active window (Qt does it there as the window is activated
    // again). With none, the focus stays on the control or on nothing: it goes, and Qt sends keys to
    // the form itself, where Tab, Space and Enter still reach it. Not to the form as a focus: a
    // screen reader would read the window's title again, as if another window had opened.
    QWidget* window = from.window();
    if (!window->isActiveWindow()) return;
    if (QWidget* now = window->focusWidget(); now && now != &from) return;
    from.clearFocus();
}

void offerFocus(QWidget& w) {
    QWidget* window = w.window();
    if (!window->isVisible() || !ArrowGrid::canTakeFocus(w)) return;
    if (QWidget* now = window->focusWidget(); now && now != window && ArrowGrid::canTakeFocus(*now)) return;
    w.setFocus(Qt::OtherFocusReason);
}

void installKeyRouter(QApplication& app) { app.installEventFilter(new KeyRouter(&app)); }  // app owns it

}  // namespace ui::detail

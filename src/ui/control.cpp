#include "ui/control.h"

#include <QAccessible>

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

Control::Control(Form& form, std::string name, Rect rect, std::unique_ptr<detail::ControlWidget> widget)
    : form_(form), name_(std::move(name)), rect_(rect), widget_(std::move(widget)) {}

Control::~Control() = default;

bool Control::visible() const { return widget_->w && !widget_->w->isHidden(); }

void Control::setVisible(bool on) {
    QWidget* w = widget_->w;
    if (!w) return;
    const bool hadFocus = w->window()->focusWidget() == w;
    const bool appears = on && w->isHidden() && w->window()->isVisible();
    w->setVisible(on);
    // A picture or label that comes into view is read out as it comes; a control that takes the
    // focus is read as it takes it.
    if (appears && !(w->focusPolicy() & Qt::TabFocus)) detail::announceName(*w, false);
    // A button clicked with the mouse keeps the focus when it hides itself, and Space would still
    // press it; the focus leaves with the control, and goes on to the next one.
    if (!on && hadFocus) detail::passFocusOn(*w);
    if (on) detail::offerFocus(*w);
}

bool Control::enabled() const { return widget_->w && widget_->w->isEnabled(); }

void Control::setEnabled(bool on) {
    QWidget* w = widget_->w;
    if (!w) return;
    const bool hadFocus = w->window()->focusWidget() == w;
    w->setEnabled(on);
    if (!on && hadFocus) detail::passFocusOn(*w);
    if (on) detail::offerFocus(*w);
}

bool Control::tabStop() const { return widget_->w && (widget_->w->focusPolicy() & Qt::TabFocus); }

void Control::setTabStop(bool on) {
    // Only Tab changes: a click on a picture still leaves the focus where it was.
    QWidget* w = widget_->w;
    if (!w) return;
    const int policy = on ? (w->focusPolicy() | Qt::TabFocus) : (w->focusPolicy() & ~Qt::TabFocus);
    w->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy));
}

void Control::setSpokenName(const std::string& name) {
    QWidget* w = widget_->w;
    if (!w || w->accessibleName() == QString::fromStdString(name)) return;
    w->setAccessibleName(QString::fromStdString(name));  // Qt raises the name change itself
    detail::announceName(*w, true);
}

std::string Control::spokenName() const {
    QWidget* w = widget_->w;
    if (!w) return {};
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name).toStdString() : w->accessibleName().toStdString();
}

void Control::setLeft(int twips) { setRect({twips, rect_.top, rect_.width, rect_.height}); }
void Control::setTop(int twips) { setRect({rect_.left, twips, rect_.width, rect_.height}); }
void Control::setWidth(int twips) { setRect({rect_.left, rect_.top, twips, rect_.height}); }
void Control::setHeight(int twips) { setRect({rect_.left, rect_.top, rect_.width, twips}); }
void Control::move(int left, int top) { setRect({left, top, rect_.width, rect_.height}); }

void Control::setRect(Rect r) {
    r.width = std::max(r.width, 0);
    r.height = std::max(r.height, 0);
    rect_ = r;
    applyGeometry();
}

void Control::applyGeometry() {
    QWidget* widget = widget_->w;
    if (!widget) return;
    const detail::FormWindow& window = form_.window();
    const double zoom = window.zoom();
    // Round the edges, not the sizes, so neighbouring controls stay flush.
    const int x = twipsToPixels(rect_.left, zoom);
    const int y = twipsToPixels(rect_.top, zoom);
    int w = rect_.width > 0 ? std::max(1, twipsToPixels(rect_.left + rect_.width, zoom) - x) : 0;
    int h = rect_.height > 0 ? std::max(1, twipsToPixels(rect_.top + rect_.height, zoom) - y) : 0;
    widget->setGeometry(QRect(QPoint(x, y) + window.origin(), QSize(w, h)));
    detail::zoomFont(*widget, zoom);
}

}  // namespace ui

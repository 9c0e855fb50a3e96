// How mouse presses become clicks, and how a control with no click of its own hands them on.

#include <QApplication>
#include <QMouseEvent>

#include "ui/private/widgets.h"

namespace ui::detail {

// A mouse event comes accepted: taken here, it goes no further.
void ClickLogic::press(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) armed_ = true;
}

void ClickLogic::release(QMouseEvent* e, const QWidget& self, const std::function<void()>& click) {
    if (e->button() != Qt::LeftButton || !armed_) return;
    armed_ = false;
    if (self.rect().contains(e->position().toPoint()) && click) click();
}

void ClickLogic::doubleClick(QMouseEvent* e, const std::function<void()>& dblClick) {
    if (e->button() != Qt::LeftButton) return;
    armed_ = false;  // the release that follows is part of the double-click
    if (dblClick) dblClick();
}

namespace {
// The topmost sibling beneath `self` at `pos` (in self's coordinates) that takes mouse events.
QWidget* controlBeneath(QWidget& self, QPoint pos) {
    QWidget* parent = self.parentWidget();
    if (!parent) return nullptr;
    const QPoint at = self.mapToParent(pos);
    const QObjectList& siblings = parent->children();  // in stacking order, bottom first
    for (qsizetype i = siblings.indexOf(&self) - 1; i >= 0; --i) {
        auto* w = qobject_cast<QWidget*>(siblings[i]);
        if (w && !w->isHidden() && !w->testAttribute(Qt::WA_TransparentForMouseEvents) && w->geometry().contains(at)) return w;
    }
    return nullptr;
}
}  // namespace

void PassThrough::forward(QWidget& self, QMouseEvent* e) {
    // Qt sends the release, and the double click that may follow, to whatever took the press, at
    // the press's place: the target the press found holds for them.
    if (e->type() == QEvent::MouseButtonPress) target_ = controlBeneath(self, e->position().toPoint());
    if (!target_) return;
    const QPointF local = e->position() + QPointF(self.pos() - target_->pos());
    QMouseEvent copy(e->type(), local, e->scenePosition(), e->globalPosition(), e->button(), e->buttons(), e->modifiers());
    QApplication::sendEvent(target_, &copy);
}

}  // namespace ui::detail

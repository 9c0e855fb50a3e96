// The window behind a form: its fixed size and colour, its clicks, and a close that only the form
// may grant.

#include <QCloseEvent>

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui::detail {

FormWindow::FormWindow(Form& owner) : QWidget(nullptr), owner_(owner) {
    // A title and a close box: the size is fixed, and the story has no use for a window put away.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(owner.background()));
    setPalette(p);
    setFixedSize(twipsToPixels(owner.clientSize().width), twipsToPixels(owner.clientSize().height));
}

void FormWindow::afterFirstPaint(std::function<void()> fn) {
    if (painted_)
        QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
    else
        afterPaint_.push_back(std::move(fn));
}

bool FormWindow::event(QEvent* e) {
    if (e->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // Queued, so they run once the controls have painted too and the frame has gone out; with
        // this window as their context, so they are dropped if it goes first.
        for (auto& fn : afterPaint_) QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
        afterPaint_.clear();
    }
    return QWidget::event(e);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // Only the owner decides whether the form goes; it may refuse.
    e->ignore();
    if (!owner_.dead() && owner_.onCloseRequest) owner_.onCloseRequest();
}

void FormWindow::mousePressEvent(QMouseEvent* e) { clicks_.press(e); }

void FormWindow::mouseReleaseEvent(QMouseEvent* e) {
    clicks_.release(e, *this, [this] {
        if (!owner_.dead()) owner_.Form_Click();
    });
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    clicks_.doubleClick(e, [this] {
        if (!owner_.dead()) owner_.Form_DblClick();
    });
}

}  // namespace ui::detail

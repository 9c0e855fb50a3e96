// The window behind a form: its fixed size and colour, its clicks, and a close that only the form
// may grant.

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <optional>

#include "ui/form.h"
#include "ui/placement.h"
#include "ui/private/widgets.h"

namespace ui::detail {

namespace {
// Where the last form's window stood as a window (not full screen), and whether the player asked
// for full screen: the next form opens the same way.
std::optional<Rect> lastPlace;
bool fullScreenWanted = false;

QSize designSize(const Form& form) { return {twipsToPixels(form.clientSize().width), twipsToPixels(form.clientSize().height)}; }
}  // namespace

FormWindow::FormWindow(Form& owner) : QWidget(nullptr), owner_(owner) {
    // A title and a close box: the size is fixed, and the story has no use for a window put away.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(owner.background()));
    setPalette(p);
    setFixedSize(designSize(owner));
}

void FormWindow::showPlaced() {
    QScreen* screen =
        lastPlace
            ? QGuiApplication::screenAt(QPoint(lastPlace->left + lastPlace->width / 2, lastPlace->top + lastPlace->height / 2))
            : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const Rect r = placeWindow(lastPlace, {width(), height()}, {area.x(), area.y(), area.width(), area.height()});
        setGeometry(r.left, r.top, r.width, r.height);
    }
    if (fullScreenWanted)
        enterFullScreen();
    else
        show();
}

void FormWindow::toggleFullScreen() {
    fullScreenWanted = !isFullScreen();
    if (fullScreenWanted)
        enterFullScreen();
    else
        showNormal();
}

void FormWindow::enterFullScreen() {
    // A fixed size would hold the window at its layout's size inside the full screen.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showFullScreen();
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const QSize design = designSize(owner_);
    if (!isFullScreen() && size() != design && windowState() == Qt::WindowNoState && isVisible()) {
        // Back from full screen: the layout's size again, where the window stood.
        setFixedSize(design);
        return;
    }
    // The form as large as the window allows, its proportions kept, centred on its background.
    const double zoom = std::min(static_cast<double>(width()) / design.width(), static_cast<double>(height()) / design.height());
    const QPoint origin((width() - static_cast<int>(std::lround(design.width() * zoom))) / 2,
                        (height() - static_cast<int>(std::lround(design.height() * zoom))) / 2);
    if (zoom != zoom_ || origin != origin_) {
        zoom_ = zoom;
        origin_ = origin;
        for (const auto& control : owner_.controls()) control->relayout();
    }
    remember();
}

void FormWindow::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    remember();
}

void FormWindow::remember() {
    if (!isVisible() || isFullScreen() || owner_.dead()) return;
    const QRect r = geometry();
    if (r.size() == designSize(owner_)) lastPlace = Rect{r.x(), r.y(), r.width(), r.height()};
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
    if (!owner_.dead() && owner_.onCloseBox) owner_.onCloseBox();
}

void FormWindow::mousePressEvent(QMouseEvent* e) { clicks_.press(e); }

void FormWindow::mouseReleaseEvent(QMouseEvent* e) {
    clicks_.release(e, *this, [this] {
        if (!owner_.dead()) owner_.onClick();
    });
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    clicks_.doubleClick(e, [this] {
        if (!owner_.dead()) owner_.onDoubleClick();
    });
}

}  // namespace ui::detail

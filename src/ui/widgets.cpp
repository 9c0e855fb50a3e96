#include "ui/private/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>

#include <algorithm>

#include "ui/form.h"
#include "ui/private/picturedata.h"
#include "ui/keys.h"

namespace ui::detail {

// ---- clicks ----------------------------------------------------------------------------------

void ClickLogic::press(QMouseEvent* e) {
    e->accept();
    if (e->button() == Qt::LeftButton) armed_ = true;
}

void ClickLogic::release(QMouseEvent* e, const QWidget& self, const std::function<void()>& click) {
    e->accept();
    if (e->button() != Qt::LeftButton || !armed_) return;
    armed_ = false;
    if (self.rect().contains(e->position().toPoint()) && click) click();
}

void ClickLogic::doubleClick(QMouseEvent* e, const std::function<void()>& dblClick) {
    e->accept();
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
        if (w && !w->isHidden() && !w->testAttribute(Qt::WA_TransparentForMouseEvents) && w->geometry().contains(at))
            return w;
    }
    return nullptr;
}
}  // namespace

bool PassThrough::forward(QWidget& self, QMouseEvent* e, bool passive) {
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)
        target_ = passive ? controlBeneath(self, e->position().toPoint()) : nullptr;
    QPointer<QWidget> target = target_;
    if (e->type() == QEvent::MouseButtonRelease) target_ = nullptr;
    if (!target) return false;
    e->accept();
    const QPointF local = e->position() + QPointF(self.pos() - target->pos());
    QMouseEvent copy(e->type(), local, e->scenePosition(), e->globalPosition(), e->button(), e->buttons(),
                     e->modifiers());
    QApplication::sendEvent(target, &copy);
    return true;
}

namespace {
// Handlers are looked up at the moment of the event and skipped once the form is dead. A hidden
// or disabled control never fires, whichever route the key or click took to reach it.
template <class Owner>
std::function<void()> guarded(Owner& owner, std::function<void()> Owner::*handler) {
    return [&owner, handler] {
        if (!owner.form().dead() && owner.visible() && owner.enabled() && owner.*handler) (owner.*handler)();
    };
}

// Qt hands a disabled widget's mouse events on to its parent, the form; here every control keeps
// its own, enabled or not.
void keepMouseEvents(QWidget* w) { w->setAttribute(Qt::WA_NoMousePropagation); }
}  // namespace

// ---- labels and images -----------------------------------------------------------------------

template <class Base, class Owner>
ClickingWidget<Base, Owner>::ClickingWidget(Owner& owner, QWidget* parent) : OwnedWidget<Base, Owner>(owner, parent) {
    keepMouseEvents(this);
}

template <class Base, class Owner>
void ClickingWidget<Base, Owner>::route(QMouseEvent* e) {
    if (through_.forward(*this, e, !this->owner().onClick && !this->owner().onDblClick)) return;
    if (e->type() == QEvent::MouseButtonPress)
        clicks_.press(e);
    else if (e->type() == QEvent::MouseButtonRelease)
        clicks_.release(e, *this, guarded(this->owner(), &Owner::onClick));
    else
        clicks_.doubleClick(e, guarded(this->owner(), &Owner::onDblClick));
}

template class ClickingWidget<QLabel, Label>;
template class ClickingWidget<QWidget, Image>;

void ImageWidget::paintEvent(QPaintEvent*) {
    PictureData* data = owner().picture().data();
    QPainter painter(this);
    if (data && width() > 0 && height() > 0) {
        const qreal dpr = devicePixelRatioF();
        const QSize pixels(qRound(width() * dpr), qRound(height() * dpr));
        // Cached with its pixel ratio already set, so painting never copies it.
        painter.drawImage(QPointF(0, 0), data->imageAt(pixels, dpr));
    }
    painter.end();
    if (hasFocus()) paintFocusFrame(*this);
}

void paintFocusFrame(QWidget& w) {
    QPainter painter(&w);
    painter.setPen(QPen(w.palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(w.rect()).adjusted(1, 1, -1, -1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(QRectF(w.rect()).adjusted(2.5, 2.5, -2.5, -2.5));
}

void ImageWidget::keyPressEvent(QKeyEvent* e) {
    const int code = virtualKey(*e);
    if (code != 13 && code != 32) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    guarded(owner(), &Image::onClick)();  // what a click does
}

// ---- lines -----------------------------------------------------------------------------------

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(toQColor(owner().color()), 1));
    const QPoint origin = geometry().topLeft();
    auto px = [](int t) { return static_cast<int>(std::lround(t / static_cast<double>(kTwipsPerPixel))); };
    const QPoint a = QPoint(px(owner().x1()), px(owner().y1())) - origin;
    const QPoint b = QPoint(px(owner().x2()), px(owner().y2())) - origin;
    auto clampIn = [this](QPoint q) {
        return QPoint(std::clamp(q.x(), 0, width() - 1), std::clamp(q.y(), 0, height() - 1));
    };
    p.drawLine(clampIn(a), clampIn(b));
}

// ---- buttons ---------------------------------------------------------------------------------

ButtonWidget::ButtonWidget(Button& owner, QWidget* parent) : OwnedWidget(owner, parent) {
    keepMouseEvents(this);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { guarded(this->owner(), &Button::onClick)(); });
}

void ButtonWidget::paintEvent(QPaintEvent* e) {
    QPushButton::paintEvent(e);
    // The style's own mark is a faint line; the keyboard player needs to find it at a glance.
    if (hasFocus()) paintFocusFrame(*this);
}

// ---- text boxes ------------------------------------------------------------------------------

TextWidget::TextWidget(TextBox& owner, QWidget* parent) : OwnedWidget(owner, parent) { keepMouseEvents(this); }

void TextWidget::keyPressEvent(QKeyEvent* e) {
    if (owner().form().dead() || !owner().visible() || !owner().enabled()) return;
    int code = virtualKey(*e);
    if (code != 0 && owner().onKeyDown) {
        owner().onKeyDown(code);
        if (code == 0 || owner().form().dead()) return;
    }
    // Key-press is raised for keys that type a character, Enter and Backspace; shortcuts such as
    // Ctrl+V go straight to the box (and through its text filter).
    int ch = 0;
    if (e->key() == Qt::Key_Backspace) {
        ch = 8;
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        ch = 13;
    } else if (!e->text().isEmpty() && e->text().at(0).isPrint() &&
               !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        ch = e->text().at(0).unicode();
    }
    if (ch != 0 && owner().onKeyPress) {
        owner().onKeyPress(ch);
        if (ch == 0 || owner().form().dead()) return;
    }
    if (ch == 13) return;  // a single-line box has no use for it
    QLineEdit::keyPressEvent(e);
}

void TextWidget::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (owner().form().dead()) return;
    // Re-activating the window or closing a context menu is not a move of the focus.
    const bool fromElsewhere = e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
    if (!focusedBefore_ || fromElsewhere) {
        focusedBefore_ = true;
        if (owner().onGotFocus) owner().onGotFocus();
    }
}

// ---- the form's window -----------------------------------------------------------------------

FormWindow::FormWindow(Form& owner) : QWidget(nullptr), owner_(owner) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(owner.background()));
    setPalette(p);
    setAutoFillBackground(true);
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

// ---- fonts, colours, keys --------------------------------------------------------------------

QFont toQFont(const Font& font) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(pointsToPixels(font.points));
    f.setBold(font.bold);
    if (font.stretch != 100) f.setStretch(font.stretch);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

int virtualKey(const QKeyEvent& e) {
    const int k = e.key();
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return key::Enter;
        case Qt::Key_Backspace: return key::Backspace;
        case Qt::Key_Tab: return key::Tab;
        case Qt::Key_Escape: return key::Escape;
        case Qt::Key_Space: return key::Space;
        case Qt::Key_Left: return key::Left;
        case Qt::Key_Up: return key::Up;
        case Qt::Key_Right: return key::Right;
        case Qt::Key_Down: return key::Down;
        case Qt::Key_Delete: return key::Delete;
        default: break;
    }
    // Digits and letters are their own characters' codes.
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    return 0;
}

namespace {
// What a grid of controls keeps: its cells row by row, and how many make a row.
class ArrowGrid final : public QObject {
public:
    ArrowGrid(const std::vector<QWidget*>& cells, int columns, QObject* parent)
        : QObject(parent), cells_(cells.begin(), cells.end()), columns_(std::max(columns, 1)) {}

    // Steps from `from` in the arrow's direction over cells that cannot take the focus.
    void move(QWidget* from, int code) const {
        const int n = static_cast<int>(cells_.size());
        const auto it = std::find(cells_.begin(), cells_.end(), from);
        if (it == cells_.end()) return;
        const int i = static_cast<int>(it - cells_.begin());
        const int dx = code == 37 ? -1 : code == 39 ? 1 : 0;
        const int dy = code == 38 ? -1 : code == 40 ? 1 : 0;
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
        int code = virtualKey(*static_cast<QKeyEvent*>(event));
        if (code == 0) return false;
        if (form.keyPreview()) {
            form.Form_KeyDown(code);
            if (code == 0) return true;
        }
        return byKeyboard(form, *window, *widget, code);
    }

private:
    // What the keyboard does for a player without a mouse, once the form has had its say.
    static bool byKeyboard(Form& form, FormWindow& window, QWidget& focus, int code) {
        if (code >= 37 && code <= 40) {
            auto* grid = dynamic_cast<ArrowGrid*>(focus.property(kGridProperty).value<QObject*>());
            if (!grid) return false;
            grid->move(&focus, code);
            return true;
        }
        if (code != 13 && code != 32) return false;
        if (&focus == &window) {
            // Nothing has the focus: the key does what a click on the form does (a story page
            // hurries its line).
            form.Form_Click();
            return true;
        }
        // A button presses on Space by itself; Enter does the same here.
        auto* button = qobject_cast<QPushButton*>(&focus);
        if (code != 13 || !button) return false;
        if (button->isVisible() && button->isEnabled()) button->click();
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

void passFocusOn(QWidget& from) {
    QWidget* window = from.window();
    if (QWidget* now = window->focusWidget(); now && now != &from && ArrowGrid::canTakeFocus(*now)) return;
    for (QWidget* w = from.nextInFocusChain(); w && w != &from; w = w->nextInFocusChain()) {
        if (w->window() == window && ArrowGrid::canTakeFocus(*w)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    from.clearFocus();
    window->setFocus(Qt::OtherFocusReason);  // the form holds it: Space and Enter still reach it
}

void offerFocus(QWidget& w) {
    QWidget* window = w.window();
    if (!window->isVisible() || !ArrowGrid::canTakeFocus(w)) return;
    if (QWidget* now = window->focusWidget(); now && now != window && ArrowGrid::canTakeFocus(*now)) return;
    w.setFocus(Qt::OtherFocusReason);
}

namespace {
// A picture is a graphic named by its description; a decorative one, or none, has no name.
class ImageAccessible final : public QAccessibleWidget {
public:
    explicit ImageAccessible(ImageWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
        return QString::fromStdString(static_cast<ImageWidget*>(widget())->owner().picture().description());
    }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* image = dynamic_cast<ImageWidget*>(object)) return new ImageAccessible(image);
    return nullptr;
}
}  // namespace

namespace {
std::function<void(const QWidget&, const QString&)>& nameListener() {
    static std::function<void(const QWidget&, const QString&)> listener;
    return listener;
}
}  // namespace

void announceName(QWidget& w, bool raisedByQt) {
    if (!raisedByQt) {
        QAccessibleEvent event(&w, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (!nameListener()) return;
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(&w);
    nameListener()(w, i ? i->text(QAccessible::Name) : QString());
}

void setNameListener(std::function<void(const QWidget&, const QString&)> listener) {
    nameListener() = std::move(listener);
}

void installAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(accessibleFor);
}

void ensureKeyRouter() {
    static const char* const kName = "ui-key-router";
    if (!qApp || qApp->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly)) return;
    auto* router = new KeyRouter(qApp);  // owned by the application object
    router->setObjectName(kName);
    qApp->installEventFilter(router);
}

}  // namespace ui::detail

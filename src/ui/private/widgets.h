#pragma once

// Qt side of the ui layer: the widget behind each control and the window behind each form. Each
// concern has its own file beside this one: clicks, the clicking, picture, line, button and text
// widgets, the form's window, the focus frame, conversions, keyboard and focus, accessibility.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <functional>
#include <vector>

#include "ui/keys.h"
#include "ui/units.h"

class QApplication;

namespace ui {
class Form;
class Label;
class Image;
class Line;
class Button;
class TextBox;
}  // namespace ui

namespace ui::detail {

// The focus mark of buttons and pictures alike: a frame in the highlight colour with a white edge
// inside, seen on light and dark art.
void paintFocusFrame(QWidget& w);

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
inline void keepMouseEvents(QWidget* w) { w->setAttribute(Qt::WA_NoMousePropagation); }

// Non-owning: the Qt parent (the form's window) owns the widget.
struct ControlWidget {
    QPointer<QWidget> w;
};

// Press and release make a click; the second press of a double-click makes a double-click, and its
// release nothing, as the platform the layouts come from reports them. Mouse events always stop
// at the control that received them.
class ClickLogic {
public:
    void press(QMouseEvent* e);
    void release(QMouseEvent* e, const QWidget& self, const std::function<void()>& click);
    void doubleClick(QMouseEvent* e, const std::function<void()>& dblClick);

private:
    bool armed_ = false;
};

// A label or picture with no click of its own hands its mouse events to the control beneath it, so
// a caption laid over a button or a box never makes a dead strip on it. With nothing beneath, the
// events stop here all the same: they never reach the form.
class PassThrough {
public:
    void forward(QWidget& self, QMouseEvent* e);

private:
    QPointer<QWidget> target_;
};

// The toolkit's widget for one of our controls, which it draws and reports to.
template <class Base, class Owner>
class OwnedWidget : public Base {
public:
    OwnedWidget(Owner& owner, QWidget* parent) : Base(parent), owner_(owner) {}
    Owner& owner() const { return owner_; }

private:
    Owner& owner_;
};

// A label or picture: its mouse events make its own clicks, or, when it takes none, go on to the
// control beneath it.
template <class Base, class Owner>
class ClickingWidget : public OwnedWidget<Base, Owner> {
public:
    ClickingWidget(Owner& owner, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* e) override { route(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { route(e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { route(e); }

private:
    void route(QMouseEvent* e);

    ClickLogic clicks_;
    PassThrough through_;
};

class LabelWidget final : public ClickingWidget<QLabel, Label> {
public:
    LabelWidget(Label& owner, QWidget* parent) : ClickingWidget(owner, parent) {}
};

class ImageWidget final : public ClickingWidget<QWidget, Image> {
public:
    ImageWidget(Image& owner, QWidget* parent) : ClickingWidget(owner, parent) {}

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

class LineWidget final : public OwnedWidget<QWidget, Line> {
public:
    using OwnedWidget::OwnedWidget;

protected:
    void paintEvent(QPaintEvent* e) override;
};

class ButtonWidget final : public OwnedWidget<QPushButton, Button> {
public:
    ButtonWidget(Button& owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

class TextWidget final : public OwnedWidget<QLineEdit, TextBox> {
public:
    TextWidget(TextBox& owner, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    bool focusedBefore_ = false;
};

struct FormWindow final : public QWidget {
    explicit FormWindow(Form& owner);
    Form& owner() const { return owner_; }
    void afterFirstPaint(std::function<void()> fn);

    // Opens the window where the last one stood (full screen if that one was), the first one in
    // the middle of the screen.
    void showPlaced();
    // F11: the form scaled to fill the screen, centred on its background; again, or Escape, gives
    // the window back as it was.
    void toggleFullScreen();
    // How many times larger than its layout the form is drawn, and where its top left corner lies.
    double zoom() const { return zoom_; }
    QPoint origin() const { return origin_; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    void enterFullScreen();
    void remember();

    Form& owner_;
    ClickLogic clicks_;
    bool painted_ = false;
    double zoom_ = 1.0;
    QPoint origin_;
    std::vector<std::function<void()>> afterPaint_;
};

QFont toQFont(const Font& font);
// Sets a control's font as the layout gives it, kept so that a zoomed window can scale it.
void setDesignFont(QWidget& w, const Font& font);
void zoomFont(QWidget& w, double zoom);
QColor toQColor(Rgb c);
// The key a key event brings down, Key::Other for one we do not tell apart.
KeyEvent keyDown(const QKeyEvent& e);
// Sends key-downs to forms that see keys first.
void installKeyRouter(QApplication& app);
// Gives pictures the role and name a screen reader speaks.
void installAccessibility();

// A change a screen reader should hear: what the control is called now. Raises the name-change
// event, unless the Qt widget has just raised it itself, and tells the listener, if there is one.
void announceName(QWidget& w, bool raisedByQt);
void setNameListener(std::function<void(const QWidget&, const QString&)> listener);

// The focus never gets lost: a focused control that hides or disables itself passes it on to the
// next control in tab order, or to the form; a control that appears while nothing has the focus
// takes it.
void passFocusOn(QWidget& from);
void offerFocus(QWidget& w);
// Arrow keys move the focus between these widgets, laid out row by row.
void arrowGrid(const std::vector<QWidget*>& cells, int columns);
void turnWithUpDown(QWidget& w, std::function<void(int)> turn);
void tabOrder(const std::vector<QWidget*>& widgets);

}  // namespace ui::detail

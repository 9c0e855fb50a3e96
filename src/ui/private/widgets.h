#pragma once

// Qt side of the ui layer: the widget behind each control and the window behind each form.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <functional>
#include <vector>

#include "ui/units.h"

namespace ui {
class Form;
class Label;
class Image;
class Line;
class Button;
class TextBox;
}  // namespace ui

namespace ui::detail {

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

class LabelWidget final : public QLabel {
public:
    LabelWidget(Label& owner, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    Label& owner_;
    ClickLogic clicks_;
};

class ImageWidget final : public QWidget {
public:
    ImageWidget(Image& owner, QWidget* parent);
    Image& owner() const { return owner_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    Image& owner_;
    ClickLogic clicks_;
};

class LineWidget final : public QWidget {
public:
    LineWidget(Line& owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Line& owner_;
};

class ButtonWidget final : public QPushButton {
public:
    ButtonWidget(Button& owner, QWidget* parent);

private:
    Button& owner_;
};

class TextWidget final : public QLineEdit {
public:
    TextWidget(TextBox& owner, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    TextBox& owner_;
    bool focusedBefore_ = false;
};

struct FormWindow final : public QWidget {
    explicit FormWindow(Form& owner);
    Form& owner() const { return owner_; }
    void afterFirstPaint(std::function<void()> fn);

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    Form& owner_;
    ClickLogic clicks_;
    bool painted_ = false;
    std::vector<std::function<void()>> afterPaint_;
};

QFont toQFont(const Font& font);
QColor toQColor(Rgb c);
// The virtual key code of a key event (13 Enter, 32 Space, 37 Left, 39 Right, ...), 0 if none.
int virtualKey(const QKeyEvent& e);
// Sends key-downs to forms that see keys first.
void ensureKeyRouter();
// Gives pictures the role and name a screen reader speaks.
void installAccessibility();

}  // namespace ui::detail

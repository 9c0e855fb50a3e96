// The widget of a text box: key-down and key-press before the box itself, and got-focus only when
// the focus really moves to it.

#include <QKeyEvent>

#include "ui/form.h"
#include "ui/keys.h"
#include "ui/private/widgets.h"
#include "ui/textbox.h"

namespace ui::detail {

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
        ch = key::Backspace;
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        ch = key::Enter;
    } else if (!e->text().isEmpty() && e->text().at(0).isPrint() &&
               !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        ch = e->text().at(0).unicode();
    }
    if (ch != 0 && owner().onKeyPress) {
        owner().onKeyPress(ch);
        if (ch == 0 || owner().form().dead()) return;
    }
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

}  // namespace ui::detail

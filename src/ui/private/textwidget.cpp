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
    if (KeyEvent down = keyDown(*e); down.key() != Key::Other && owner().onKeyDown) {
        owner().onKeyDown(down);
        if (down.accepted() || owner().form().dead()) return;
    }
    // Key-press is raised for keys that type a character, Enter and Backspace; shortcuts such as
    // Ctrl+V go straight to the box (and through its text filter).
    KeyEvent typed(Key::Other);
    if (e->key() == Qt::Key_Backspace) {
        typed = KeyEvent(Key::Backspace);
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        typed = KeyEvent(Key::Enter);
    } else if (!e->text().isEmpty() && e->text().at(0).isPrint() &&
               !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        typed = KeyEvent(Key::Character, e->text().at(0).unicode());
    }
    if (typed.key() != Key::Other && owner().onKeyPress) {
        owner().onKeyPress(typed);
        if (typed.accepted() || owner().form().dead()) return;
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

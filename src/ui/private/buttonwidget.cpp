#include <QKeyEvent>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui::detail {

ButtonWidget::ButtonWidget(Button& owner, QWidget* parent) : OwnedWidget(owner, parent) {
    keepMouseEvents(this);
    connect(this, &QPushButton::clicked, this, [this] { guarded(this->owner(), &Button::onClick)(); });
}

void ButtonWidget::paintEvent(QPaintEvent* e) {
    QPushButton::paintEvent(e);
    // The style's own mark is a faint line; the keyboard player needs to find it at a glance.
    if (hasFocus()) paintFocusFrame(*this);
}

void ButtonWidget::keyPressEvent(QKeyEvent* e) {
    // Space presses on its release, and only after a press the button saw: a press swallowed here
    // leaves the release with nothing to complete.
    if (e->key() == Qt::Key_Space && (e->isAutoRepeat() || owner().ignoresKeys())) return;  // taken, unanswered
    QPushButton::keyPressEvent(e);
}

}  // namespace ui::detail

#include "ui/button.h"
#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui::detail {

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

}  // namespace ui::detail

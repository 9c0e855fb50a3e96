// The widget of a label or a picture: its own clicks, or the control's beneath it.

#include <QMouseEvent>

#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/private/widgets.h"

namespace ui::detail {

template <class Base, class Owner>
ClickingWidget<Base, Owner>::ClickingWidget(Owner& owner, QWidget* parent) : OwnedWidget<Base, Owner>(owner, parent) {
    keepMouseEvents(this);
}

template <class Base, class Owner>
void ClickingWidget<Base, Owner>::route(QMouseEvent* e) {
    if (!this->owner().onClick && !this->owner().onDblClick) return through_.forward(*this, e);
    if (e->type() == QEvent::MouseButtonPress)
        clicks_.press(e);
    else if (e->type() == QEvent::MouseButtonRelease)
        clicks_.release(e, *this, guarded(this->owner(), &Owner::onClick));
    else
        clicks_.doubleClick(e, guarded(this->owner(), &Owner::onDblClick));
}

template class ClickingWidget<QLabel, Label>;
template class ClickingWidget<QWidget, Image>;

}  // namespace ui::detail

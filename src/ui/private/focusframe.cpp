#include <QPainter>

#include "ui/private/widgets.h"

namespace ui::detail {

void paintFocusFrame(QWidget& w) {
    QPainter painter(&w);
    painter.setPen(QPen(w.palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(w.rect()).adjusted(1, 1, -1, -1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(QRectF(w.rect()).adjusted(2.5, 2.5, -2.5, -2.5));
}

}  // namespace ui::detail

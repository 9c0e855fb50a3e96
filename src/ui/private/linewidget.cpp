#include <QPainter>

#include <algorithm>
#include <cmath>

#include "ui/form.h"
#include "ui/line.h"
#include "ui/private/widgets.h"

namespace ui::detail {

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const FormWindow& window = owner().form().window();
    const double zoom = window.zoom();
    p.setPen(QPen(toQColor(owner().color()), std::max(1, static_cast<int>(std::lround(zoom)))));
    const QPoint origin = geometry().topLeft() - window.origin();
    auto px = [zoom](int t) { return static_cast<int>(std::lround(t * zoom / kTwipsPerPixel)); };
    const QPoint a = QPoint(px(owner().x1()), px(owner().y1())) - origin;
    const QPoint b = QPoint(px(owner().x2()), px(owner().y2())) - origin;
    auto clampIn = [this](QPoint q) { return QPoint(std::clamp(q.x(), 0, width() - 1), std::clamp(q.y(), 0, height() - 1)); };
    p.drawLine(clampIn(a), clampIn(b));
}

}  // namespace ui::detail

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "ui/line.h"
#include "ui/private/widgets.h"

namespace ui::detail {

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

}  // namespace ui::detail

#include "support/printers.h"

#include <QColor>
#include <QPoint>
#include <QSize>

#include <ostream>

namespace ui {

void PrintTo(const Rect& rect, std::ostream* out) {
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.width << ", " << rect.height << "}";
}

void PrintTo(const Size& size, std::ostream* out) { *out << "{" << size.width << ", " << size.height << "}"; }

}  // namespace ui

void PrintTo(const QSize& size, std::ostream* out) { *out << "{" << size.width() << ", " << size.height() << "}"; }

void PrintTo(const QPoint& point, std::ostream* out) { *out << "{" << point.x() << ", " << point.y() << "}"; }

void PrintTo(const QColor& color, std::ostream* out) {
    *out << "rgb(" << color.red() << ", " << color.green() << ", " << color.blue() << ")";
}

#pragma once

// How a failed comparison shows our geometry and Qt's: "{8, 6, 1335, 255}" rather than gtest's
// "16-byte object <...>". gtest finds each PrintTo beside its type, so this header is included by
// the harness, and by any test that compares these types without it.

#include <iosfwd>

#include "ui/units.h"

class QColor;
class QPoint;
class QSize;

namespace ui {
void PrintTo(const Rect& rect, std::ostream* out);  // {left, top, width, height}, in twips
void PrintTo(const Size& size, std::ostream* out);  // {width, height}, in twips
}  // namespace ui

void PrintTo(const QSize& size, std::ostream* out);    // {width, height}
void PrintTo(const QPoint& point, std::ostream* out);  // {x, y}
void PrintTo(const QColor& color, std::ostream* out);  // rgb(r, g, b)

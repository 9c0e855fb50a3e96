#include "ui/line.h"

#include <algorithm>

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

namespace {
// The widget covers the line's bounding box, one pixel at least in each direction.
Rect bounds(int x1, int y1, int x2, int y2) {
    const int l = std::min(x1, x2), t = std::min(y1, y2);
    return {l, t, std::max(std::abs(x2 - x1), kTwipsPerPixel), std::max(std::abs(y2 - y1), kTwipsPerPixel)};
}
}  // namespace

Line::Line(Form& form, std::string name, int x1, int y1, int x2, int y2, Rgb color)
    : Control(form, std::move(name), bounds(x1, y1, x2, y2), std::make_unique<detail::ControlWidget>()),
      x1_(x1),
      y1_(y1),
      x2_(x2),
      y2_(y2),
      color_(color) {
    widget().w = new detail::LineWidget(*this, &form.window());
    // A line draws over what it crosses and takes none of its clicks.
    widget().w->setAttribute(Qt::WA_TransparentForMouseEvents);
    applyGeometry();
}

}  // namespace ui

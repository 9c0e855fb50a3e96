#include "ui/units.h"

#include <cmath>

namespace ui {

int twipsToPixels(int twips) {
    const long px = std::lround(twips / static_cast<double>(kTwipsPerPixel));
    if (px == 0 && twips > 0) return 1;
    if (px == 0 && twips < 0) return -1;
    return static_cast<int>(px);
}

int pointsToPixels(double points) { return static_cast<int>(std::lround(points * 4.0 / 3.0)); }

}  // namespace ui

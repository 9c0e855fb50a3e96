#include "ui/units.h"

#include <cmath>

namespace ui {

int twipsToPixels(int twips) { return twipsToPixels(twips, 1.0); }

int twipsToPixels(int twips, double zoom) {
    const long px = std::lround(twips * zoom / kTwipsPerPixel);
    if (px == 0 && twips > 0) return 1;
    if (px == 0 && twips < 0) return -1;
    return static_cast<int>(px);
}

int pointsToPixels(double points) { return static_cast<int>(std::lround(points * 4.0 / 3.0)); }

}  // namespace ui

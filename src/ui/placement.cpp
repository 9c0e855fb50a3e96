#include "ui/placement.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
// What a window manager adds around a window, in device pixels: borders and a title bar.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

int keptInside(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}
}  // namespace

Rect placeWindow(const std::optional<Rect>& previous, Size size, Rect available) {
    const Rect around = previous.value_or(available);
    const int left = around.left + around.width / 2 - size.width / 2;
    const int top = around.top + around.height / 2 - size.height / 2;
    return {keptInside(left, size.width, available.left, available.width),
            keptInside(top, size.height, available.top, available.height), size.width, size.height};
}

double fittingScale(double asked, Size window, Size screen, double screenRatio) {
    if (window.width <= 0 || window.height <= 0 || screenRatio <= 0) return asked;
    const double fits = std::min((screen.width - kFrameWidth) / (window.width * screenRatio),
                                 (screen.height - kFrameHeight) / (window.height * screenRatio));
    // Down to a hundredth, so that rounding never makes it a pixel too large.
    return std::max(1.0, std::min(asked, std::floor(fits * 100) / 100));
}

}  // namespace ui

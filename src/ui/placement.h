#pragma once

// Where windows go on the screen, and how large they may be drawn: pure rules, in pixels.

#include <optional>

#include "ui/units.h"

namespace ui {

// A window of `size` opens centred on where the previous window stood, so the game stays where
// the player put it; the first one centred on the screen's free area. It is kept inside that area
// (its top left corner first, when it is the larger).
Rect placeWindow(const std::optional<Rect>& previous, Size size, Rect available);

// The largest scale, up to `asked`, at which a window `window` pixels large at scale 1 fits a
// screen `screen` device pixels large whose own pixel ratio is `screenRatio`, with room for the
// window's frame and title bar. Never below 1: the smallest window is the layouts' own.
double fittingScale(double asked, Size window, Size screen, double screenRatio);

}  // namespace ui

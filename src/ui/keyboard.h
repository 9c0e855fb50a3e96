#pragma once

#include <functional>
#include <vector>

#include "ui/control.h"
#include "ui/controlarray.h"

namespace ui {

// The arrow keys move the focus between these controls, laid out row by row, `columns` to a row,
// stepping over cells that are hidden or disabled; at the edge the focus stays. Every cell becomes a
// tab stop.
void arrowGrid(int columns, const std::vector<Control*>& cells);

// Up and Down on the focused control turn it, as on a dial, instead of moving the focus:
// `turn(+1)` for Up, `turn(-1)` for Down. Left and Right still move within its grid.
void turnWithUpDown(Control& control, std::function<void(int step)> turn);

// Tab visits these controls one after another, in this order, wherever they were declared.
void tabOrder(const std::vector<Control*>& controls);

}  // namespace ui

#pragma once

#include <vector>

#include "ui/control.h"
#include "ui/controlarray.h"

namespace ui {

// The arrow keys move the focus between these controls, laid out row by row, `columns` to a row,
// stepping over cells that are hidden or disabled; at the edge the focus stays. Every cell becomes a
// tab stop.
void arrowGrid(int columns, const std::vector<Control*>& cells);

// The elements of control arrays one after another, to lay out as a grid.
template <class... C>
std::vector<Control*> cellsOf(const ControlArray<C>&... arrays) {
    std::vector<Control*> cells;
    (
        [&] {
            for (auto& element : arrays) cells.push_back(&element);
        }(),
        ...);
    return cells;
}

}  // namespace ui

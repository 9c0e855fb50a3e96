#include "ui/keyboard.h"

#include <utility>

#include "ui/private/widgets.h"

namespace ui {

void arrowGrid(int columns, const std::vector<Control*>& cells) {
    std::vector<QWidget*> widgets;
    for (Control* c : cells) {
        if (c) c->setTabStop(true);
        widgets.push_back(c ? c->widget().w.data() : nullptr);
    }
    detail::arrowGrid(widgets, columns);
}

void turnWithUpDown(Control& control, std::function<void(int)> turn) {
    detail::turnWithUpDown(*control.widget().w, std::move(turn));
}

void tabOrder(const std::vector<Control*>& controls) {
    std::vector<QWidget*> widgets;
    for (Control* c : controls) widgets.push_back(c->widget().w.data());
    detail::tabOrder(widgets);
}

}  // namespace ui

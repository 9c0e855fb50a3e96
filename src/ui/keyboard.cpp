#include "ui/keyboard.h"

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

}  // namespace ui

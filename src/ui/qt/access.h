#pragma once

// For tools and tests: the Qt widgets behind forms and controls.

#include <QWidget>

#include "ui/control.h"
#include "ui/form.h"

namespace ui::qt {

QWidget* windowOf(const Form& form);
QWidget* widgetOf(const Control& control);

}  // namespace ui::qt

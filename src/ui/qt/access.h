#pragma once

// For tools and tests: the Qt widgets behind forms and controls.

#include <QByteArray>
#include <QImage>
#include <QWidget>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/picture.h"

namespace ui::qt {

QWidget* windowOf(const Form& form);
QWidget* widgetOf(const Control& control);
// The picture stretched to `pixels`, from the same cache the image controls draw from.
const QImage& imageOf(const Picture& picture, QSize pixels);
QByteArray svgOf(const Picture& picture);

}  // namespace ui::qt

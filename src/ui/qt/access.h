#pragma once

// For tools and tests: the Qt widgets behind forms and controls.

#include <QByteArray>
#include <QImage>
#include <QWidget>

#include <functional>

#include "ui/control.h"
#include "ui/form.h"
#include "ui/picture.h"

namespace ui::qt {

QWidget* windowOf(const Form& form);
QWidget* widgetOf(const Control& control);
// The picture stretched to `pixels` for a screen of ratio `dpr`, from the same cache the image
// controls draw from (rendered now if it is not there yet). Copies of one cached rendering share
// its pixels (and its cacheKey()).
QImage imageOf(const Picture& picture, QSize pixels, qreal dpr = 1.0);
// The same rendering made afresh, SVG parsing included, leaving the cache alone: what a cold
// rendering costs, and what a cached one must equal.
QImage renderedAfresh(const Picture& picture, QSize pixels, qreal dpr = 1.0);
// Whether the cache holds that rendering already.
bool isCached(const Picture& picture, QSize pixels, qreal dpr = 1.0);
// Renderings a control or caller had to wait for on the GUI thread since the program started, and
// the milliseconds they took.
int onDemandRenders();
double onDemandRenderMs();
QByteArray svgOf(const Picture& picture);
// Hears every change the controls announce to a screen reader (the accessibility events Qt sends
// only while one listens), with the name the control then has; nullptr to stop.
void setNameListener(std::function<void(const QWidget& control, const QString& name)> listener);

// Tests: announce as though a screen reader listened (the offscreen platform has none).
void assumeScreenReader(bool on);

}  // namespace ui::qt

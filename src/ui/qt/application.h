#pragma once

// For entry points only (main, tools, tests): the Qt application the ui layer runs in.

#include <QApplication>
#include <QString>

namespace ui::qt {

// Fusion style, a fixed light palette, and the layouts' font names mapped to an installed
// Japanese Gothic, with it as the application's default font.
void setUpApplication(QApplication& app);

// The family that the layouts' Gothic face resolves to on this machine.
QString resolvedGothicFamily();

// True when Qt can open a window here; false on a machine without a display.
bool displayAvailable();

}  // namespace ui::qt

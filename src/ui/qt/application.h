#pragma once

// For entry points only (main, tools, tests): the Qt application the ui layer runs in.

#include <QApplication>
#include <QString>

#include <memory>
#include <optional>
#include <string>

#include "ui/units.h"

namespace ui::qt {

// Fusion style, a fixed light palette, and the layouts' font names mapped to an installed
// Japanese Gothic, with it as the application's default font.
void setUpApplication(QApplication& app);

// The family that the layouts' Gothic face resolves to on this machine.
QString resolvedGothicFamily();

// The window scale asked for on the command line ("2", "1.5"): a number from 1 to 4; nothing for
// any other text.
std::optional<double> parseScale(const QString& text);
// Every window drawn `factor` times larger, at that many times the pixels, so pictures and text
// stay sharp. Call it before the QApplication is created.
void setScale(double factor);
// Takes "--scale F" or "--scale=F" out of the arguments and applies it; false, with a message on
// stderr, when F is not a scale. For entry points that have no parser of their own.
bool takeScaleArgument(int& argc, char** argv);

// True when Qt can open a window here; false on a machine without a display.
bool displayAvailable();

// The display the game is about to open its windows on, looked at before Qt connects to it (Qt
// ends the program when it cannot).
struct DisplayFacts {
    bool reachable = true;             // false: DISPLAY names an X display that cannot be opened
    std::optional<ui::Size> freeArea;  // device pixels free for windows, where the display says
    double pixelRatio = 1.0;           // the display's own scale (Xft.dpi / 96), which Qt follows
    // The connection it was looked at through. An X server with no client left resets, and a
    // connection made meanwhile fails: let it go once Qt has connected.
    std::shared_ptr<void> connection;
};
DisplayFacts lookAtDisplay();

// Empty when the layouts' Gothic resolves to a Japanese face that has the glyphs; otherwise what
// the player sees instead and what to install.
std::string missingFontMessage();

}  // namespace ui::qt

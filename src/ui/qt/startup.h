#pragma once

// For main only: start-up work that needs no window, moved off the GUI thread's way to the first
// painted title. Measured with tools/bench; each part is kept because it shortens that way.

#include <QIcon>
#include <QImage>
#include <QSize>

#include <future>
#include <thread>
#include <vector>

#include "ui/picture.h"

namespace ui::qt {

// Reads the font configuration (fontconfig's files and caches) on a worker thread, so that it is
// ready by the time the title first asks for a font. Create it before the QApplication: the
// application object connects to the display meanwhile.
class FontConfigurationReader {
public:
    FontConfigurationReader();
    ~FontConfigurationReader();
    FontConfigurationReader(const FontConfigurationReader&) = delete;
    FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

private:
    std::thread thread_;
};

// Once the application is set up (setUpApplication), while the GUI thread builds the title: fills
// the font database and the font fallback lists of the faces the forms use, which every thread
// shares, on a thread of its own that ends with it (the fonts it opened go with it), and renders
// the window icon on a worker thread. Create it after the QApplication, so that it is gone, and
// its work done, before the application goes.
class StartupWork {
public:
    StartupWork(const Picture& icon, std::vector<QSize> iconSizes);
    ~StartupWork();
    StartupWork(const StartupWork&) = delete;
    StartupWork& operator=(const StartupWork&) = delete;

    // The window icon at every size asked for, waiting for it if need be. GUI thread only.
    QIcon icon();

private:
    std::future<void> fonts_;
    std::future<std::vector<QImage>> icon_;
};

}  // namespace ui::qt

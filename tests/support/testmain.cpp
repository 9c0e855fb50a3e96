// Every test binary runs on the offscreen platform inside one Qt application.

#include <QApplication>

#include <gtest/gtest.h>

#include "support/harness.h"
#include "ui/qt/application.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_RUNTIME_DIR", "/tmp");
    if (!ui::qt::takeScaleArgument(argc, argv)) return 2;  // the game's own option, for hidpi_tests
    QApplication app(argc, argv);
    ui::qt::setUpApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    testing_support::reportBroken = [](const std::string& what) { ADD_FAILURE() << what; };
    return RUN_ALL_TESTS();
}

// Every test binary runs on the offscreen platform inside one Qt application.

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "support/harness.h"
#include "ui/qt/application.h"

namespace {
// A warning from Qt fails the test that caused it: a painter left open, a raise the platform
// cannot do, a connection to nothing. Two say something of the machine, not of the game.
void failOnWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg) std::abort();
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    for (const char* machine : {"QStandardPaths: wrong permissions", "This plugin does not support propagateSizeHints"})
        if (message.startsWith(QLatin1String(machine))) return;
    ADD_FAILURE() << "Qt warned: " << message.toStdString();
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_RUNTIME_DIR", "/tmp");
    qputenv("QT_STYLE_OVERRIDE", "Windows");               // as a desktop with a style of its own would ask
    if (!ui::qt::takeScaleArgument(argc, argv)) return 2;  // the game's own option, for hidpi_tests
    QApplication app(argc, argv);
    ui::qt::setUpApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    testing_support::reportBroken = [](const std::string& what) { ADD_FAILURE() << what; };
    qInstallMessageHandler(failOnWarnings);
    return RUN_ALL_TESTS();
}

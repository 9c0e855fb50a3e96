// Start-up: the Qt application, fonts, the program, the title.

#include <QApplication>

#include <cstdio>

#include "chain/program.h"
#include "app/random.h"
#include "ui/clock.h"
#include "ui/qt/application.h"

int main(int argc, char** argv) {
    if (!ui::qt::displayAvailable()) {
        std::fputs("No display here: run the game on a desktop, or without one as `xvfb-run -a ./play`.\n", stderr);
        return 1;
    }
    QApplication qapp(argc, argv);
    ui::qt::setUpApplication(qapp);

    auto clock = ui::makeQtClock();
    app::Random random;
    chain::Program program(*clock, random);
    program.start();
    return QApplication::exec();
}

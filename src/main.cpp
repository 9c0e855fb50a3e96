// Start-up: the Qt application, fonts, the command line, the program, the title.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "app/random.h"
#include "assets/library.h"
#include "chain/program.h"
#include "ui/clock.h"
#include "ui/qt/access.h"
#include "ui/qt/application.h"
#include "ui/qt/startup.h"

namespace {

// Quits with 0 once the window has painted for the first time, and with 1 if it never does: a
// check that an installed copy really starts, fonts and pictures included. For tools/bench, with
// NONOKA_BENCH_PAINTED set, it also prints the moment the painted frame was handed on (after the
// window and all its controls have painted) as "painted <CLOCK_MONOTONIC ns>".
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QWidget* window) {
        window->installEventFilter(this);
        QTimer::singleShot(10000, this, [] { QCoreApplication::exit(1); });
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, [] {
                if (std::getenv("NONOKA_BENCH_PAINTED")) {
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("painted %lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
                    std::fflush(stdout);
                }
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    // --help and --version need no display; they are answered before Qt looks for one.
    QCoreApplication::setApplicationName(QStringLiteral("nonoka"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NONOKA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(
        "乃々香誕生日記念ミニゲーム　～とらわれた和馬～\n"
        "A birthday story with eight mini-games. Progress is kept only as the four-digit codes the\n"
        "scenes show; enter one under 続きから to go back to that scene."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption selfTest(QStringLiteral("self-test"),
                                      QStringLiteral("Start, paint the title once and exit 0 (1 if it never paints)."));
    parser.addOption(selfTest);
    const QStringList scaleNames{QStringLiteral("scale")};
    const QCommandLineOption scale(
        scaleNames, QStringLiteral("Draw every window F times larger, from 1 to 4 (fractions such as 1.5 too)."),
        QStringLiteral("F"));
    parser.addOption(scale);
    {
        // A core application needs no display, and with one the help names the program.
        QCoreApplication early(argc, argv);
        parser.process(early);  // answers --help, --version and unknown options, and exits
    }
    if (parser.isSet(scale)) {
        const std::optional<double> factor = ui::qt::parseScale(parser.value(scale));
        if (!factor) {
            std::fprintf(stderr, "--scale takes a number from 1 to 4 (such as 2 or 1.5), not \"%s\".\n",
                         qPrintable(parser.value(scale)));
            return 2;
        }
        ui::qt::setScale(*factor);
    }

    if (!ui::qt::displayAvailable()) {
        std::fputs("No display here: run the game on a desktop, or without one as `xvfb-run -a ./play`.\n", stderr);
        return 1;
    }
    ui::qt::FontConfigurationReader fontConfiguration;
    QApplication qapp(argc, argv);
    ui::qt::setUpApplication(qapp);
    // Window icons show at 16 to 64 device pixels (128 on a high-density screen); the launchers
    // take theirs from the installed icon theme. Each size goes to the window system with every window.
    ui::qt::StartupWork background(assets::picture("app/icon"), {QSize(32, 32), QSize(128, 128)});

    auto clock = ui::makeQtClock();
    app::Random random;
    chain::Program program(*clock, random);
    program.start();
    // The first frame does without the icon; the window system takes it a moment later.
    program.app().loadedForm("maintitle")->afterFirstPaint([&] { qapp.setWindowIcon(background.icon()); });
    program.prerenderPictures();
    std::unique_ptr<FirstPaint> check;
    if (parser.isSet(selfTest)) check = std::make_unique<FirstPaint>(ui::qt::windowOf(*program.app().loadedForm("maintitle")));
    return QApplication::exec();
}

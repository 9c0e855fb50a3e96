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
#include "ui/messagebox.h"
#include "ui/placement.h"
#include "ui/qt/access.h"
#include "ui/qt/application.h"
#include "ui/qt/startup.h"

namespace {

// Says on stderr, where the Japanese face is missing, what to install; true then.
bool saidFontMissing() {
    const std::string problem = ui::qt::missingFontMessage();
    if (!problem.empty()) std::fprintf(stderr, "nonoka: %s\n", problem.c_str());
    return !problem.empty();
}

// Quits with 0 once the window has painted for the first time, and with 1 if it never does or the
// Japanese face is missing: a check that an installed copy really starts, fonts and pictures included. For tools/bench, with
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
                QCoreApplication::exit(saidFontMissing() ? 1 : 0);
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

// A usage error: one line that says what was wrong and where the usage is, and exit status 2.
int usageError(const QString& what) {
    std::fprintf(stderr, "nonoka: %s (see nonoka --help)\n", qPrintable(what));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version need no display; they are answered before Qt looks for one.
    QCoreApplication::setApplicationName(QStringLiteral("nonoka"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NONOKA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromUtf8("乃々香誕生日記念ミニゲーム　～とらわれた和馬～\n"
                          "A birthday story told in Japanese, with mini-games between its scenes. Progress is kept only\n"
                          "as the four-digit codes the scenes show; enter one under 続きから to go back to that scene.\n"
                          "F11 shows the game full screen; F11 or Escape leaves it."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption selfTest(
        QStringLiteral("self-test"),
        QStringLiteral("Start, paint the title once and exit 0 (1 if it never paints or the Japanese font is missing)."));
    parser.addOption(selfTest);
    const QStringList scaleNames{QStringLiteral("scale")};
    const QCommandLineOption scale(scaleNames,
                                   QStringLiteral("Draw every window F times larger, from 1 to 4 (fractions such as 1.5 too)."),
                                   QStringLiteral("F"));
    parser.addOption(scale);
    {
        // A core application needs no display, and with one the help names the program.
        QCoreApplication early(argc, argv);
        if (!parser.parse(early.arguments())) return usageError(parser.errorText());
        if (parser.isSet(help)) parser.showHelp(0);  // both exit
        if (parser.isSet(version)) parser.showVersion();
        if (!parser.positionalArguments().isEmpty())
            return usageError(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().front()));
    }
    std::optional<double> factor;
    if (parser.isSet(scale)) {
        factor = ui::qt::parseScale(parser.value(scale));
        if (!factor)
            return usageError(
                QStringLiteral("--scale takes a number from 1 to 4 (such as 2 or 1.5), not \"%1\"").arg(parser.value(scale)));
    }

    if (!ui::qt::displayAvailable()) {
        std::fputs(
            "nonoka: no display to show the game on. Start it on a desktop; on a machine without one, "
            "under a virtual display: xvfb-run -a nonoka (in the source tree: xvfb-run -a ./play).\n",
            stderr);
        return 1;
    }
    ui::qt::DisplayFacts display = ui::qt::lookAtDisplay();
    if (!display.reachable) {
        std::fprintf(stderr,
                     "nonoka: cannot open the display \"%s\". Check DISPLAY, or on a machine without a display "
                     "run the game under xvfb-run -a.\n",
                     qgetenv("DISPLAY").constData());
        return 1;
    }
    if (factor && display.freeArea) {
        const ui::Size largest{ui::twipsToPixels(chain::kLargestWindow.width), ui::twipsToPixels(chain::kLargestWindow.height)};
        const double fits = ui::fittingScale(*factor, largest, *display.freeArea, display.pixelRatio);
        if (fits < *factor)
            std::fprintf(stderr, "nonoka: --scale %g would make windows larger than the screen; using %g.\n", *factor, fits);
        factor = fits;
    }
    if (factor) ui::qt::setScale(*factor);

    ui::qt::FontConfigurationReader fontConfiguration;
    QApplication qapp(argc, argv);
    display.connection.reset();
    ui::qt::setUpApplication(qapp);
    // Title bars read "<scene> — <game>"; a screen reader still reads the scene's own caption. The
    // desktop file named here is the one whose launcher and icon stand for the running game.
    QGuiApplication::setApplicationDisplayName(QString::fromUtf8("乃々香誕生日記念ミニゲーム"));
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.nonoka.birthday"));
    // Window icons show at 16 to 64 device pixels (128 on a high-density screen); the launchers
    // take theirs from the installed icon theme. Each size goes to the window system with every window.
    ui::qt::StartupWork background(assets::picture("app/icon"), {QSize(32, 32), QSize(128, 128)});

    auto clock = ui::makeQtClock();
    app::Random random;
    chain::Program program(*clock, random);
    program.start();
    ui::Form& title = *program.app().loadedForm("maintitle");
    // The first frame does without the icon; the window system takes it a moment later. The font is
    // looked at then too, when the font database is filled anyway (before, it would hold up the
    // first paint); a box over the title says what its boxes mean.
    title.afterFirstPaint([&] {
        qapp.setWindowIcon(background.icon());
        if (!parser.isSet(selfTest) && saidFontMissing())
            ui::messageBox(title, "Nonoka's Birthday Mini-Games", ui::qt::missingFontMessage());
    });
    program.prerenderPictures();
    std::unique_ptr<FirstPaint> check;
    if (parser.isSet(selfTest)) check = std::make_unique<FirstPaint>(ui::qt::windowOf(title));
    return QApplication::exec();
}

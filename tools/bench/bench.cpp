// Measures what a player feels: start-up to the first painted title, a scene change, picture
// rendering and timer accuracy, each beside a bare Qt equivalent measured in the same run.
// `bench` runs on the offscreen platform unless a display is given.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "chain/program.h"
#include "app/random.h"
#include "assets/library.h"
#include "ui/clock.h"
#include "ui/qt/access.h"
#include "ui/qt/application.h"
#include "ui/form.h"
#include "ui/timer.h"

namespace {

// Waits until `window` has been painted once, and returns the milliseconds since `since` began.
double untilPainted(QWidget* window, const QElapsedTimer& since) {
    struct Watcher : QObject {
        bool painted = false;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) painted = true;
            return false;
        }
    } watcher;
    window->installEventFilter(&watcher);
    for (int i = 0; i < 1000 && !watcher.painted; ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
    window->removeEventFilter(&watcher);
    return since.nsecsElapsed() / 1e6;
}

// A plain window of this size, shown; `ms` is the time until its first paint.
std::unique_ptr<QWidget> bareWindow(QSize size, double& ms) {
    QElapsedTimer since;
    since.start();
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(size);
    window->show();
    ms = untilPainted(window.get(), since);
    return window;
}

void row(const char* what, double ours, double bare) {
    std::printf("%-34s %10.2f ms   (bare Qt %.2f ms)\n", what, ours, bare);
}

// Mean interval and total drift of `ticks` ticks of a `ms` timer.
struct TimerRun {
    double meanMs;
    double driftPercent;
};

// Runs `ticks` ticks of a `ms` timer, started by `start` and counted by the callback it is given.
template <class Start>
TimerRun timerRun(int ms, int ticks, Start start) {
    int n = 0;
    QElapsedTimer clock;
    QEventLoop loop;
    clock.start();
    start([&] {
        if (++n == ticks) loop.quit();
    });
    loop.exec();
    const double total = clock.nsecsElapsed() / 1e6;
    return {total / ticks, (total - ms * ticks) * 100.0 / (ms * ticks)};
}

TimerRun qtTimerRun(int ms, int ticks, Qt::TimerType type) {
    QTimer t;
    t.setTimerType(type);
    t.setInterval(ms);
    return timerRun(ms, ticks, [&](auto tick) {
        QObject::connect(&t, &QTimer::timeout, tick);
        t.start();
    });
}

TimerRun uiTimerRun(ui::Clock& uiClock, int ms, int ticks) {
    ui::Timer t(uiClock, "bench", ms, false);
    return timerRun(ms, ticks, [&](auto tick) {
        t.onTick = tick;
        t.setEnabled(true);
    });
}

// A form of 81 pictured boxes, each asking for its picture by name as a game form does.
class Boxes final : public ui::Form {
public:
    explicit Boxes(ui::Clock& clock) : ui::Form(clock, "boxes", "boxes", {9885, 7095}, ui::Rgb{192, 192, 255}) {
        array<ui::Image>("Image1", 81, [this](const std::string& n, int i) -> ui::Image& {
            return image(n, {360 + 720 * (i % 9), 360 + 720 * (i / 9), 600, 600},
                         assets::picture("scenes/keysearch/takarabako"));
        });
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer start;
    start.start();
    QApplication qapp(argc, argv);
    ui::qt::setUpApplication(qapp);

    // Start-up: ours, then a bare window of the title's size.
    auto clock = ui::makeQtClock();
    app::Random random;
    chain::Program program(*clock, random);
    program.app().onEnd = [] {};
    program.start();
    const double ourStart = untilPainted(ui::qt::windowOf(*program.app().loadedForm("maintitle")), start);
    double bareShown = 0;
    auto bare = bareWindow({593, 477}, bareShown);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("%-34s %10.2f ms from process start, Qt set-up included\n", "start-up to the painted title", ourStart);
    std::printf("%-34s %10.2f ms once Qt is up\n", "a bare window of that size", bareShown);

    // A scene change: the title hands over to the first story scene.
    QElapsedTimer change;
    change.start();
    program.app().changeScene(*program.app().loadedForm("maintitle"), "mesarea1");
    const double ourChange = untilPainted(ui::qt::windowOf(*program.app().loadedForm("mesarea1")), change);
    double bareNext = 0;
    auto next = bareWindow({659, 473}, bareNext);
    bare.reset();
    row("scene change to the painted scene", ourChange, bareNext);

    // Pictures: every store picture rendered cold at its own size, and again from the cache.
    std::vector<ui::Picture> pictures;
    for (const auto& name : assets::pictureNames()) pictures.push_back(assets::picture(name));
    QElapsedTimer render;
    render.start();
    for (auto& p : pictures) ui::qt::imageOf(p, QSize(p.width(), p.height()));
    const double cold = render.nsecsElapsed() / 1e6;
    render.restart();
    for (auto& p : pictures) ui::qt::imageOf(p, QSize(p.width(), p.height()));
    const double cached = render.nsecsElapsed() / 1e6;
    std::printf("%-34s %10.2f ms for %zu pictures, %.3f ms once cached\n", "render every picture at its size", cold,
                pictures.size(), cached);

    // A game form of 81 images: built, shown and painted; five fresh forms, the median kept.
    std::vector<double> boxes;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer since;
        since.start();
        Boxes form(*clock);
        form.load();
        form.show();
        boxes.push_back(untilPainted(ui::qt::windowOf(form), since));
        form.shutDown();
    }
    std::sort(boxes.begin(), boxes.end());
    std::printf("%-34s %10.2f ms median of 5 (min %.2f, max %.2f)\n", "81-image form, shown and painted", boxes[2],
                boxes.front(), boxes.back());

    // Timers: the game's 20 ms typing timer and 45 ms pause, against Qt's default coarse timer.
    for (int ms : {20, 45}) {
        const TimerRun ours = uiTimerRun(*clock, ms, 2000 / ms);
        const TimerRun coarse = qtTimerRun(ms, 2000 / ms, Qt::CoarseTimer);
        std::printf("%d ms timer over 2 s: mean %.3f ms, drift %+.2f %%   (coarse QTimer: mean %.3f ms, drift %+.2f %%)\n",
                    ms, ours.meanMs, ours.driftPercent, coarse.meanMs, coarse.driftPercent);
    }
    return 0;
}

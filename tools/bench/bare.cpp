// The bench's yardstick: a bare Qt Widgets program on the same platform, with the same style and
// window flags as the game's windows, doing the least that each of the game's measured steps does.
//   --startup   paint one window of the title's size, print "painted <ns>" and exit
//   --session   a second window opened directly, and scene changes by a click on a button
//   --open      a second window of a game's size opened and painted
//   --timers N  20 and 45 ms precise timers while a label types, N ticks of the slower
//   --idle      a window waiting for a click, until killed

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>

#include "probe.h"

namespace {

constexpr QSize kTitle{593, 477};
constexpr QSize kScene{659, 473};

std::unique_ptr<QWidget> window(QSize size) {
    auto w = std::make_unique<QWidget>();
    w->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                      Qt::MSWindowsFixedSizeDialogHint);
    w->setFixedSize(size);
    return w;
}

int startup() {
    auto w = window(kTitle);
    w->show();
    probe::PaintWatch watch;
    watch.waitPainted(w.get(), "the bare window");
    std::printf("painted %lld\n", watch.paintedAt(w.get()));
    return 0;
}

// A window with one button; a click shows the next such window and hides this one, as a scene
// change shows the next form and unloads the current one.
struct Scene {
    std::unique_ptr<QWidget> w = window(kScene);
    QPushButton* next = new QPushButton(QStringLiteral("NEXT"), w.get());
};

int session() {
    probe::PaintWatch watch;
    auto first = window(kTitle);
    first->show();
    watch.waitPainted(first.get(), "the first window");

    long long start = probe::nowNs();
    auto second = window(kScene);
    second->show();
    probe::report("open", (watch.waitPainted(second.get(), "the second window") - start) / 1e6);
    second.reset();

    auto current = std::make_unique<Scene>();
    current->w->show();
    watch.waitPainted(current->w.get(), "the first scene");
    for (int i = 0; i < 8; ++i) {
        std::unique_ptr<Scene> following;
        QObject::connect(current->next, &QPushButton::clicked, current->w.get(), [&] {
            following = std::make_unique<Scene>();
            following->w->show();
            current->w->hide();
        });
        start = probe::nowNs();
        probe::click(current->next);
        if (!following) probe::fail("the click changed nothing");
        probe::report("change", (watch.waitPainted(following->w.get(), "the next scene") - start) / 1e6);
        current = std::move(following);
    }
    probe::report("rss_kb", static_cast<double>(probe::peakRssKb()));
    return 0;
}

int open() {
    probe::PaintWatch watch;
    auto first = window(kTitle);
    first->show();
    watch.waitPainted(first.get(), "the first window");
    probe::processFor(50);
    const long long start = probe::nowNs();
    auto second = window(kScene);
    second->show();
    first->hide();
    probe::report("open", (watch.waitPainted(second.get(), "the second window") - start) / 1e6);
    return 0;
}

int timers(int ticks) {
    auto w = window(kScene);
    auto* label = new QLabel(w.get());
    label->setGeometry(24, 24, 609, 41);
    w->show();
    const QString text = QString::fromUtf8("むかしむかし、ある町に誕生日を待つ女の子がいました。");
    int typed = 0;
    std::vector<long long> t20, t45;
    QTimer a, b;
    for (QTimer* t : {&a, &b}) t->setTimerType(Qt::PreciseTimer);
    QObject::connect(&a, &QTimer::timeout, [&] {
        t20.push_back(probe::nowNs());
        typed = typed % text.size() + 1;
        label->setText(text.left(typed));
    });
    QObject::connect(&b, &QTimer::timeout, [&] { t45.push_back(probe::nowNs()); });
    a.start(20);
    b.start(45);
    probe::waitUntil([&] { return static_cast<int>(t45.size()) > ticks; }, "the timers", ticks * 45 * 2 + 5000);
    probe::reportTimer("timer20", t20, 20);
    probe::reportTimer("timer45", t45, 45);
    return 0;
}

int idle() {
    auto w = window(kScene);
    new QPushButton(QStringLiteral("NEXT"), w.get());
    w->show();
    probe::PaintWatch watch;
    watch.waitPainted(w.get(), "the window");
    probe::processFor(1000);  // whatever the start set going has settled
    std::printf("waiting\n");
    std::fflush(stdout);
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setQuitOnLastWindowClosed(false);
    const char* mode = argc > 1 ? argv[1] : "";
    if (!std::strcmp(mode, "--startup")) return startup();
    if (!std::strcmp(mode, "--session")) return session();
    if (!std::strcmp(mode, "--open")) return open();
    if (!std::strcmp(mode, "--timers")) return timers(argc > 2 ? std::atoi(argv[2]) : 500);
    if (!std::strcmp(mode, "--idle")) return idle();
    std::fprintf(stderr, "usage: bench_bare --startup | --session | --open | --timers N | --idle\n");
    return 64;
}

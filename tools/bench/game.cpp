// The game, driven for the bench: the same forms, pictures, clocks and start-up as the real
// program, played through the test harness (real mouse events on real windows) so that each
// step can be timed from the click to the painted window.
//   --list        the game forms and the kinds of form, from the form table
//   --cold        the store's pictures rendered afresh, on the GUI thread and on one worker thread
//   --session     the store's pictures pre-rendered and cached; a walk through the whole story by
//                 its exits, timing every scene change; the peak resident set
//   --open NAME   the first paint of form NAME opened from the title, as the warp zone opens it
//   --timers N    20 and 45 ms timers of the game's clock while a story scene types, N ticks
//   --idle        a story scene waiting for its exit to be clicked, until killed

#include <QApplication>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets/library.h"
#include "assets/sozai.h"
#include "chain/formtable.h"
#include "probe.h"
#include "support/harness.h"
#include "support/play.h"
#include "ui/clock.h"
#include "ui/qt/access.h"
#include "ui/qt/application.h"
#include "ui/qt/startup.h"
#include "ui/timer.h"

namespace {

using testing_support::SceneHarness;

const char* kindName(chain::Kind kind) {
    switch (kind) {
        case chain::Kind::Title: return "title";
        case chain::Kind::Warp: return "warp";
        case chain::Kind::Story: return "story";
        case chain::Kind::Game: return "game";
    }
    return "?";
}

const chain::FormEntry& entry(const std::string& name) {
    for (const auto& e : chain::formTable())
        if (e.name == name) return e;
    probe::fail("no form " + name);
}

QWidget* windowOf(SceneHarness& h, const std::string& name) {
    ui::Form* f = h.app().loadedForm(name);
    if (!f) probe::fail(name + " is not loaded");
    return ui::qt::windowOf(*f);
}

// The title up and painted, and the pictures pre-rendered as the game does while it waits.
void startAsTheGameDoes(SceneHarness& h, probe::PaintWatch& watch) {
    h.start();
    h.program().prerenderPictures();
    watch.waitPainted(windowOf(h, "maintitle"), "the title");
    probe::waitUntil([&] { return h.program().prerender().finished(); }, "the pre-rendering");
}

struct StorePicture {
    std::string name;
    ui::Picture picture;
    QSize pixels;
};

std::vector<StorePicture> storePictures(qreal dpr) {
    std::vector<StorePicture> out;
    for (const auto& s : assets::Sozai::picturesAsShown())
        if (s.name.starts_with("store/"))
            out.push_back({s.name, s.picture, QSize(qRound(s.width * dpr), qRound(s.height * dpr))});
    return out;
}

// Every store picture parsed and rendered afresh, one after another: on the GUI thread, as a
// control waiting for its picture would, and on one worker thread, as the pre-renderer does.
void coldStore(qreal dpr) {
    const auto pictures = storePictures(dpr);
    long long start = probe::nowNs();
    for (const auto& p : pictures) ui::qt::renderedAfresh(p.picture, p.pixels, dpr);
    probe::report("store.cold.gui", probe::msSince(start));

    std::vector<double> each(pictures.size());
    double total = 0;
    QThreadPool::globalInstance()->start([&] {
        const long long all = probe::nowNs();
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const long long one = probe::nowNs();
            ui::qt::renderedAfresh(pictures[i].picture, pictures[i].pixels, dpr);
            each[i] = probe::msSince(one);
        }
        total = probe::msSince(all);
    });
    QThreadPool::globalInstance()->waitForDone();
    probe::report("store.cold.worker", total);
    for (std::size_t i = 0; i < pictures.size(); ++i) probe::report("picture", pictures[i].name, each[i]);
}

// Clicks `exit` on `from` and waits for the next form's first frame.
void timedExit(SceneHarness& h, probe::PaintWatch& watch, const std::string& from, const std::string& exit,
               const std::string& to) {
    QWidget* button = ui::qt::widgetOf(h.control(from, exit));
    const long long start = probe::nowNs();
    probe::click(button);
    if (!h.app().isLoaded(to)) probe::fail(from + "." + exit + " did not open " + to);
    const double ms = (watch.waitPainted(windowOf(h, to), to) - start) / 1e6;
    probe::report("change", std::string(kindName(entry(from).kind)) + ">" + kindName(entry(to).kind) + " " + from + ">" + to, ms);
    h.settle();
}

int cold() {
    coldStore(qApp->devicePixelRatio());
    return 0;
}

int session() {
    probe::PaintWatch watch;
    SceneHarness h;
    startAsTheGameDoes(h, watch);
    probe::report("store.prerender", h.program().prerender().elapsedMs());
    const auto pictures = storePictures(ui::qt::windowOf(h.form("maintitle"))->devicePixelRatioF());
    const long long start = probe::nowNs();
    for (const auto& p : pictures)
        ui::qt::imageOf(p.picture, p.pixels, ui::qt::windowOf(h.form("maintitle"))->devicePixelRatioF());
    probe::report("store.cached", probe::msSince(start));

    const int missesBefore = ui::qt::onDemandRenders();
    const double waitedBefore = ui::qt::onDemandRenderMs();
    const auto line = chain::mainLine();
    const auto games = chain::gameForms();
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const std::string& form = line[i];
        if (chain::entry(form).kind == chain::Kind::Story) h.readThrough(form);
        if (std::find(games.begin(), games.end(), form) != games.end()) testing_support::winScript(form).win(h);
        timedExit(h, watch, form, chain::mainExit(form), line[i + 1]);
    }
    probe::report("walk.misses", ui::qt::onDemandRenders() - missesBefore);
    probe::report("walk.waited", ui::qt::onDemandRenderMs() - waitedBefore);
    probe::report("rss_kb", static_cast<double>(probe::peakRssKb()));
    return 0;
}

int open(const std::string& name) {
    probe::PaintWatch watch;
    SceneHarness h;
    startAsTheGameDoes(h, watch);
    probe::processFor(50);
    const int missesBefore = ui::qt::onDemandRenders();
    const double waitedBefore = ui::qt::onDemandRenderMs();
    const long long start = probe::nowNs();
    h.app().changeScene(h.form("maintitle"), name);
    probe::report("open", name, (watch.waitPainted(windowOf(h, name), name) - start) / 1e6);
    probe::report("open.misses", name, ui::qt::onDemandRenders() - missesBefore);
    probe::report("open.waited", name, ui::qt::onDemandRenderMs() - waitedBefore);
    return 0;
}

std::vector<std::string> stories() {
    std::vector<std::string> out;
    for (const auto& name : chain::mainLine())
        if (chain::entry(name).kind == chain::Kind::Story) out.push_back(name);
    if (out.size() < 2) probe::fail("the form table has fewer than two story scenes");
    return out;
}

// Keeps a story scene typing: turns its pages, and when it ends moves on to another story scene.
void keepTyping(SceneHarness& h) {
    static const auto kStories = stories();
    for (const auto& name : {kStories[0], kStories[1]}) {
        ui::Form* f = h.app().loadedForm(name);
        if (!f) continue;
        if (h.visible(name, "nextPageButton")) {
            probe::click(ui::qt::widgetOf(h.control(name, "nextPageButton")));
        } else if (ui::Control* exit = f->find("nextButton"); exit && exit->visible()) {
            h.app().changeScene(*f, name == kStories[0] ? kStories[1] : kStories[0]);
        }
        return;
    }
}

int timers(int ticks) {
    probe::PaintWatch watch;
    SceneHarness h(true);
    startAsTheGameDoes(h, watch);
    h.app().changeScene(h.form("maintitle"), stories().front());
    ui::Timer t20(h.app().clock(), "bench20", 20, false), t45(h.app().clock(), "bench45", 45, false);
    std::vector<long long> at20, at45;
    t20.onTick = [&] { at20.push_back(probe::nowNs()); };
    t45.onTick = [&] { at45.push_back(probe::nowNs()); };
    t20.setEnabled(true);
    t45.setEnabled(true);
    QTimer pages;
    QObject::connect(&pages, &QTimer::timeout, [&] { keepTyping(h); });
    pages.start(100);
    probe::waitUntil([&] { return static_cast<int>(at45.size()) > ticks; }, "the timers", ticks * 45 * 2 + 5000);
    probe::reportTimer("timer20", at20, 20);
    probe::reportTimer("timer45", at45, 45);
    return 0;
}

int idle() {
    probe::PaintWatch watch;
    SceneHarness h(true);
    startAsTheGameDoes(h, watch);
    const std::string story = stories().front();
    h.app().changeScene(h.form("maintitle"), story);
    watch.waitPainted(windowOf(h, story), story);
    h.readThrough(story);
    probe::processFor(1000);  // whatever the start set going has settled
    std::printf("waiting\n");
    std::fflush(stdout);
    return QApplication::exec();
}

int list() {
    for (const auto& name : chain::gameForms()) std::printf("game %s\n", name.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // As the game starts (src/main.cpp), so that the children measure what the game does.
    ui::qt::FontConfigurationReader fontConfiguration;
    QApplication app(argc, argv);
    ui::qt::setUpApplication(app);
    ui::qt::StartupWork background(assets::picture("app/icon"), {QSize(32, 32), QSize(128, 128)});
    app.setWindowIcon(background.icon());
    const char* mode = argc > 1 ? argv[1] : "";
    if (!std::strcmp(mode, "--list")) return list();
    if (!std::strcmp(mode, "--cold")) return cold();
    if (!std::strcmp(mode, "--session")) return session();
    if (!std::strcmp(mode, "--open") && argc > 2) return open(argv[2]);
    if (!std::strcmp(mode, "--timers")) return timers(argc > 2 ? std::atoi(argv[2]) : 500);
    if (!std::strcmp(mode, "--idle")) return idle();
    std::fprintf(stderr, "usage: bench_game --list | --cold | --session | --open NAME | --timers N | --idle\n");
    return 64;
}

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QSemaphore>
#include <QThreadPool>
#include <QWidget>

#include "assets/library.h"
#include "assets/sozai.h"
#include "chain/formtable.h"
#include "support/harness.h"
#include "ui/qt/access.h"

namespace {

using testing_support::SceneHarness;

// The title up and painted, and every picture pre-rendered, as the game starts.
void startPrerendered(SceneHarness& h) {
    const ui::Prerender& work = h.program().prerender();
    h.program().prerenderPictures();  // before the title is up: nothing to wait for yet
    EXPECT_FALSE(work.started() || work.finished());
    h.start();
    h.program().prerenderPictures();
    h.settle();  // the title's first paint has gone out, and the work with it
    ASSERT_TRUE(work.started());
    work.waitForFinished();
    EXPECT_TRUE(work.finished());
    EXPECT_GT(work.elapsedMs(), 0) << "the time the work took, as the bench reports it";
}

struct Shown {
    ui::Picture picture;
    QSize pixels;
};

// Every picture at the size the forms show it, in device pixels.
std::vector<Shown> everyPicture(qreal dpr) {
    std::vector<Shown> out;
    for (const auto& s : assets::Sozai::picturesAsShown()) {
        const QSize size = s.width ? QSize(s.width, s.height) : QSize(s.picture.width(), s.picture.height());
        out.push_back({s.picture, QSize(qRound(size.width() * dpr), qRound(size.height() * dpr))});
    }
    return out;
}

QImage shot(SceneHarness& h, const std::string& form) { return ui::qt::windowOf(h.form(form))->grab().toImage(); }

TEST(Prerender, EveryPictureIsReadyAtItsSizeAndTheSamePixelsAsRenderedOnDemand) {
    SceneHarness h;
    startPrerendered(h);
    const qreal dpr = ui::qt::windowOf(h.form("maintitle"))->devicePixelRatioF();
    const int missesBefore = ui::qt::onDemandRenders();
    for (const Shown& s : everyPicture(dpr)) {
        ASSERT_TRUE(ui::qt::isCached(s.picture, s.pixels, dpr)) << s.picture.name();
        const QImage cached = ui::qt::imageOf(s.picture, s.pixels, dpr);
        EXPECT_EQ(cached.devicePixelRatio(), dpr) << s.picture.name();
        EXPECT_TRUE(cached == ui::qt::renderedAfresh(s.picture, s.pixels, dpr)) << s.picture.name() << " differs";
    }
    EXPECT_EQ(ui::qt::onDemandRenders(), missesBefore) << "nothing rendered while the forms are looked at";
}

// A bar drawn at the width of the moment keeps its six latest widths, least recently used out
// first; the sizes rendered ahead of time stay whatever else is drawn.
TEST(Prerender, TheSixLatestOtherSizesAreKeptAndThosePrerenderedForGood) {
    SceneHarness h;
    startPrerendered(h);
    const Shown ahead = everyPicture(1.0).front();
    auto renders = [&](int width) {
        const int before = ui::qt::onDemandRenders();
        ui::qt::imageOf(ahead.picture, QSize(width, 10));
        return ui::qt::onDemandRenders() - before;
    };
    for (int width = 1; width <= 6; ++width) EXPECT_EQ(renders(width), 1) << width;
    EXPECT_EQ(renders(1), 0) << "kept, and now the latest used";
    EXPECT_EQ(renders(7), 1);
    EXPECT_FALSE(ui::qt::isCached(ahead.picture, QSize(2, 10)));
    for (int width : {1, 3, 4, 5, 6, 7}) EXPECT_TRUE(ui::qt::isCached(ahead.picture, QSize(width, 10))) << width;
    EXPECT_TRUE(ui::qt::isCached(ahead.picture, ahead.pixels));
}

// A program that ends while the work runs stops it between two pictures; one that ends before it
// could begin (every worker busy) takes it back unstarted, rather than waiting for it.
TEST(Prerender, AnEndStopsTheWorkOrTakesItBackUnstarted) {
    const ui::Picture picture = assets::picture("scenes/kanimg");
    {
        std::vector<ui::Prerender::Item> sizes;
        for (int i = 0; i < 100; ++i) sizes.push_back({picture, 300 + i, 300});
        ui::Prerender work;
        work.start(std::move(sizes), 1.0);
    }
    EXPECT_FALSE(ui::qt::isCached(picture, QSize(399, 300))) << "the last picture was never drawn";
    QThreadPool* pool = QThreadPool::globalInstance();
    QSemaphore busy;
    for (int i = 0; i < pool->maxThreadCount(); ++i) pool->start([&busy] { busy.acquire(); });
    {
        ui::Prerender work;
        work.start({{picture}}, 1.0);
    }
    busy.release(pool->maxThreadCount());
    pool->waitForDone();
}

// Every game window as it first opens, against the same window in a program that rendered
// nothing ahead: the same pixels, and none of them waited for.
TEST(Prerender, NeverChangesWhatAGameShowsAndNoGameWaitsForItsPictures) {
    std::map<std::string, QImage> onDemand;
    for (const auto& game : chain::gameForms()) {
        testing_support::OpenForm h(game);
        onDemand[game] = shot(h, game);
    }
    SceneHarness h;
    startPrerendered(h);
    for (const auto& game : chain::gameForms()) {
        const int missesBefore = ui::qt::onDemandRenders();
        h.app().changeScene(h.form(h.openForms().front()), game);
        h.settle();
        EXPECT_TRUE(shot(h, game) == onDemand[game]) << game << " looks different";
        // Bars drawn stretched to the width of the moment are the only pictures left to render.
        EXPECT_LE(ui::qt::onDemandRenders() - missesBefore, 1) << game;
    }
}

// A window that opens while the pictures are still being rendered renders what it needs itself;
// both threads may fill the same entry, and the window shows the same pixels either way. Leaving
// the program while the work runs waits for it (the sanitizer build would see the worker touch
// pictures already gone).
TEST(Prerender, AWindowOpeningDuringTheWorkAndAnEndDuringItAreBothSafe) {
    QImage calm;
    {
        SceneHarness h;
        startPrerendered(h);
        h.app().changeScene(h.form("maintitle"), "keysearch");
        calm = shot(h, "keysearch");
    }
    for (int round = 0; round < 3; ++round) {
        SceneHarness h;
        h.start();
        h.program().prerenderPictures();
        h.settle();
        h.app().changeScene(h.form("maintitle"), "keysearch");
        EXPECT_TRUE(shot(h, "keysearch") == calm) << "round " << round;
    }
    for (int round = 0; round < 3; ++round) {
        SceneHarness h;
        h.start();
        h.program().prerenderPictures();
        h.settle();
    }
}

}  // namespace

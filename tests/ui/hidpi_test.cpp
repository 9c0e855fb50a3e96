#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <map>

#include "assets/library.h"
#include "support/harness.h"
#include "ui/button.h"
#include "ui/image.h"
#include "ui/qt/access.h"
#include "ui/qt/application.h"
#include "ui/qt/startup.h"

namespace {

// This binary runs at a device pixel ratio of 2, as the game does with --scale 2 (passed by the build).
TEST(HighDpi, AFormKeepsItsLayoutAndItsPicturesAreDrawnAtTheFullResolution) {
    ASSERT_DOUBLE_EQ(qApp->devicePixelRatio(), 2.0);
    testing_support::SceneHarness h;
    ui::Form& f = h.open("Hitandblow");
    QWidget* window = ui::qt::windowOf(f);
    static_cast<ui::Button&>(h.control("Hitandblow", "dialUpButtons(0)")).setFocus();  // no focus frame on the padlock
    EXPECT_EQ(window->size(), QSize(749, 473)) << "the layout, in device-independent pixels";
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(1498, 946));

    // The padlock as the window shows it, against the same picture drawn at twice its size: the
    // same pixels, not a one-times rendering blown up.
    auto& lock = static_cast<ui::Image&>(h.control("Hitandblow", "padlockPicture"));
    const QRect r = ui::qt::widgetOf(lock)->geometry();
    const QImage shown = shot.copy(QRect(r.topLeft() * 2, r.size() * 2)).convertToFormat(QImage::Format_RGB32);
    QImage crisp(r.size() * 2, QImage::Format_RGB32);
    crisp.fill(window->palette().color(QPalette::Window));
    QPainter(&crisp).drawImage(0, 0, ui::qt::imageOf(lock.picture(), r.size() * 2));
    QImage blurry(r.size() * 2, QImage::Format_RGB32);
    blurry.fill(window->palette().color(QPalette::Window));
    QPainter(&blurry).drawImage(QRect(QPoint(0, 0), r.size() * 2), ui::qt::imageOf(lock.picture(), r.size()));

    auto differing = [&](const QImage& other) {
        int n = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = other.pixel(x, y);
                n += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 12;
            }
        return n;
    };
    EXPECT_LE(differing(crisp), shown.width() * shown.height() / 200);
    EXPECT_GT(differing(blurry), shown.width() * shown.height() / 50) << "the check tells the two apart";
}

// Pictures rendered ahead of time are rendered for the screen's ratio, so a window opening later
// shows them crisp without rendering them again.
TEST(HighDpi, PicturesAreRenderedAheadAtThePixelRatioOfTheScreen) {
    testing_support::SceneHarness h;
    h.start();
    h.program().prerenderPictures();
    h.settle();
    h.program().prerender().waitForFinished();
    const ui::Picture padlock = assets::picture("scenes/hitandblow/padlock");
    const QSize pixels(padlock.width() * 2, padlock.height() * 2);
    ASSERT_TRUE(ui::qt::isCached(padlock, pixels, 2.0));
    EXPECT_TRUE(ui::qt::imageOf(padlock, pixels, 2.0) == ui::qt::renderedAfresh(padlock, pixels, 2.0));
    const int missesBefore = ui::qt::onDemandRenders();
    h.app().changeScene(h.form("maintitle"), "Hitandblow");
    ui::qt::windowOf(h.form("Hitandblow"))->grab();
    EXPECT_EQ(ui::qt::onDemandRenders(), missesBefore);
}

TEST(HighDpi, TheScaleIsANumberFromOneToFour) {
    for (const char* good : {"1", "1.5", "2", " 3.25 ", "4"})
        EXPECT_EQ(ui::qt::parseScale(QString::fromLatin1(good)), QString::fromLatin1(good).toDouble()) << good;
    for (const char* bad : {"0.99", "4.01", "0", "-2", "two", "", "2x", "nan", "inf"})
        EXPECT_EQ(ui::qt::parseScale(QString::fromLatin1(bad)), std::nullopt) << bad;
}

// The game's own option is taken out of the arguments before Qt reads them, in either spelling;
// the last one given counts, and one without its number stops the game.
TEST(HighDpi, TheScaleOptionIsTakenOutOfTheArguments) {
    const QByteArray running = qgetenv("QT_SCALE_FACTOR");
    auto take = [](std::vector<std::string> args) {
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int argc = static_cast<int>(args.size());
        const bool ok = ui::qt::takeScaleArgument(argc, argv.data()) && !argv[argc];  // still ends in a null
        return std::pair(ok, std::vector<std::string>(argv.begin(), argv.begin() + argc));
    };
    EXPECT_EQ(take({"game", "--scale", "2", "--scale=1.5", "-x"}), std::pair(true, std::vector<std::string>{"game", "-x"}));
    EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), "1.5");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(take({"game", "--scale", "x"}).first);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "--scale takes a number from 1 to 4 (such as 2 or 1.5), not \"x\".\n");
    EXPECT_FALSE(take({"game", "--scale"}).first);
    qputenv("QT_SCALE_FACTOR", running);
}

// The window icon, drawn on a worker while the title is built, at every size asked for.
TEST(Startup, TheIconIsDrawnAtEverySizeAskedFor) {
    ui::qt::StartupWork work(assets::picture("app/icon"), {QSize(32, 32), QSize(128, 128)});
    EXPECT_EQ(work.icon().availableSizes(), (QList<QSize>{QSize(32, 32), QSize(128, 128)}));
}

// Without a display the game says so instead of failing inside Qt; a platform named, or an X or
// Wayland display, is one.
TEST(Startup, KnowsWhetherThereIsADisplay) {
    std::map<const char*, QByteArray> kept;
    for (const char* var : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) kept[var] = qgetenv(var), qunsetenv(var);
    std::vector<bool> seen{ui::qt::displayAvailable()};
    for (const char* var : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        qputenv(var, "");
        seen.push_back(ui::qt::displayAvailable());
        qputenv(var, ":9");
        seen.push_back(ui::qt::displayAvailable());
        qunsetenv(var);
    }
    EXPECT_EQ(seen, (std::vector<bool>{false, false, true, false, true, false, true}));
    for (const auto& [var, value] : kept)
        if (!value.isNull()) qputenv(var, value);
}

}  // namespace

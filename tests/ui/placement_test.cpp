#include <gtest/gtest.h>

#include <QScreen>
#include <QWidget>

#include "support/harness.h"
#include "ui/placement.h"
#include "ui/qt/access.h"

namespace {

using ui::Rect;

// The first window in the middle of the free area, each next one centred on the last, always
// inside the free area.
TEST(Placement, EachWindowOpensCentredOnTheLast) {
    const Rect screen{0, 24, 1366, 744};
    EXPECT_EQ(ui::placeWindow(std::nullopt, {749, 473}, screen), (Rect{309, 160, 749, 473}));
    EXPECT_EQ(ui::placeWindow(Rect{100, 100, 749, 473}, {659, 473}, screen), (Rect{145, 100, 659, 473}));
    EXPECT_EQ(ui::placeWindow(Rect{1000, 600, 659, 473}, {749, 473}, screen), (Rect{617, 295, 749, 473}));
    EXPECT_EQ(ui::placeWindow(Rect{-300, -200, 659, 473}, {749, 473}, screen), (Rect{0, 24, 749, 473}));
    EXPECT_EQ(ui::placeWindow(std::nullopt, {2000, 900}, screen), (Rect{0, 24, 2000, 900})) << "its top left first";
}

// The scale asked for, or the largest below it that fits the screen with a frame and title bar.
TEST(Placement, AScaleTooLargeForTheScreenIsTheLargestThatFits) {
    const ui::Size window{749, 473};
    EXPECT_DOUBLE_EQ(ui::fittingScale(1.5, window, {1920, 1080}, 1.0), 1.5);
    EXPECT_DOUBLE_EQ(ui::fittingScale(2, window, {1366, 768}, 1.0), 1.52);
    EXPECT_DOUBLE_EQ(ui::fittingScale(2, window, {2732, 1536}, 2.0), 1.57) << "the screen's own ratio counts";
    EXPECT_DOUBLE_EQ(ui::fittingScale(3, window, {640, 480}, 1.0), 1.0) << "never below the layouts' own size";
}

// Where the player moved the title, the story opens; F11 scales it to fill the screen, centred on its
// background, and Escape gives the window back as it was.
TEST(Placement, TheNextWindowOpensWhereTheLastStoodAndF11FillsTheScreen) {
    testing_support::SceneHarness h;
    QWidget* title = ui::qt::windowOf(h.start());
    title->move(title->pos() - QPoint(60, 40));
    const QPoint where = title->geometry().center();
    h.click("maintitle", "startButton");
    const std::string story = h.openForms().front();
    QWidget* window = ui::qt::windowOf(h.form(story));
    QWidget* next = ui::qt::widgetOf(*h.form(story).find("nextPageButton"));
    EXPECT_EQ(window->geometry().center(), where);

    const QRect normal = window->geometry(), button = next->geometry();
    const int font = next->font().pixelSize();
    h.key(story, Qt::Key_F11);
    const QRect screen = window->screen()->geometry();
    ASSERT_EQ(window->geometry(), screen);
    const double zoom = std::min(1.0 * screen.width() / normal.width(), 1.0 * screen.height() / normal.height());
    // The button lies as far from the middle of the screen as from the middle of the window, times the zoom.
    const QPointF away = QPointF(button.center() - QRect(QPoint(), normal.size()).center()) * zoom;
    EXPECT_LE((QPointF(next->geometry().center() - window->rect().center()) - away).manhattanLength(), 2);
    EXPECT_EQ(next->size(), (QSizeF(button.size()) * zoom).toSize());
    EXPECT_EQ(next->font().pixelSize(), std::lround(font * zoom));
    h.key(story, Qt::Key_Escape);
    EXPECT_EQ(std::pair(window->geometry(), next->geometry()), std::pair(normal, button));
}

}  // namespace

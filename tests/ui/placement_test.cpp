#include <gtest/gtest.h>

#include "ui/placement.h"

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

}  // namespace

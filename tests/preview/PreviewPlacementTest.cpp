#include "preview/PreviewPlacement.h"

#include <gtest/gtest.h>

using korven::preview::KeepOnScreen;
using korven::preview::PlaceBeside;

namespace {

// Screens of 1280 x 1024 with a 24-pixel panel, at scale 1, 1.5 and 2, in logical pixels.
const QRect kScale1(0, 0, 1280, 1000);
const QRect kScale15(0, 0, 853, 666);
const QRect kScale2(0, 0, 640, 500);
// A screen of 2560 x 1600 with the same panel.
const QRect kWide(0, 0, 2560, 1576);

// The preview's frame at a zoom: the canvas, the facts beside it, the line below, the frame.
QSize Wanted(int zoom) {
    return {480 * zoom + 230, 272 * zoom + 110};
}
const QSize kMinimum(330, 260);

// The main window's frame at a place and its followed panes (source and options) inside it.
QRect Main(int x, int y) {
    return {x, y, 496, 485};
}
QRect Followed(int x, int y) {
    return {x + 12, y + 28, 234, 440};
}

TEST(PreviewPlacement, OpensBesideTheMainWindowAndKeepsClearOfItsFollowedPanes) {
    const struct {
        const char* name;
        QRect available;
        int zoom;
        QPoint main;
        QRect expected;
    } cases[] = {
        {"room on the right", kScale1, 1, {0, 0}, {496, 0, 710, 382}},
        {"room on both sides: the right", kWide, 1, {1000, 100}, {1496, 100, 710, 382}},
        {"room on the left only, low down", kScale1, 1, {784, 700}, {74, 618, 710, 382}},
        {"over the destination pane at full size", kScale1, 1, {100, 100}, {570, 100, 710, 382}},
        // The whole canvas at 100 % before the followed panes: the screen is wide enough.
        {"full size over the main window when centred",
         kScale1,
         1,
         {392, 257},
         {570, 257, 710, 382}},
        {"shrunk beside when wider than the screen", kScale1, 3, {392, 0}, {888, 0, 392, 926}},
        {"300 % on the wider side", kScale1, 3, {0, 0}, {496, 0, 784, 926}},
        {"200 % at scale 1.5 right of the followed panes",
         kScale15,
         2,
         {178, 90},
         {424, 12, 429, 654}},
        {"100 % at scale 2 right of the followed panes", kScale2, 1, {0, 0}, {246, 0, 394, 382}},
        {"no room anywhere: against the right edge", kScale2, 1, {144, 0}, {0, 0, 640, 382}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect main = Main(c.main.x(), c.main.y());
        const QRect followed = Followed(c.main.x(), c.main.y());
        const QRect frame = PlaceBeside(Wanted(c.zoom), kMinimum, main, followed, c.available);
        EXPECT_EQ(frame, c.expected);
        EXPECT_TRUE(c.available.contains(frame));
    }
}

TEST(PreviewPlacement, WithoutFollowedPanesKeepsClearOfTheWholeMainWindow) {
    // The case at scale 2 above, with nothing said about the panes: no room right of the main
    // window, so against the screen's right edge.
    EXPECT_EQ(PlaceBeside(Wanted(1), kMinimum, Main(0, 0), QRect(), kScale2),
              QRect(0, 0, 640, 382));
}

// At a fractional scale a frame filling the logical area could end a pixel past the screen.
TEST(PreviewPlacement, UsableAreaLeavesOutTheLastPixelAtFractionalScales) {
    const QRect area(0, 0, 853, 666);
    for (const double whole : {1.0, 2.0, 3.0})
        EXPECT_EQ(korven::preview::UsableArea(area, whole), area) << whole;
    for (const double fraction : {1.25, 1.5, 1.75})
        EXPECT_EQ(korven::preview::UsableArea(area, fraction), QRect(0, 0, 852, 665)) << fraction;
}

TEST(PreviewPlacement, KeepOnScreenMovesAndShrinksOnlyWhatDoesNotFit) {
    const struct {
        const char* name;
        QRect frame;
        QRect available;
        QRect expected;
    } cases[] = {
        {"fits", {100, 100, 500, 400}, kScale1, {100, 100, 500, 400}},
        {"off the right edge", {1000, 100, 500, 400}, kScale1, {780, 100, 500, 400}},
        {"above the top", {100, -30, 500, 400}, kScale1, {100, 0, 500, 400}},
        {"larger than the screen", {50, -20, 1400, 1200}, kScale1, {0, 0, 1280, 1000}},
        {"remembered at scale 1, shown at scale 2",
         {900, 600, 710, 382},
         kScale2,
         {0, 118, 640, 382}},
        {"screen smaller than the minimum", {0, 0, 500, 400}, {0, 0, 300, 200}, {0, 0, 330, 260}},
        {"on a second screen", {1200, 50, 710, 382}, {1280, 0, 1920, 1080}, {1280, 50, 710, 382}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeepOnScreen(c.frame, kMinimum, c.available), c.expected);
    }
}

} // namespace

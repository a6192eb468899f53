#include "host/surface/ImageSurface.h"

#include <climits>
#include <gtest/gtest.h>
#include <set>
#include <utility>

using korven::host::Colour;
using korven::host::ImageSurface;
using korven::host::Rect;

namespace {

constexpr Colour kInk = 0x123456;
constexpr Colour kBack = ImageSurface::kBackground;

using Pixels = std::set<std::pair<int, int>>;

// Every pixel that is not the background.
Pixels painted(const ImageSurface& s) {
    Pixels out;
    for (int y = 0; y < s.image().height(); ++y) {
        for (int x = 0; x < s.image().width(); ++x) {
            if (s.pixel(x, y) != kBack) {
                out.insert({x, y});
            }
        }
    }
    return out;
}

Pixels block(int x0, int y0, int x1, int y1) { // inclusive bounds
    Pixels out;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            out.insert({x, y});
        }
    }
    return out;
}

} // namespace

TEST(SurfacePixelRules, ClearSetsTheBackgroundAndColoursKeepTheirChannels) {
    ImageSurface s(4, 3);
    s.fillRect({0, 0, 4, 3}, 0x00A1B2C3);
    EXPECT_EQ(s.pixel(3, 2), 0x00A1B2C3u);
    EXPECT_EQ(s.image().pixel(3, 2), 0xFFC3B2A1u) << "red is the low byte";
    s.clear();
    EXPECT_TRUE(painted(s).empty());
    EXPECT_EQ(s.pixel(0, 0), 0x00E0E0E0u);
}

TEST(SurfacePixelRules, FillExcludesRightAndBottomAndSkipsEmptyRectangles) {
    ImageSurface s(8, 8);
    s.fillRect({2, 2, 5, 4}, kInk);
    EXPECT_EQ(painted(s), block(2, 2, 4, 3));

    s.clear();
    s.fillRect({3, 3, 3, 6}, kInk); // no width
    s.fillRect({3, 3, 6, 3}, kInk); // no height
    s.fillRect({5, 5, 2, 2}, kInk); // inverted
    EXPECT_TRUE(painted(s).empty());
}

TEST(SurfacePixelRules, FramePaintsTheOutlineOnly) {
    ImageSurface s(8, 8);
    s.frameRect({1, 1, 5, 4}, kInk);
    Pixels expected = block(1, 1, 4, 3);
    expected.erase({2, 2});
    expected.erase({3, 2});
    EXPECT_EQ(painted(s), expected);
}

TEST(SurfacePixelRules, FrameOfZeroWidthPaintsItsTwoColumnsAndInvertedFramesNothing) {
    ImageSurface s(8, 8);
    // right == left: columns left and right - 1 over the rows, and no row pixels.
    s.frameRect({3, 1, 3, 4}, kInk);
    Pixels expected = block(2, 1, 3, 3);
    EXPECT_EQ(painted(s), expected);

    s.clear();
    s.frameRect({4, 1, 3, 4}, kInk);
    s.frameRect({1, 4, 3, 3}, kInk);
    EXPECT_TRUE(painted(s).empty());
}

TEST(SurfacePixelRules, LinesNeverPaintTheirSecondPoint) {
    ImageSurface s(10, 10);
    s.line(1, 2, 5, 2, kInk);
    EXPECT_EQ(painted(s), block(1, 2, 4, 2));

    s.clear();
    s.line(3, 1, 3, 6, kInk);
    EXPECT_EQ(painted(s), block(3, 1, 3, 5));

    s.clear();
    s.line(4, 4, 4, 4, kInk);
    EXPECT_TRUE(painted(s).empty()) << "coinciding points cover nothing";
}

TEST(SurfacePixelRules, BackwardLinesRunFromTheFirstPointTowardsTheSecond) {
    ImageSurface s(10, 10);
    s.line(5, 2, 1, 2, kInk);
    EXPECT_EQ(painted(s), block(2, 2, 5, 2));

    s.clear();
    s.line(3, 6, 3, 1, kInk);
    EXPECT_EQ(painted(s), block(3, 2, 3, 6));
}

TEST(SurfacePixelRules, SlantedLinesStartAtTheFirstPointAndStopBeforeTheSecond) {
    ImageSurface s(10, 10);
    s.line(0, 0, 4, 4, kInk);
    EXPECT_EQ(painted(s), (Pixels{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
}

TEST(SurfacePixelRules, NothingIsWrittenOutsideTheImage) {
    // The sanitizer build turns any stray write here into a failure.
    ImageSurface s(6, 5);
    s.fillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kInk);
    EXPECT_EQ(painted(s), block(0, 0, 5, 4));

    s.clear();
    s.frameRect({-3, -3, 100, 100}, kInk);
    s.line(INT_MIN, 2, INT_MAX, 2, kInk);
    s.line(2, INT_MAX, 2, INT_MIN, kInk);
    s.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kInk);
    s.line(INT_MAX, 0, INT_MIN + 1, 3, kInk);
    s.setPixel(-1, 0, kInk);
    s.setPixel(6, 0, kInk);
    s.setPixel(0, 5, kInk);
    s.drawFocusRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    s.drawCaption(QStringLiteral("&Far away"), {INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX});
    Pixels rows = block(0, 2, 5, 2);
    Pixels cols = block(2, 0, 2, 4);
    EXPECT_TRUE(painted(s).count({2, 2}) == 1);
    for (const auto& p : rows) {
        EXPECT_EQ(painted(s).count(p), 1u);
    }
    for (const auto& p : cols) {
        EXPECT_EQ(painted(s).count(p), 1u);
    }

    ImageSurface empty;
    empty.fillRect({0, 0, 10, 10}, kInk);
    empty.line(0, 0, 10, 0, kInk);
    empty.drawFocusRect({0, 0, 10, 10});
    empty.drawCaption(QStringLiteral("x"), {0, 0, 10, 10});
    EXPECT_EQ(empty.pixel(0, 0), 0xFFFFFFFFu);
}

TEST(SurfacePixelRules, ResizeGivesACleanImageOfTheNewSize) {
    ImageSurface s(3, 3);
    s.fillRect({0, 0, 3, 3}, kInk);
    s.resize(7, 2);
    EXPECT_EQ(s.clientWidth(), 7);
    EXPECT_EQ(s.clientHeight(), 2);
    EXPECT_TRUE(painted(s).empty());
    s.resize(-4, 3);
    EXPECT_EQ(s.clientWidth(), 0);
}

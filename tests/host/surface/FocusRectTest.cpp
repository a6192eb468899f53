#include "host/surface/ImageSurface.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

using korven::host::Colour;
using korven::host::ImageSurface;
using korven::host::Rect;

namespace {

// Paints a varied picture, so that inverting a pixel twice is seen to restore its colour.
void paintPattern(ImageSurface& s) {
    for (int y = 0; y < s.clientHeight(); ++y) {
        for (int x = 0; x < s.clientWidth(); ++x) {
            s.setPixel(x, y, Colour((x * 37 + y * 101) * 0x010203 & 0xFFFFFF));
        }
    }
}

bool onOutline(const Rect& r, int x, int y) {
    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    return inside && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

struct Shape {
    const char* name;
    Rect r;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const Shape& c, std::ostream* os) {
    *os << c.name;
}

} // namespace

class FocusRectShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(FocusRectShapes, InvertsDotsOnTheOutlineAndTwiceRestoresTheImage) {
    const Rect r = GetParam().r;
    ImageSurface s(12, 10);
    paintPattern(s);
    const QImage before = s.image();

    s.drawFocusRect(r);
    int inverted = 0;
    for (int y = 0; y < s.clientHeight(); ++y) {
        for (int x = 0; x < s.clientWidth(); ++x) {
            const Colour was = korven::host::fromArgb(before.pixel(x, y));
            const Colour now = s.pixel(x, y);
            if (now == was) {
                continue;
            }
            ++inverted;
            EXPECT_TRUE(onOutline(r, x, y)) << "changed off the outline at " << x << "," << y;
            EXPECT_EQ(now, was ^ 0xFFFFFFu) << "not an inversion at " << x << "," << y;
        }
    }
    EXPECT_GT(inverted, 0);

    s.drawFocusRect(r);
    EXPECT_EQ(s.image(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FocusRectShapes,
    ::testing::Values(Shape{"AButtonsCue", {4, 4, 11, 8}}, Shape{"OnePixelWide", {2, 3, 3, 9}},
                      Shape{"OnePixelHigh", {1, 5, 10, 6}}, Shape{"ASinglePixel", {3, 3, 4, 4}},
                      Shape{"PartlyOffTheImage", {-5, -5, 8, 6}}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.name); });

TEST(FocusRect, IsDottedNotSolid) {
    ImageSurface s(20, 10);
    s.drawFocusRect({2, 2, 18, 8});
    // Along the top edge every other pixel changes.
    int changed = 0;
    for (int x = 2; x < 18; ++x) {
        changed += s.pixel(x, 2) != ImageSurface::kBackground;
    }
    EXPECT_EQ(changed, 8);
}

TEST(FocusRect, EmptyRectanglesDrawNothing) {
    ImageSurface s(10, 10);
    const QImage before = s.image();
    s.drawFocusRect({5, 5, 5, 9});
    s.drawFocusRect({5, 5, 9, 5});
    s.drawFocusRect({6, 6, 2, 2});
    EXPECT_EQ(s.image(), before);
}

#include "converter/core/Shadow.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace korven::converter {
namespace {

// The shadow worked out pixel by pixel, the slow obvious way: the strongest weighted coverage
// along each row, cut to whole coverage units, then the strongest weighted row value along each
// column, scaled to the peak and rounded. Weights are in 1/128, 1 at the ink and 1/8 at the
// radius. Nothing is trimmed here.
GlyphBitmap slowShadow(const std::vector<std::uint8_t>& coverage, int width, int height, int left,
                       int top, double radius) {
    const int reach = static_cast<int>(std::floor(radius));
    auto weight = [&](int d) {
        const double w =
            1.0 - (1.0 - 1.0 / kShadowPeak) * (radius > 0 ? std::abs(d) / radius : 0.0);
        return static_cast<int>(std::lround(std::max(0.0, w) * 128));
    };
    auto cov = [&](int x, int y) {
        return x < 0 || y < 0 || x >= width || y >= height
                   ? 0
                   : int{coverage[static_cast<std::size_t>(y * width + x)]};
    };
    const int w = width + 2 * reach, h = height + 2 * reach;
    std::vector<int> across(static_cast<std::size_t>(w * height));
    for (int y = 0; y < height; ++y)
        for (int ox = 0; ox < w; ++ox) {
            int best = 0;
            for (int d = -reach; d <= reach; ++d)
                best = std::max(best, cov(ox - reach + d, y) * weight(d));
            across[static_cast<std::size_t>(y * w + ox)] = best / 128;
        }
    GlyphBitmap out{w, h, left - reach, top + reach, {}};
    for (int oy = 0; oy < h; ++oy)
        for (int ox = 0; ox < w; ++ox) {
            int best = 0;
            for (int d = -reach; d <= reach; ++d) {
                const int y = oy - reach + d;
                if (y >= 0 && y < height)
                    best = std::max(best, across[static_cast<std::size_t>(y * w + ox)] * weight(d));
            }
            out.pixels.push_back(
                static_cast<std::uint8_t>((best * kShadowPeak + 255 * 64) / (255 * 128)));
        }
    return out;
}

// The pixel at shadow-relative position, or 0 outside the bitmap.
int pixelAt(const GlyphBitmap& b, int x, int y) {
    return x < 0 || y < 0 || x >= b.width || y >= b.height ? 0 : b.at(x, y);
}

// Compares a trimmed shadow with an untrimmed one: every pixel of the untrimmed one must be in
// the same place on the page, and the trimmed one must not keep empty outer rows or columns.
void expectSameShadow(const GlyphBitmap& trimmed, const GlyphBitmap& full) {
    for (int y = 0; y < full.height; ++y)
        for (int x = 0; x < full.width; ++x) {
            const int tx = x + full.left - trimmed.left;
            const int ty = y - full.top + trimmed.top;
            ASSERT_EQ(pixelAt(trimmed, tx, ty), full.at(x, y)) << "at " << x << "," << y;
        }
    if (trimmed.width == 0)
        return;
    auto rowEmpty = [&](int y) {
        for (int x = 0; x < trimmed.width; ++x)
            if (trimmed.at(x, y))
                return false;
        return true;
    };
    auto columnEmpty = [&](int x) {
        for (int y = 0; y < trimmed.height; ++y)
            if (trimmed.at(x, y))
                return false;
        return true;
    };
    EXPECT_FALSE(rowEmpty(0));
    EXPECT_FALSE(rowEmpty(trimmed.height - 1));
    EXPECT_FALSE(columnEmpty(0));
    EXPECT_FALSE(columnEmpty(trimmed.width - 1));
}

TEST(Shadow, MatchesThePixelByPixelShadowOnRandomGlyphs) {
    std::mt19937 random(11);
    // The passes read past the end of each row into the next: ink at the edges of narrow and
    // wide glyphs, at every radius, is where a row's spread could leak into the next one.
    for (double radius : {1.0, 1.5, 2.0, 2.5, 3.7, 4.0}) {
        for (int trial = 0; trial < 60; ++trial) {
            const int width = 1 + static_cast<int>(random() % 40);
            const int height = 1 + static_cast<int>(random() % 30);
            std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width * height));
            for (auto& c : coverage) {
                const unsigned kind = random() % 4;
                c = kind == 0 ? 255 : kind == 1 ? static_cast<std::uint8_t>(random() % 256) : 0;
            }
            const GlyphBitmap fast = makeShadow(coverage, width, height, 3, 9, radius);
            const GlyphBitmap slow = slowShadow(coverage, width, height, 3, 9, radius);
            SCOPED_TRACE(testing::Message() << width << "x" << height << " radius " << radius);
            ASSERT_EQ(fast.pixels.size(),
                      static_cast<std::size_t>(fast.width) * static_cast<std::size_t>(fast.height));
            expectSameShadow(fast, slow);
        }
    }
}

TEST(Shadow, InkAtTheEdgesReachesTheFullSpread) {
    // Full ink in the corners only: the shadow spans the glyph plus the radius on every side,
    // with the peak under the ink and level 1 at the radius.
    const int width = 17, height = 5;
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width * height), 0);
    coverage.front() = coverage.back() = 255;
    const GlyphBitmap s = makeShadow(coverage, width, height, -1, 7, 2.0);
    EXPECT_EQ(s.width, width + 4);
    EXPECT_EQ(s.height, height + 4);
    EXPECT_EQ(s.left, -3);
    EXPECT_EQ(s.top, 9);
    EXPECT_EQ(s.at(2, 2), kShadowPeak);
    EXPECT_EQ(s.at(0, 2), 1);
    EXPECT_EQ(s.at(2, 0), 1);
    EXPECT_EQ(s.at(width + 1, height + 1), kShadowPeak);
    EXPECT_EQ(s.at(width / 2 + 2, height / 2 + 2), 0); // far from both corners
}

TEST(Shadow, FaintInkIsTrimmedAway) {
    // Coverage too faint to reach level 1 leaves nothing; one dark pixel leaves a shadow that is
    // trimmed to its own extent, not the glyph's.
    const int width = 9, height = 6;
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width * height), 3);
    EXPECT_TRUE(makeShadow(coverage, width, height, 0, 0, 2.0).pixels.empty());
    coverage[static_cast<std::size_t>(2 * width + 4)] = 255;
    const GlyphBitmap s = makeShadow(coverage, width, height, 10, 20, 1.0);
    EXPECT_EQ(s.width, 3);
    EXPECT_EQ(s.height, 3);
    EXPECT_EQ(s.left, 10 + 4 - 1);
    EXPECT_EQ(s.top, 20 - 2 + 1);
    EXPECT_EQ(s.at(1, 1), kShadowPeak);
}

TEST(Shadow, EmptyGlyphHasAnEmptyShadow) {
    const GlyphBitmap s = makeShadow({}, 0, 0, 4, 5, 2.0);
    EXPECT_EQ(s.width, 0);
    EXPECT_EQ(s.height, 0);
    EXPECT_TRUE(s.pixels.empty());
}

} // namespace
} // namespace korven::converter

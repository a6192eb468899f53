#include "converter/core/GlyphRecord.h"

#include <gtest/gtest.h>

namespace korven::converter {
namespace {

GlyphBitmap numbered(int width, int height) {
    GlyphBitmap b{width, height, 0, 0, {}};
    for (int i = 0; i < width * height; ++i)
        b.pixels.push_back(static_cast<std::uint8_t>(i % 16));
    return b;
}

TEST(GlyphRecord, ColumnOrderIsTheTransposeAndBack) {
    for (const auto& [width, height] : {std::pair{1, 5}, {5, 1}, {3, 4}, {9, 2}}) {
        const GlyphBitmap b = numbered(width, height);
        const std::vector<std::uint8_t> columns = pixelsInOrder(b, PixelOrder::Columns);
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        ASSERT_EQ(columns.size(), b.pixels.size());
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                EXPECT_EQ(columns[static_cast<std::size_t>(x * height + y)], b.at(x, y));
        EXPECT_EQ(pixelsToRows(columns, width, height, PixelOrder::Columns), b.pixels);
        EXPECT_EQ(pixelsInOrder(b, PixelOrder::Rows), b.pixels);
    }
}

TEST(GlyphRecord, ChangesAreCountedAlongRowsAndColumns) {
    // Vertical stripes: every step along a row changes, none down a column; the step from one
    // row's end to the next row's start is not a change along the rows.
    const GlyphBitmap stripes{4, 3, 0, 0, {0, 9, 0, 9, 0, 9, 0, 9, 0, 9, 0, 9}};
    EXPECT_EQ(changesAlong(stripes, PixelOrder::Rows), 9u);
    EXPECT_EQ(changesAlong(stripes, PixelOrder::Columns), 0u);
    EXPECT_EQ(preferredOrder(stripes, GlyphBitmap{}), PixelOrder::Columns);
    const GlyphBitmap bars{3, 2, 0, 0, {1, 1, 1, 5, 5, 5}};
    EXPECT_EQ(changesAlong(bars, PixelOrder::Rows), 0u);
    EXPECT_EQ(changesAlong(bars, PixelOrder::Columns), 3u);
    EXPECT_EQ(preferredOrder(bars, GlyphBitmap{}), PixelOrder::Rows);
    // The shadow's changes count too: 0 + 9 along rows against 3 + 0 along columns.
    EXPECT_EQ(preferredOrder(bars, stripes), PixelOrder::Columns);
    EXPECT_EQ(preferredOrder(GlyphBitmap{}, GlyphBitmap{}), PixelOrder::Rows); // ties: rows
    EXPECT_EQ(changesAlong(GlyphBitmap{}, PixelOrder::Rows), 0u);
}

} // namespace
} // namespace korven::converter

#include "converter/GlyphRecord.h"

#include <gtest/gtest.h>
#include <random>

namespace korven::converter {
namespace {

// Mostly empty with a few grey levels, so that equal neighbours are common, as on real glyphs.
GlyphBitmap randomBitmap(std::mt19937& random, int width, int height) {
    GlyphBitmap b;
    b.width = width;
    b.height = height;
    b.pixels.resize(static_cast<std::size_t>(width * height));
    for (auto& p : b.pixels)
        p = random() % 3 == 0 ? static_cast<std::uint8_t>(random() % 4) : 0;
    return b;
}

TEST(GlyphRecord, ColumnOrderIsTheTransposeAtEverySize) {
    // Every size up to a few 8 x 8 blocks, which are transposed in registers, with the
    // columns and rows left over on the right and at the bottom.
    std::mt19937 random(5);
    for (int width = 1; width <= 26; ++width) {
        for (int height = 1; height <= 26; ++height) {
            const GlyphBitmap b = randomBitmap(random, width, height);
            const std::vector<std::uint8_t> columns = pixelsInOrder(b, PixelOrder::Columns);
            SCOPED_TRACE(testing::Message() << width << "x" << height);
            ASSERT_EQ(columns.size(), b.pixels.size());
            for (int x = 0; x < width; ++x)
                for (int y = 0; y < height; ++y)
                    ASSERT_EQ(columns[static_cast<std::size_t>(x * height + y)], b.at(x, y))
                        << x << "," << y;
            EXPECT_EQ(pixelsToRows(columns, width, height, PixelOrder::Columns), b.pixels);
        }
    }
}

TEST(GlyphRecord, ChangesAreCountedAlongRowsAndColumns) {
    // Against a count pixel by pixel, at lengths around the sixteen pixels compared at once;
    // a change from one row's end to the next row's start is not a change along the rows.
    std::mt19937 random(8);
    for (int trial = 0; trial < 400; ++trial) {
        const int width = 1 + static_cast<int>(random() % 40);
        const int height = 1 + static_cast<int>(random() % 40);
        const GlyphBitmap b = randomBitmap(random, width, height);
        std::size_t alongRows = 0, alongColumns = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 1; x < width; ++x)
                alongRows += b.at(x, y) != b.at(x - 1, y);
        for (int x = 0; x < width; ++x)
            for (int y = 1; y < height; ++y)
                alongColumns += b.at(x, y) != b.at(x, y - 1);
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        EXPECT_EQ(changesAlong(b, PixelOrder::Rows), alongRows);
        EXPECT_EQ(changesAlong(b, PixelOrder::Columns), alongColumns);
    }
    EXPECT_EQ(changesAlong(GlyphBitmap{}, PixelOrder::Rows), 0u);
    EXPECT_EQ(changesAlong(GlyphBitmap{}, PixelOrder::Columns), 0u);
}

} // namespace
} // namespace korven::converter

#include "converter/core/TextRender.h"

#include "SampleFont.h"
#include "converter/core/PgfLayout.h"
#include "converter/core/PgfWriter.h"

#include <climits>
#include <gtest/gtest.h>

namespace korven::converter {
namespace {

TEST(TextRender, DecodesUtf8AndReplacesBrokenBytes) {
    EXPECT_EQ(decodeUtf8("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x99\x82"), U"A\u00E9\u20AC\U0001F642");
    EXPECT_EQ(decodeUtf8("\xFF"
                         "A"),
              U"\uFFFDA");
    EXPECT_EQ(decodeUtf8("A\xE2\x82"), U"A\uFFFD\uFFFD"); // cut short at the end
    EXPECT_EQ(decodeUtf8("\xC3"
                         "A"),
              U"\uFFFDA"); // lead byte without its follower
}

TEST(TextRender, MissingCharactersDrawTheUnderscoreAndControlsNothing) {
    const PgfFile file = PgfFile::parse(writePgf(testing::sampleFont()));
    const RgbaImage underscore = renderText(file, U"A_");
    EXPECT_EQ(renderText(file, U"AC").pixels, underscore.pixels); // 'C' is not in the font
    EXPECT_EQ(renderText(file, U"\u0001A_\u0007").pixels, underscore.pixels);
    EXPECT_NE(renderText(file, U"AB").pixels, underscore.pixels);
    // Exactly the characters drawn as the underscore are named, each once, in typed order.
    EXPECT_EQ(charactersNotHeld(file, U"\u0001CAC\u041F_B\u0007"), U"C\u041F");
    EXPECT_EQ(charactersNotHeld(file, U"AB_"), U"");
}

// Two one-row glyphs, each two pixels wide and one apart, so that the second column of the first
// and the first column of the second fall on the same pixel.
PgfFile overlappingPair(std::uint8_t first, std::uint8_t second) {
    PgfFont font = testing::sampleFont();
    font.glyphs.resize(3); // space, 'A', 'B'
    const std::uint8_t levels[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        PgfGlyph& g = font.glyphs[static_cast<std::size_t>(i) + 1];
        g.bitmap = {2, 1, 0, 1, {levels[i], levels[i]}};
        g.shadow = {};
        g.metrics.horiAdvance = 64;
    }
    return PgfFile::parse(writePgf(font));
}

TEST(TextRender, OverlappingGlyphsAddTheirLevelsUpToFull) {
    struct Case {
        std::uint8_t first, second, shared;
    } const cases[] = {{0, 7, 7}, {5, 6, 11}, {9, 6, 15}, {10, 9, 15}, {15, 15, 15}};
    for (const Case& c : cases) {
        const RgbaImage image = renderText(overlappingPair(c.first, c.second), U"AB", {0, 0, 0});
        // On black, white ink at level L is 17 * L; the pair starts at the left margin.
        const auto level = [&](int x) {
            const int y = 8 + 14 - 1; // margin + ascent - top
            return image.pixels[static_cast<std::size_t>(y * image.width + 8 + x) * 4] / 17;
        };
        SCOPED_TRACE(::testing::Message() << int{c.first} << " + " << int{c.second});
        EXPECT_EQ(level(0), c.first);
        EXPECT_EQ(level(1), c.shared);
        EXPECT_EQ(level(2), c.second);
    }
}

TEST(TextRender, DrawsOnTheBackgroundItIsGiven) {
    const PgfFile file = PgfFile::parse(writePgf(testing::sampleFont()));
    EXPECT_EQ(renderText(file, U"AB").pixels,
              renderText(file, U"AB", kDefaultTextBackground).pixels);
    const RgbaImage image = renderText(file, U"AB", {0x12, 0xAB, 0xF0});
    EXPECT_EQ(std::vector<std::uint8_t>(image.pixels.begin(), image.pixels.begin() + 4),
              (std::vector<std::uint8_t>{0x12, 0xAB, 0xF0, 255}));
}

TEST(TextRender, HostileHeaderValuesStayBounded) {
    std::vector<std::uint8_t> bytes = writePgf(testing::sampleFont());
    auto put = [&](std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
    };
    put(layout::kMaxAscender, INT_MAX);
    put(layout::kMaxDescender, INT_MIN);
    const RgbaImage image = renderText(PgfFile::parse(bytes), U"AB");
    EXPECT_LE(image.height, 2 * 256 + 16);
    EXPECT_GT(image.width, 0);
}

} // namespace
} // namespace korven::converter

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

#include "converter/core/CharacterSet.h"
#include "converter/core/Converter.h"
#include "converter/core/PgfReader.h"
#include "support/InstalledFonts.h"

#include <filesystem>
#include <fstream>
#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

namespace korven::converter {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct SynthesisCase {
    bool embolden;
    bool slant;
    int size;
    const char* fontType;
};

// "Embolden18", "SlantEmbolden12": readable case names in the test list.
void PrintTo(const SynthesisCase& c, std::ostream* os) {
    *os << (c.embolden ? "Embolden" : "") << (c.slant ? "Slant" : "") << c.size;
}

class Synthesis : public ::testing::TestWithParam<SynthesisCase> {};

// A made-up style is exactly what FreeType's own synthesis draws: the same bitmaps and advances,
// with the ink box measured from the drawn bitmap, since slanting leaves FreeType's box behind.
TEST_P(Synthesis, DrawsWhatFreeTypeDraws) {
    const SynthesisCase& c = GetParam();
    if (!korven::testing::FontFileInstalled(kDejaVuSans))
        GTEST_SKIP();
    std::ifstream in(kDejaVuSans, std::ios::binary);
    const Bytes fontBytes(std::istreambuf_iterator<char>(in), {});
    ConversionSettings settings;
    settings.pixelsPerEm = c.size;
    settings.synthesis = {c.embolden, c.slant};
    const PgfFile file = PgfFile::parse(convertToPgf(fontBytes, settings));
    EXPECT_EQ(file.header().fontType, c.fontType);

    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Memory_Face(library, fontBytes.data(), static_cast<FT_Long>(fontBytes.size()),
                                 0, &face),
              0);
    ASSERT_EQ(FT_Set_Char_Size(face, 0, 36 * c.size, 128, 128), 0);
    long plainInk = 0, ink = 0, plainWidths = 0, widths = 0;
    for (char32_t cp : {U'A', U'g', U'l', U'0', U'&', U'\u00e9'}) {
        SCOPED_TRACE(codePointName(cp));
        ASSERT_EQ(FT_Load_Char(face, cp, FT_LOAD_NO_BITMAP | FT_LOAD_RENDER), 0);
        const FT_GlyphSlot slot = face->glyph;
        const FT_Pos plainAdvance = slot->metrics.horiAdvance;
        plainWidths += slot->bitmap.width;
        for (unsigned i = 0; i < slot->bitmap.rows * slot->bitmap.width; ++i)
            plainInk += slot->bitmap.buffer[i];
        ASSERT_EQ(FT_Load_Char(face, cp, FT_LOAD_NO_BITMAP), 0);
        if (c.embolden)
            FT_GlyphSlot_Embolden(slot);
        if (c.slant)
            FT_GlyphSlot_Oblique(slot);
        ASSERT_EQ(FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL), 0);
        const PgfGlyph g = file.glyph(*file.glyphIndex(cp));
        ASSERT_EQ(g.bitmap.width, static_cast<int>(slot->bitmap.width));
        ASSERT_EQ(g.bitmap.height, static_cast<int>(slot->bitmap.rows));
        EXPECT_EQ(g.bitmap.left, slot->bitmap_left);
        EXPECT_EQ(g.bitmap.top, slot->bitmap_top);
        for (int y = 0; y < g.bitmap.height; ++y)
            for (int x = 0; x < g.bitmap.width; ++x) {
                const int coverage = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
                ASSERT_EQ(g.bitmap.at(x, y), (coverage * 15 + 127) / 255);
                ink += coverage;
            }
        widths += g.bitmap.width;
        EXPECT_EQ(g.metrics.horiAdvance, slot->metrics.horiAdvance);
        if (c.embolden) {
            EXPECT_GT(g.metrics.horiAdvance, plainAdvance);
        } else {
            EXPECT_EQ(g.metrics.horiAdvance, plainAdvance);
        }
        EXPECT_EQ(g.metrics.width, g.bitmap.width * 64);
        EXPECT_EQ(g.metrics.height, g.bitmap.height * 64);
        EXPECT_EQ(g.metrics.horiBearingX, g.bitmap.left * 64);
        EXPECT_EQ(g.metrics.horiBearingY, g.bitmap.top * 64);
    }
    // Thicker strokes carry more ink; a slant spreads the same ink wider.
    if (c.embolden) {
        EXPECT_GT(ink, plainInk * 11 / 10);
    } else {
        EXPECT_NEAR(static_cast<double>(ink), static_cast<double>(plainInk), plainInk * 0.03);
    }
    if (c.slant) {
        EXPECT_GE(widths, plainWidths + 6);
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

INSTANTIATE_TEST_SUITE_P(Styles, Synthesis,
                         ::testing::Values(SynthesisCase{true, false, 18, "Bold"},
                                           SynthesisCase{false, true, 18, "Oblique"},
                                           SynthesisCase{true, true, 12, "Bold Oblique"}));

} // namespace
} // namespace korven::converter

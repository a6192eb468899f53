#include "TestFont.h"
#include "converter/core/CharacterSet.h"
#include "converter/core/Converter.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"
#include "support/InstalledFonts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H

namespace korven::converter {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct FontCase {
    const char* name;
    const char* path;
    int size;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const FontCase& c, std::ostream* os) {
    *os << c.name;
}

class AgreesWithFreeType : public ::testing::TestWithParam<FontCase> {};

// Every glyph read back from the file must be exactly what FreeType draws at the same size:
// geometry, the 16 levels rounded from its coverage, and the metrics.
TEST_P(AgreesWithFreeType, EveryGlyphAndMetric) {
    const FontCase& c = GetParam();
    if (!korven::testing::FontFileInstalled(c.path))
        GTEST_SKIP();
    const Bytes fontBytes = readFile(c.path);
    const PgfFile file = PgfFile::parse(convertToPgf(fontBytes, {c.size, 2.0}));

    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Memory_Face(library, fontBytes.data(), static_cast<FT_Long>(fontBytes.size()),
                                 0, &face),
              0);
    ASSERT_EQ(FT_Set_Char_Size(face, 0, 36 * c.size, 128, 128), 0);
    EXPECT_EQ(face->size->metrics.y_ppem, c.size);
    EXPECT_EQ(file.header().hSize, 36 * c.size);
    EXPECT_EQ(file.header().hResolution, 128 * 64);
    EXPECT_EQ(file.header().maxAscender, face->size->metrics.ascender);
    EXPECT_EQ(file.header().maxDescender, face->size->metrics.descender);

    int compared = 0;
    for (char32_t cp : latinCharacterSet()) {
        if (FT_Get_Char_Index(face, cp) == 0)
            continue;
        ASSERT_EQ(FT_Load_Char(face, cp, FT_LOAD_RENDER | FT_LOAD_NO_BITMAP), 0);
        const FT_GlyphSlot slot = face->glyph;
        const auto index = file.glyphIndex(cp);
        ASSERT_TRUE(index.has_value()) << codePointName(cp);
        const PgfGlyph g = file.glyph(*index);
        SCOPED_TRACE(codePointName(cp));
        ASSERT_EQ(g.bitmap.width, static_cast<int>(slot->bitmap.width));
        ASSERT_EQ(g.bitmap.height, static_cast<int>(slot->bitmap.rows));
        EXPECT_EQ(g.bitmap.left, slot->bitmap_left);
        EXPECT_EQ(g.bitmap.top, slot->bitmap_top);
        for (int y = 0; y < g.bitmap.height; ++y)
            for (int x = 0; x < g.bitmap.width; ++x) {
                const int coverage = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
                ASSERT_EQ(g.bitmap.at(x, y), (coverage * 15 + 127) / 255) << x << "," << y;
            }
        const FT_Glyph_Metrics& m = slot->metrics;
        EXPECT_EQ(g.metrics.width, m.width);
        EXPECT_EQ(g.metrics.height, m.height);
        EXPECT_EQ(g.metrics.horiBearingX, m.horiBearingX);
        EXPECT_EQ(g.metrics.horiBearingY, m.horiBearingY);
        EXPECT_EQ(g.metrics.vertBearingX, m.vertBearingX);
        EXPECT_EQ(g.metrics.vertBearingY, m.vertBearingY);
        EXPECT_EQ(g.metrics.horiAdvance, m.horiAdvance);
        EXPECT_EQ(g.metrics.vertAdvance, m.vertAdvance);
        // The shadow peaks at half strength under full ink and fades out two pixels (the
        // radius) beyond it on every side.
        int x0 = 1000, x1 = -1, y0 = 1000, y1 = -1;
        for (int y = 0; y < g.bitmap.height; ++y)
            for (int x = 0; x < g.bitmap.width; ++x)
                if (g.bitmap.at(x, y) == 15) {
                    x0 = std::min(x0, x), x1 = std::max(x1, x);
                    y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
        if (x1 >= 0) {
            EXPECT_EQ(*std::max_element(g.shadow.pixels.begin(), g.shadow.pixels.end()), 8);
            EXPECT_LE(g.shadow.left, g.bitmap.left + x0 - 2);
            EXPECT_GE(g.shadow.left + g.shadow.width, g.bitmap.left + x1 + 3);
            EXPECT_GE(g.shadow.top, g.bitmap.top - y0 + 2);
            EXPECT_LE(g.shadow.top - g.shadow.height, g.bitmap.top - y1 - 3);
        }
        ++compared;
    }
    EXPECT_GT(compared, 300);
    EXPECT_TRUE(file.glyphIndex(0x20) && file.glyphIndex(0x5F));
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, AgreesWithFreeType,
    ::testing::Values(
        FontCase{"DejaVu6", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 6},
        FontCase{"DejaVu18", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 18},
        FontCase{"DejaVu22", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 22},
        FontCase{"Liberation6", "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
                 6},
        FontCase{"Liberation18", "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
                 18},
        FontCase{"Liberation22", "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
                 22}),
    [](const auto& info) { return std::string(info.param.name); });

using testing::buildTestFont;
using testing::TestGlyph;

TEST(Converter, DrawsAnUnderscoreAndASpaceWhenTheFontHasNone) {
    const Bytes font = buildTestFont({{'A', 600, 50, 0, 550, 700}, {'B', 600, 50, 0, 550, 700}});
    const PgfFile file = PgfFile::parse(convertToPgf(font, {20, 1.0, true}));
    const auto underscore = file.glyphIndex(0x5F);
    const auto space = file.glyphIndex(0x20);
    ASSERT_TRUE(underscore && space);
    const PgfGlyph bar = file.glyph(*underscore);
    // A full-ink bar centred on the font's underline: 100 units below the baseline, 50 thick.
    EXPECT_EQ(bar.bitmap.height, 1);
    EXPECT_EQ(bar.bitmap.top, -2);
    EXPECT_GE(bar.bitmap.width, 5);
    EXPECT_TRUE(std::all_of(bar.bitmap.pixels.begin(), bar.bitmap.pixels.end(),
                            [](std::uint8_t v) { return v == 15; }));
    EXPECT_EQ(bar.metrics.horiAdvance, bar.bitmap.width * 64);
    EXPECT_FALSE(bar.shadow.pixels.empty());
    const PgfGlyph gap = file.glyph(*space);
    EXPECT_GT(gap.metrics.horiAdvance, 0);
    EXPECT_EQ(gap.bitmap.width * gap.bitmap.height, 0);
}

TEST(Converter, LeavesOutGlyphsTooLargeForTheFormat) {
    // At 22 px, 1500 units of advance are 33 px and 30000 units of height 660 px: more than
    // the format can hold.
    const Bytes font = buildTestFont({{' ', 250},
                                      {'_', 500, 0, -150, 500, -100},
                                      {'M', 600, 0, 0, 500, 30000},
                                      {'W', 1500, 0, 0, 1400, 700},
                                      {'X', 600, 0, 0, 500, 700}});
    const ConversionResult result = convertFont(font, {22, 2.0, true});
    EXPECT_EQ(result.skipped, (std::vector<char32_t>{'M', 'W'}));
    const PgfFile file = PgfFile::parse(convertToPgf(font, {22, 2.0, true}));
    EXPECT_FALSE(file.glyphIndex('M'));
    EXPECT_FALSE(file.glyphIndex('W'));
    EXPECT_TRUE(file.glyphIndex('X'));
}

TEST(Converter, RepeatedCallsInOneProcessShareNoState) {
    // The program converts again for every change of the settings.
    const Bytes font = buildTestFont({{'A', 600, 50, 0, 550, 700}, {'i', 300, 80, 0, 220, 500}});
    const Bytes first = convertToPgf(font, {12, 1.0, true});
    EXPECT_NE(convertToPgf(font, {20, 4.0, true}), first);
    EXPECT_EQ(convertToPgf(font, {12, 1.0, true}), first);
}

TEST(Converter, GivesUpWhenAskedToStopAndOtherwiseConvertsAsEver) {
    const Bytes font = buildTestFont({{'A', 600, 50, 0, 550, 700}, {'i', 300, 80, 0, 220, 500}});
    const ConversionSettings settings{12, 1.0, true};
    const StopFlag go{false};
    EXPECT_EQ(writePgf(convertFont(font, settings, go).font), convertToPgf(font, settings));
    const StopFlag stop{true};
    EXPECT_THROW(convertFont(font, settings, stop), ConversionStopped);
}

// The basic glyphs with some left out and others added or replaced.
std::vector<TestGlyph> basicsWith(const std::string& without, std::vector<TestGlyph> extra = {}) {
    std::vector<TestGlyph> glyphs;
    for (const TestGlyph& g : testing::basicGlyphs())
        if (without.find(static_cast<char>(g.codePoint)) == std::string::npos &&
            std::none_of(extra.begin(), extra.end(),
                         [&](const TestGlyph& e) { return e.codePoint == g.codePoint; }))
            glyphs.push_back(g);
    glyphs.insert(glyphs.end(), extra.begin(), extra.end());
    return glyphs;
}

std::string refusal(const Bytes& font, int size) {
    try {
        convertFont(font, {size, 2.0});
    } catch (const ConversionError& e) {
        return e.naming("f.ttf");
    }
    return "converted";
}

// The file replaces the handheld's own font: without every letter and digit its menus would
// show gaps, so such fonts are refused with one sentence naming what is missing.
TEST(Converter, RefusesFontsWithoutTheBasicLettersAndDigits) {
    const std::string lower = "abcdefghijklmnopqrstuvwxyz";
    const std::string digits = "0123456789";
    Bytes cutShort = buildTestFont(basicsWith(""));
    // FreeType itself opens it: only its last table, which it can do without, is cut.
    cutShort.resize(cutShort.size() - 8);
    const std::string text = "just some text, not a font";
    const struct {
        Bytes font;
        int size;
        std::string message;
    } cases[] = {
        {buildTestFont(basicsWith(lower)), 12,
         "\"f.ttf\" has no small letters (a-z): the system font needs them"},
        {buildTestFont(basicsWith(lower + "ABCDEFGHIJKLMNOPQRSTUVWXYZ" + digits)), 12,
         "\"f.ttf\" has no letters (A-Z, a-z) and no digits (0-9): the system font needs them"},
        {buildTestFont(basicsWith("q")), 12,
         "\"f.ttf\" has no letter \"q\": the system font needs it"},
        // 1500 units are 33 pixels at 22 and 31.5 at 21, where the readers still accept it.
        {buildTestFont(basicsWith("", {{'m', 1500, 50, 0, 1450, 500}})), 22,
         "at size 22 the letter \"m\" of \"f.ttf\" is 33 pixels wide, and a glyph must stay under "
         "32; size 21 or smaller fits"},
        {buildTestFont(basicsWith("", {{'m', 1500, 50, 0, 1450, 500}})), 21, "converted"},
        {cutShort, 12, "\"f.ttf\" is damaged or cut short: it cannot be read as a font"},
        {Bytes(text.begin(), text.end()), 12,
         "\"f.ttf\" is not a font (TrueType, OpenType, Type 1 or WOFF)"},
        {Bytes{}, 12, "\"f.ttf\" is empty, not a font"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusal(c.font, c.size), c.message);

    // Experts may still write such a font; what it has is kept, the rest left out.
    const Bytes wideM = buildTestFont(basicsWith(lower.substr(1), {{'m', 1500, 50, 0, 1450, 500}}));
    const ConversionResult result = convertFont(wideM, {22, 2.0, true});
    EXPECT_EQ(result.skipped, std::vector<char32_t>{'m'});
    const PgfFile file = PgfFile::parse(writePgf(result.font));
    EXPECT_TRUE(file.glyphIndex('a') && file.glyphIndex('Z'));
    EXPECT_FALSE(file.glyphIndex('m') || file.glyphIndex('b'));
}

// Whatever a font says about its line spacing, the file keeps a line height the readers accept
// and an ascender above and a descender at or below the baseline.
TEST(Converter, WritesSaneVerticalMetricsForAnyFont) {
    const std::vector<TestGlyph> glyphs =
        basicsWith("gj", {{'g', 500, 50, -300, 450, 500}, {'j', 500, 50, -150, 450, 500}});
    testing::TestFontOptions tall, swapped, flat, usual;
    tall.ascender = 1500, tall.descender = -600; // 2100 units: 46 pixels at 22
    swapped.ascender = -200, swapped.descender = 800;
    flat.descender = 0;
    auto convert = [&](const testing::TestFontOptions& o) {
        const ConversionResult result = convertFont(buildTestFont(glyphs, o), {22, 2.0});
        return std::pair{result, PgfFile::parse(writePgf(result.font))};
    };
    const auto [usualResult, usualFile] = convert(usual);
    EXPECT_EQ(usualResult.cappedLineHeight, 0);

    const auto [tallResult, tallFile] = convert(tall);
    EXPECT_GE(tallResult.cappedLineHeight, 46 * 64);
    EXPECT_EQ(tallFile.header().maxAdvanceV, 31 * 64);
    EXPECT_EQ(tallFile.header().maxAscender, 33 * 64);
    for (const char32_t c : {U'g', U'M', U'_'})
        EXPECT_EQ(tallFile.glyph(*tallFile.glyphIndex(c)).bitmap,
                  usualFile.glyph(*usualFile.glyphIndex(c)).bitmap);

    // From the glyph boxes: "M" reaches 700 units up (15.4 px), "g" 300 down (6.6 px).
    for (const auto& o : {swapped, flat}) {
        const PgfHeader header = convert(o).second.header();
        EXPECT_EQ(header.maxDescender, -7 * 64);
        EXPECT_GT(header.maxAscender, 0);
        EXPECT_GT(header.maxAdvanceV, 0);
    }
    EXPECT_EQ(convert(swapped).second.header().maxAscender, 16 * 64);

    // An underscore too wide for the readers is replaced by the drawn bar.
    const ConversionResult wide =
        convertFont(buildTestFont(basicsWith("", {{'_', 1500, 0, -150, 1500, -100}})), {22, 2.0});
    EXPECT_TRUE(wide.skipped.empty());
    const PgfFile wideFile = PgfFile::parse(writePgf(wide.font));
    EXPECT_EQ(wideFile.glyph(*wideFile.glyphIndex('_')).metrics.horiAdvance, 11 * 64);
}

} // namespace
} // namespace korven::converter

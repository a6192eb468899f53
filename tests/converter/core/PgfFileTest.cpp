#include "SampleFont.h"
#include "converter/core/BitStream.h"
#include "converter/core/Errors.h"
#include "converter/core/MetricTables.h"
#include "converter/core/PgfLayout.h"
#include "converter/core/PgfReader.h"
#include "converter/core/PgfWriter.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace korven::converter {
namespace {

using testing::makeGlyph;
using testing::sampleFont;

TEST(PgfFile, RoundTripKeepsEveryField) {
    const PgfFont font = sampleFont();
    const PgfFile file = PgfFile::parse(writePgf(font));
    const PgfFont back = file.toFont();
    EXPECT_EQ(back.fontName, font.fontName);
    EXPECT_EQ(back.fontType, font.fontType);
    EXPECT_EQ(back.hSize, font.hSize);
    EXPECT_EQ(back.vResolution, font.vResolution);
    EXPECT_EQ(back.ascender, font.ascender);
    EXPECT_EQ(back.descender, font.descender);
    ASSERT_EQ(back.glyphs.size(), font.glyphs.size());
    for (std::size_t i = 0; i < font.glyphs.size(); ++i)
        EXPECT_EQ(back.glyphs[i], font.glyphs[i]) << "glyph " << i;
    // Striped glyphs are stored column by column, the others row by row.
    EXPECT_EQ(file.pixelOrder(2), PixelOrder::Columns);
    EXPECT_EQ(file.pixelOrder(1), PixelOrder::Rows);
}

TEST(PgfFile, HeaderDescribesTheFont) {
    const PgfFont font = sampleFont();
    const std::vector<std::uint8_t> bytes = writePgf(font);
    const PgfFile file = PgfFile::parse(bytes);
    const PgfHeader& h = file.header();
    EXPECT_EQ(h.headerSize, 392u);
    EXPECT_EQ(h.revision, 2u);
    EXPECT_EQ(h.version, 6u);
    EXPECT_EQ(bytes[layout::kUnknown20], 4);
    EXPECT_EQ(bytes[layout::kUnknown20 + 1], 4);
    EXPECT_EQ(bytes[layout::kCharPointerUnit], 4);
    EXPECT_EQ(h.shadowScaleH, 64);
    EXPECT_EQ(h.shadowScaleV, 64);
    EXPECT_EQ(h.firstGlyph, 0x20u);
    EXPECT_EQ(h.lastGlyph, 0x2122u);
    EXPECT_EQ(h.charMapLength, h.lastGlyph - h.firstGlyph + 1);
    EXPECT_EQ(h.charPointerLength, font.glyphs.size());
    EXPECT_GE((1u << h.charMapBpe) - 1, font.glyphs.size()); // all ones means "no glyph"
    EXPECT_EQ(h.shadowMapLength, font.glyphs.size());
    EXPECT_LE(h.shadowMapBpe, 16);

    auto maxOf = [&](auto field) {
        std::int32_t m = field(font.glyphs[0]);
        for (const PgfGlyph& g : font.glyphs)
            m = std::max(m, field(g));
        return m;
    };
    EXPECT_EQ(h.maxLeftXAdjust, maxOf([](const PgfGlyph& g) { return g.metrics.horiBearingX; }));
    EXPECT_EQ(h.maxBaseYAdjust, maxOf([](const PgfGlyph& g) { return g.metrics.horiBearingY; }));
    EXPECT_EQ(h.minCenterXAdjust,
              -maxOf([](const PgfGlyph& g) { return -g.metrics.vertBearingX; }));
    EXPECT_EQ(h.maxTopYAdjust, maxOf([](const PgfGlyph& g) { return g.metrics.vertBearingY; }));
    EXPECT_EQ(h.maxAdvanceH, maxOf([](const PgfGlyph& g) { return g.metrics.horiAdvance; }));
    EXPECT_EQ(h.maxAdvanceV, maxOf([](const PgfGlyph& g) { return g.metrics.vertAdvance; }));
    EXPECT_EQ(h.maxSizeH, maxOf([](const PgfGlyph& g) { return g.metrics.width; }));
    EXPECT_EQ(h.maxSizeV, maxOf([](const PgfGlyph& g) { return g.metrics.height; }));
    EXPECT_EQ(h.maxGlyphWidth, maxOf([](const PgfGlyph& g) { return g.bitmap.width; }));
    EXPECT_EQ(h.maxGlyphHeight, maxOf([](const PgfGlyph& g) { return g.bitmap.height; }));
}

TEST(PgfFile, LayoutIsWhatReadersAssume) {
    const PgfFont font = sampleFont();
    const std::vector<std::uint8_t> bytes = writePgf(font);
    const PgfFile file = PgfFile::parse(bytes);
    const PgfBlocks& b = file.blocks();
    const PgfHeader& h = file.header();
    EXPECT_EQ(b.dimensionTable, 392u);
    EXPECT_EQ(b.charMap, b.shadowMap + paddedTableBytes(h.shadowMapLength, h.shadowMapBpe));
    EXPECT_EQ(b.fontData % 4, 0u);
    EXPECT_EQ(bytes.size() % 4, 0u);

    std::size_t previousEnd = b.fontData;
    for (std::size_t i = 0; i < file.glyphCount(); ++i) {
        const GlyphRecordInfo r = file.record(i);
        EXPECT_EQ(r.offset % 4, 0u);
        EXPECT_GE(r.offset, previousEnd);
        EXPECT_EQ(r.shadowId, i);
        EXPECT_EQ(file.shadowMapEntry(i), font.glyphs[i].codePoint);
        EXPECT_TRUE(r.flags & layout::kAdvanceIndexed);
        // No glyph may use entry 0 of the dimension and adjust tables.
        if (r.flags & layout::kDimensionIndexed) {
            EXPECT_NE(bytes[r.offset + 8], 0);
        }
        // The shadow record sits at start + size; its flags hold the pixel order only.
        BitReader shadow(bytes, r.offset + r.size);
        const std::uint32_t shadowSize = shadow.get(14);
        shadow.get(28);
        const std::uint32_t shadowFlags = shadow.get(6);
        EXPECT_EQ(shadowFlags & ~layout::kDirectionMask, 0u);
        EXPECT_EQ(shadowFlags, r.flags & layout::kDirectionMask);
        previousEnd = r.offset + r.size + shadowSize;
    }
    ASSERT_GE(bytes.size(), previousEnd + layout::kTailPadding);
    EXPECT_TRUE(std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(previousEnd), bytes.end(),
                            [](std::uint8_t v) { return v == 0; }));
}

TEST(PgfFile, CharacterMapGapsAndEnds) {
    const PgfFile file = PgfFile::parse(writePgf(sampleFont()));
    EXPECT_EQ(file.glyphIndex(0x20), 0u);
    EXPECT_EQ(file.glyphIndex(0x2122), 8u);
    EXPECT_EQ(file.glyphIndex('C'), std::nullopt);
    EXPECT_EQ(file.glyphIndex(0x1F), std::nullopt);
    EXPECT_EQ(file.glyphIndex(0x2123), std::nullopt);
}

TEST(PgfFile, MoreThan255DistinctMetricsAreStoredInline) {
    PgfFont font = sampleFont();
    font.glyphs.clear();
    for (int i = 0; i < 300; ++i)
        font.glyphs.push_back(
            makeGlyph(static_cast<char32_t>(0x100 + i), 1 + i % 20, 1 + i / 20, i % 7, 10));
    // Keep the advances in the table: at most 255 distinct ones.
    for (PgfGlyph& g : font.glyphs)
        g.metrics.horiAdvance = 64 * (g.bitmap.width % 10);
    const PgfFile file = PgfFile::parse(writePgf(font));
    EXPECT_EQ(file.dimensionTable().size(), 255u);
    std::size_t inlineCount = 0;
    for (std::size_t i = 0; i < file.glyphCount(); ++i)
        inlineCount += (file.record(i).flags & layout::kDimensionIndexed) ? 0 : 1;
    EXPECT_EQ(inlineCount, 300u - 254u);
    const PgfFont back = file.toFont();
    ASSERT_EQ(back.glyphs.size(), font.glyphs.size());
    for (std::size_t i = 0; i < font.glyphs.size(); ++i)
        EXPECT_EQ(back.glyphs[i], font.glyphs[i]) << "glyph " << i;
}

TEST(PgfFile, AdvancesAreRoundedUntilTheyFitTheTable) {
    std::vector<PgfGlyph> glyphs;
    for (int i = 0; i < 300; ++i) {
        glyphs.push_back(makeGlyph(static_cast<char32_t>(0x100 + i), 1, 1, 0, 0));
        glyphs.back().metrics.horiAdvance = 64 + i; // 300 distinct values over 4.7 pixels
    }
    std::vector<PgfGlyph> rounded = glyphs;
    ASSERT_TRUE(roundAdvancesToFit(rounded));
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        EXPECT_EQ(rounded[i].metrics.horiAdvance % 16, 0);
        EXPECT_LE(std::abs(rounded[i].metrics.horiAdvance - glyphs[i].metrics.horiAdvance), 8);
    }
    PgfFont font = sampleFont();
    font.glyphs = glyphs;
    EXPECT_THROW(writePgf(font), ConversionError); // unrounded, the advances do not fit
}

struct Breakage {
    const char* name;
    std::function<void(PgfFont&)> apply;
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const Breakage& c, std::ostream* os) {
    *os << c.name;
}

class WriterRefuses : public ::testing::TestWithParam<Breakage> {};

TEST_P(WriterRefuses, FontsOutsideTheFormat) {
    PgfFont font = sampleFont();
    GetParam().apply(font);
    EXPECT_THROW(writePgf(font), ConversionError);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, WriterRefuses,
    ::testing::Values(
        Breakage{"NoGlyphs", [](PgfFont& f) { f.glyphs.clear(); }},
        // Readers count glyphs in 16 bits: every code point from U+0000 is one too many.
        Breakage{"Glyph65536",
                 [](PgfFont& f) {
                     f.glyphs.clear();
                     for (int i = 0; i <= 0xFFFF; ++i)
                         f.glyphs.push_back(makeGlyph(static_cast<char32_t>(i), 1, 1, 0, 0));
                 }},
        Breakage{"Width128", [](PgfFont& f) { f.glyphs[1] = makeGlyph('A', 128, 1, 0, 0); }},
        Breakage{"ShadowHeight128", [](PgfFont& f) { f.glyphs[1] = makeGlyph('A', 2, 126, 0, 0); }},
        Breakage{"LeftMinus65", [](PgfFont& f) { f.glyphs[1].bitmap.left = -65; }},
        Breakage{"Top64", [](PgfFont& f) { f.glyphs[1].shadow.top = 64; }},
        Breakage{"Advance32px", [](PgfFont& f) { f.glyphs[1].metrics.horiAdvance = 2048; }},
        Breakage{"LineHeight32px", [](PgfFont& f) { f.glyphs[1].metrics.vertAdvance = 2048; }},
        Breakage{"Level16", [](PgfFont& f) { f.glyphs[1].bitmap.pixels[0] = 16; }},
        Breakage{"PixelCount", [](PgfFont& f) { f.glyphs[1].bitmap.pixels.pop_back(); }},
        Breakage{"Unordered", [](PgfFont& f) { std::swap(f.glyphs[1], f.glyphs[2]); }},
        Breakage{"Duplicate", [](PgfFont& f) { f.glyphs[2].codePoint = 'A'; }},
        Breakage{"Beyond16Bits", [](PgfFont& f) { f.glyphs.back().codePoint = 0x10000; }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace korven::converter

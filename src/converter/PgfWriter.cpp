#include "converter/PgfWriter.h"

#include "converter/BitStream.h"
#include "converter/CharacterSet.h"
#include "converter/Errors.h"
#include "converter/GlyphRecord.h"
#include "converter/MetricTables.h"
#include "converter/PgfLayout.h"

#include <algorithm>
#include <cstring>

namespace korven::converter {

namespace {

std::string bitmapProblem(const GlyphBitmap& b, const char* what, PixelValues values) {
    using namespace limits;
    if (b.width < 0 || b.height < 0 || b.width > kMaxBitmapSide || b.height > kMaxBitmapSide)
        return std::string(what) + " bitmap is " + std::to_string(b.width) + " x " +
               std::to_string(b.height) + " pixels, more than 127";
    if (b.left < kMinOffset || b.left > kMaxOffset || b.top < kMinOffset || b.top > kMaxOffset)
        return std::string(what) + " bitmap is placed outside -64..63 pixels from the pen";
    if (b.pixels.size() != static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height))
        return std::string(what) + " bitmap has the wrong number of pixels";
    if (values == PixelValues::KnownValid)
        return {};
    // Values of 15 or less OR together to 15 or less, and any larger one shows in the high
    // nibbles of the result; one branch-free pass, eight pixels at a time, instead of a search
    // for the largest value.
    const std::uint8_t* p = b.pixels.data();
    const std::size_t n = b.pixels.size();
    std::uint64_t all = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, p + i, 8);
        all |= eight;
    }
    for (; i < n; ++i)
        all |= p[i];
    if ((all & 0xF0F0F0F0F0F0F0F0ULL) != 0)
        return std::string(what) + " bitmap has values above 15";
    return {};
}

void putU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void putU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    putU16(out, at, v & 0xFFFF);
    putU16(out, at + 2, v >> 16);
}

void putS32(std::vector<std::uint8_t>& out, std::size_t at, std::int32_t v) {
    putU32(out, at, static_cast<std::uint32_t>(v));
}

void putName(std::vector<std::uint8_t>& out, std::size_t at, const std::string& name) {
    // NUL-padded ASCII; the last byte stays NUL so readers that expect a C string stop in time.
    for (std::size_t i = 0; i < name.size() && i + 1 < layout::kNameLength; ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        out[at + i] = (c >= 0x20 && c < 0x7F) ? c : '?';
    }
}

void appendTable(std::vector<std::uint8_t>& out, const std::vector<MetricPair>& entries) {
    for (const MetricPair& p : entries) {
        const std::size_t at = out.size();
        out.resize(at + 8);
        putS32(out, at, p.h);
        putS32(out, at + 4, p.v);
    }
}

struct Maxima {
    std::int32_t leftX, baseY, centerX, topY, advanceH, advanceV, sizeH, sizeV;
    int glyphWidth, glyphHeight;
};

Maxima maximaOf(const std::vector<PgfGlyph>& glyphs) {
    const GlyphMetrics& m0 = glyphs.front().metrics;
    Maxima m{m0.horiBearingX,
             m0.horiBearingY,
             m0.vertBearingX,
             m0.vertBearingY,
             m0.horiAdvance,
             m0.vertAdvance,
             m0.width,
             m0.height,
             0,
             0};
    for (const PgfGlyph& g : glyphs) {
        const GlyphMetrics& x = g.metrics;
        m.leftX = std::max(m.leftX, x.horiBearingX);
        m.baseY = std::max(m.baseY, x.horiBearingY);
        m.centerX = std::min(m.centerX, x.vertBearingX);
        m.topY = std::max(m.topY, x.vertBearingY);
        m.advanceH = std::max(m.advanceH, x.horiAdvance);
        m.advanceV = std::max(m.advanceV, x.vertAdvance);
        m.sizeH = std::max(m.sizeH, x.width);
        m.sizeV = std::max(m.sizeV, x.height);
        m.glyphWidth = std::max(m.glyphWidth, g.bitmap.width);
        m.glyphHeight = std::max(m.glyphHeight, g.bitmap.height);
    }
    return m;
}

} // namespace

std::string glyphLimitProblem(const PgfGlyph& g, PixelValues values) {
    std::string problem = bitmapProblem(g.bitmap, "glyph", values);
    if (problem.empty())
        problem = bitmapProblem(g.shadow, "shadow", values);
    if (problem.empty() && g.metrics.horiAdvance > limits::kMaxAdvance)
        problem = "advance is 32 pixels or more";
    if (problem.empty() && g.metrics.vertAdvance > limits::kMaxAdvance)
        problem = "line height is 32 pixels or more";
    return problem;
}

void checkFitsFormat(const PgfFont& font) {
    if (font.glyphs.empty())
        throw ConversionError("the font has no glyphs to store");
    if (font.glyphs.size() > static_cast<std::size_t>(limits::kMaxGlyphs))
        throw ConversionError("too many glyphs: " + std::to_string(font.glyphs.size()) +
                              ", at most 511 fit");
    char32_t previous = 0;
    for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
        const PgfGlyph& g = font.glyphs[i];
        if (g.codePoint > limits::kMaxCodePoint || (i > 0 && g.codePoint <= previous))
            throw ConversionError("code points must be unique, ascending and at most U+FFFF");
        previous = g.codePoint;
        const std::string problem = glyphLimitProblem(g);
        if (!problem.empty())
            throw ConversionError("glyph " + codePointName(g.codePoint) +
                                  " does not fit: " + problem);
    }
}

std::vector<std::uint8_t> writePgf(const PgfFont& font) {
    checkFitsFormat(font);
    const std::vector<PgfGlyph>& glyphs = font.glyphs;
    const std::size_t count = glyphs.size();

    auto column = [&](MetricPair (*of)(const GlyphMetrics&)) {
        std::vector<MetricPair> values;
        values.reserve(count);
        for (const PgfGlyph& g : glyphs)
            values.push_back(of(g.metrics));
        return values;
    };
    const RecordTables tables{
        buildMetricTable(column(dimensionOf), true), buildMetricTable(column(xAdjustOf), true),
        buildMetricTable(column(yAdjustOf), true), buildMetricTable(column(advanceOf), false)};
    if (std::find(tables.advance.indexOfGlyph.begin(), tables.advance.indexOfGlyph.end(), -1) !=
        tables.advance.indexOfGlyph.end())
        throw ConversionError("more than 255 distinct advances");

    // Glyph records, each starting on a 4-byte boundary so the char pointers can count words.
    BitWriter records;
    // About as many bytes as pixels halved, so the stream rarely needs to grow and copy.
    records.reserve(count * 256);
    std::vector<std::uint32_t> pointers;
    pointers.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        records.padToMultipleOf(4);
        pointers.push_back(static_cast<std::uint32_t>(records.bytes().size() / 4));
        writeGlyphRecord(records, glyphs[i], tables, i, static_cast<std::uint32_t>(i));
    }
    records.padToMultipleOf(4);
    std::vector<std::uint8_t> fontData = records.release();
    fontData.resize(fontData.size() + layout::kTailPadding, 0);

    const char32_t first = glyphs.front().codePoint;
    const char32_t last = glyphs.back().codePoint;
    const int charMapBpe = bitsFor(count);
    const std::uint32_t noGlyph = (1U << charMapBpe) - 1;
    std::vector<std::uint32_t> charMap(last - first + 1, noGlyph);
    std::vector<std::uint32_t> shadowMap;
    for (std::size_t i = 0; i < count; ++i) {
        charMap[glyphs[i].codePoint - first] = static_cast<std::uint32_t>(i);
        shadowMap.push_back(glyphs[i].codePoint);
    }
    const int pointerBpe = bitsFor(pointers.back());
    const int shadowMapBpe = bitsFor(last);

    // The whole file in one allocation: it is about as large as the glyph records, and growing
    // it step by step would copy them again.
    const std::size_t tableEntries = tables.dimension.entries.size() +
                                     tables.xAdjust.entries.size() + tables.yAdjust.entries.size() +
                                     tables.advance.entries.size();
    std::vector<std::uint8_t> out;
    out.reserve(layout::kHeaderSizeRev2 + 8 * tableEntries +
                paddedTableBytes(shadowMap.size(), shadowMapBpe) +
                paddedTableBytes(charMap.size(), charMapBpe) +
                paddedTableBytes(pointers.size(), pointerBpe) + fontData.size());
    out.resize(layout::kHeaderSizeRev2, 0);
    using namespace layout;
    putU16(out, kHeaderOffset, 0);
    putU16(out, kHeaderSize, kHeaderSizeRev2);
    std::memcpy(out.data() + kMagic, "PGF0", 4);
    putU32(out, kRevision, 2);
    putU32(out, kVersion, 6);
    putU32(out, kCharMapLength, static_cast<std::uint32_t>(charMap.size()));
    putU32(out, kCharPointerLength, static_cast<std::uint32_t>(count));
    putU32(out, kCharMapBpe, static_cast<std::uint32_t>(charMapBpe));
    putU32(out, kCharPointerBpe, static_cast<std::uint32_t>(pointerBpe));
    out[kUnknown20] = 4;
    out[kUnknown20 + 1] = 4;
    out[kBpp] = 4;
    putS32(out, kHSize, font.hSize);
    putS32(out, kVSize, font.vSize);
    putS32(out, kHResolution, font.hResolution);
    putS32(out, kVResolution, font.vResolution);
    putName(out, kFontName, font.fontName);
    putName(out, kFontType, font.fontType);
    putU16(out, kFirstGlyph, first);
    putU16(out, kLastGlyph, last);
    putU32(out, kUnknownBC, 0x00010000);
    putU32(out, kUnknownC8, 0x00010000);
    const Maxima m = maximaOf(glyphs);
    putS32(out, kMaxAscender, font.ascender);
    putS32(out, kMaxDescender, font.descender);
    putS32(out, kMaxLeftXAdjust, m.leftX);
    putS32(out, kMaxBaseYAdjust, m.baseY);
    putS32(out, kMinCenterXAdjust, m.centerX);
    putS32(out, kMaxTopYAdjust, m.topY);
    putS32(out, kMaxAdvanceH, m.advanceH);
    putS32(out, kMaxAdvanceV, m.advanceV);
    putS32(out, kMaxSizeH, m.sizeH);
    putS32(out, kMaxSizeV, m.sizeV);
    putU16(out, kMaxGlyphWidth, static_cast<std::uint32_t>(m.glyphWidth));
    putU16(out, kMaxGlyphHeight, static_cast<std::uint32_t>(m.glyphHeight));
    putU16(out, kCharPointerUnit, kCharPointerUnitBytes);
    out[kDimTableLength] = static_cast<std::uint8_t>(tables.dimension.entries.size());
    out[kXAdjustTableLength] = static_cast<std::uint8_t>(tables.xAdjust.entries.size());
    out[kYAdjustTableLength] = static_cast<std::uint8_t>(tables.yAdjust.entries.size());
    out[kAdvanceTableLength] = static_cast<std::uint8_t>(tables.advance.entries.size());
    putU32(out, kShadowMapLength, static_cast<std::uint32_t>(shadowMap.size()));
    putU32(out, kShadowMapBpe, static_cast<std::uint32_t>(shadowMapBpe));
    putS32(out, kShadowScaleH, kShadowScaleOneToOne);
    putS32(out, kShadowScaleV, kShadowScaleOneToOne);

    appendTable(out, tables.dimension.entries);
    appendTable(out, tables.xAdjust.entries);
    appendTable(out, tables.yAdjust.entries);
    appendTable(out, tables.advance.entries);
    for (const auto& packed : {packTable(shadowMap, shadowMapBpe), packTable(charMap, charMapBpe),
                               packTable(pointers, pointerBpe)})
        out.insert(out.end(), packed.begin(), packed.end());
    out.insert(out.end(), fontData.begin(), fontData.end());
    return out;
}

} // namespace korven::converter

#include "converter/core/PgfWriter.h"

#include "converter/core/BitStream.h"
#include "converter/core/CharacterSet.h"
#include "converter/core/Errors.h"
#include "converter/core/GlyphRecord.h"
#include "converter/core/MetricTables.h"
#include "converter/core/PgfLayout.h"

#include <algorithm>

namespace korven::converter {

namespace {

std::string bitmapProblem(const GlyphBitmap& b, const char* what) {
    using namespace limits;
    if (b.width < 0 || b.height < 0 || b.width > kMaxBitmapSide || b.height > kMaxBitmapSide)
        return std::string(what) + " bitmap is " + std::to_string(b.width) + " x " +
               std::to_string(b.height) + " pixels, more than 127";
    if (b.left < kMinOffset || b.left > kMaxOffset || b.top < kMinOffset || b.top > kMaxOffset)
        return std::string(what) + " bitmap is placed outside -64..63 pixels from the pen";
    if (b.pixels.size() != static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height))
        return std::string(what) + " bitmap has the wrong number of pixels";
    std::uint8_t highest = 0;
    for (const std::uint8_t v : b.pixels)
        highest = std::max(highest, v);
    if (highest > 15)
        return std::string(what) + " bitmap has values above 15";
    return {};
}

// The checks that writePgf makes first; throws ConversionError naming the first problem.
void checkFitsFormat(const PgfFont& font) {
    if (font.glyphs.empty())
        throw ConversionError("the font has no glyphs to store");
    if (font.glyphs.size() > static_cast<std::size_t>(limits::kMaxGlyphs))
        throw ConversionError("too many characters: " + std::to_string(font.glyphs.size()) +
                              ", at most " + std::to_string(limits::kMaxGlyphs) + " fit");
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

// The four metric tables. Entry 0 of the dimension and adjust tables is left unused (see
// buildMetricTable); every advance must be in its table, because some readers look advances up
// only there.
RecordTables buildTables(const std::vector<PgfGlyph>& glyphs) {
    auto column = [&](MetricPair (*of)(const GlyphMetrics&)) {
        std::vector<MetricPair> values;
        values.reserve(glyphs.size());
        for (const PgfGlyph& g : glyphs)
            values.push_back(of(g.metrics));
        return values;
    };
    RecordTables tables{
        buildMetricTable(column(dimensionOf), true), buildMetricTable(column(xAdjustOf), true),
        buildMetricTable(column(yAdjustOf), true), buildMetricTable(column(advanceOf), false)};
    if (std::find(tables.advance.indexOfGlyph.begin(), tables.advance.indexOfGlyph.end(), -1) !=
        tables.advance.indexOfGlyph.end())
        throw ConversionError("more than 255 distinct advances");
    return tables;
}

// Which stored shadow each glyph uses. Up to kMaxShadows glyphs each keep their own, as the
// files have always been written; beyond that, glyphs with equal shadows share one record (the
// converter makes the shadows of the glyphs past the limit equal to others' first).
struct ShadowPlan {
    std::vector<std::uint32_t> idOfGlyph;
    std::vector<bool> appendsShadow; // a shadow record follows the glyph's own record
    std::vector<char32_t> shadowMap; // code point of the glyph that carries each shadow
};

ShadowPlan planShadows(const std::vector<PgfGlyph>& glyphs) {
    ShadowPlan plan;
    const bool share = glyphs.size() > static_cast<std::size_t>(limits::kMaxShadows);
    std::vector<std::size_t> owners;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const auto same =
            share
                ? std::find_if(owners.begin(), owners.end(),
                               [&](std::size_t o) { return glyphs[o].shadow == glyphs[i].shadow; })
                : owners.end();
        plan.appendsShadow.push_back(same == owners.end());
        if (same != owners.end()) {
            plan.idOfGlyph.push_back(static_cast<std::uint32_t>(same - owners.begin()));
            continue;
        }
        plan.idOfGlyph.push_back(static_cast<std::uint32_t>(owners.size()));
        owners.push_back(i);
        plan.shadowMap.push_back(glyphs[i].codePoint);
    }
    if (owners.size() > static_cast<std::size_t>(limits::kMaxShadows))
        throw ConversionError("too many different shadows: " + std::to_string(owners.size()) +
                              ", at most " + std::to_string(limits::kMaxShadows) + " fit");
    // One emulator takes the shadow map's code points for glyph indexes and reads the shadow
    // record after the record of that glyph. A glyph reached that way keeps a copy of its
    // (shared) shadow there, so that reader finds a real shadow, and the right one.
    for (const char32_t c : plan.shadowMap)
        if (c < glyphs.size())
            plan.appendsShadow[c] = true;
    return plan;
}

// The glyph records and where each starts, in 4-byte words from the first.
struct FontData {
    std::vector<std::uint8_t> records;
    std::vector<std::uint32_t> pointers;
    int pointerBpe = 0;
};

// Each glyph's record followed by its shadow's, each pair starting on a 4-byte boundary so
// that the char pointers can count words, and the zero tail after the last.
FontData writeFontData(const std::vector<PgfGlyph>& glyphs, const RecordTables& tables,
                       const ShadowPlan& shadows) {
    FontData data;
    BitWriter records;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        records.padToMultipleOf(layout::kCharPointerUnitBytes);
        data.pointers.push_back(
            static_cast<std::uint32_t>(records.bytes().size() / layout::kCharPointerUnitBytes));
        writeGlyphRecord(records, glyphs[i], tables, i, shadows.idOfGlyph[i],
                         shadows.appendsShadow[i]);
    }
    records.padToMultipleOf(layout::kCharPointerUnitBytes);
    data.records = records.release();
    data.records.resize(data.records.size() + layout::kTailPadding, 0);
    data.pointerBpe = bitsFor(data.pointers.back());
    return data;
}

// The character map gives the glyph of each code point from the first to the last (all ones
// where there is none); the shadow map gives the code point whose shadow each shadow record
// is, and glyph i's shadow is record i.
struct CharacterMaps {
    char32_t first = 0;
    char32_t last = 0;
    std::vector<std::uint32_t> charMap;
    int charMapBpe = 0;
    std::vector<std::uint32_t> shadowMap;
    int shadowMapBpe = 0;
};

CharacterMaps buildCharacterMaps(const std::vector<PgfGlyph>& glyphs,
                                 const std::vector<char32_t>& shadowMap) {
    CharacterMaps maps;
    maps.first = glyphs.front().codePoint;
    maps.last = glyphs.back().codePoint;
    maps.charMapBpe = bitsFor(glyphs.size());
    // One reader takes a 16-bit map for a plain array without the 4-byte padding; one bit more
    // costs little and reads the same everywhere.
    if (maps.charMapBpe == 16)
        maps.charMapBpe = 17;
    const std::uint32_t noGlyph = (1U << maps.charMapBpe) - 1;
    maps.charMap.assign(maps.last - maps.first + 1, noGlyph);
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        maps.charMap[glyphs[i].codePoint - maps.first] = static_cast<std::uint32_t>(i);
    maps.shadowMap.assign(shadowMap.begin(), shadowMap.end());
    maps.shadowMapBpe = bitsFor(*std::max_element(shadowMap.begin(), shadowMap.end()));
    return maps;
}

// What the file is, which every reader checks first.
void putIdentity(std::vector<std::uint8_t>& out) {
    using namespace layout;
    putU16(out, kHeaderSize, kHeaderSizeRev2);
    std::copy(std::begin(kMagicValue), std::end(kMagicValue), out.begin() + kMagic);
    putU32(out, kRevision, kRevision2);
    putU32(out, kVersion, kVersion6);
    out[kUnknown20] = kUnknown20Value;
    out[kUnknown20 + 1] = kUnknown20Value;
    out[kBpp] = kBitsPerPixel;
    putU32(out, kUnknownBC, kUnknownBCValue);
    putU32(out, kUnknownC8, kUnknownC8Value);
    putU16(out, kCharPointerUnit, kCharPointerUnitBytes);
    putS32(out, kShadowScaleH, kShadowScaleOneToOne);
    putS32(out, kShadowScaleV, kShadowScaleOneToOne);
}

// The font as a whole: names, size, resolution, line metrics and the largest glyph values.
void putFontDescription(std::vector<std::uint8_t>& out, const PgfFont& font) {
    using namespace layout;
    putS32(out, kHSize, font.hSize);
    putS32(out, kVSize, font.vSize);
    putS32(out, kHResolution, font.hResolution);
    putS32(out, kVResolution, font.vResolution);
    putName(out, kFontName, font.fontName);
    putName(out, kFontType, font.fontType);
    putS32(out, kMaxAscender, font.ascender);
    putS32(out, kMaxDescender, font.descender);
    const Maxima m = maximaOf(font.glyphs);
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
}

// The lengths and entry widths from which readers work out where each block starts.
void putBlockSizes(std::vector<std::uint8_t>& out, std::size_t glyphCount,
                   const RecordTables& tables, const CharacterMaps& maps, const FontData& data) {
    using namespace layout;
    putU32(out, kCharMapLength, static_cast<std::uint32_t>(maps.charMap.size()));
    putU32(out, kCharPointerLength, static_cast<std::uint32_t>(glyphCount));
    putU32(out, kCharMapBpe, static_cast<std::uint32_t>(maps.charMapBpe));
    putU32(out, kCharPointerBpe, static_cast<std::uint32_t>(data.pointerBpe));
    putU16(out, kFirstGlyph, maps.first);
    putU16(out, kLastGlyph, maps.last);
    out[kDimTableLength] = static_cast<std::uint8_t>(tables.dimension.entries.size());
    out[kXAdjustTableLength] = static_cast<std::uint8_t>(tables.xAdjust.entries.size());
    out[kYAdjustTableLength] = static_cast<std::uint8_t>(tables.yAdjust.entries.size());
    out[kAdvanceTableLength] = static_cast<std::uint8_t>(tables.advance.entries.size());
    putU32(out, kShadowMapLength, static_cast<std::uint32_t>(maps.shadowMap.size()));
    putU32(out, kShadowMapBpe, static_cast<std::uint32_t>(maps.shadowMapBpe));
}

// The header; fields given no value stay zero.
void writeHeader(std::vector<std::uint8_t>& out, const PgfFont& font, const RecordTables& tables,
                 const CharacterMaps& maps, const FontData& data) {
    putIdentity(out);
    putFontDescription(out, font);
    putBlockSizes(out, font.glyphs.size(), tables, maps, data);
}

void appendMetricTable(std::vector<std::uint8_t>& out, const std::vector<MetricPair>& entries) {
    for (const MetricPair& p : entries) {
        const std::size_t at = out.size();
        out.resize(at + 8);
        putS32(out, at, p.h);
        putS32(out, at + 4, p.v);
    }
}

void appendBytes(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace

std::string glyphLimitProblem(const PgfGlyph& g) {
    std::string problem = bitmapProblem(g.bitmap, "glyph");
    if (problem.empty())
        problem = bitmapProblem(g.shadow, "shadow");
    if (problem.empty() && g.metrics.horiAdvance > limits::kMaxAdvance)
        problem = "advance is 32 pixels or more";
    if (problem.empty() && g.metrics.vertAdvance > limits::kMaxAdvance)
        problem = "line height is 32 pixels or more";
    return problem;
}

std::vector<std::uint8_t> writePgf(const PgfFont& font) {
    checkFitsFormat(font);
    const RecordTables tables = buildTables(font.glyphs);
    const ShadowPlan shadows = planShadows(font.glyphs);
    const FontData fontData = writeFontData(font.glyphs, tables, shadows);
    const CharacterMaps maps = buildCharacterMaps(font.glyphs, shadows.shadowMap);

    std::vector<std::uint8_t> out(layout::kHeaderSizeRev2, 0);
    writeHeader(out, font, tables, maps, fontData);
    for (const MetricTable* table :
         {&tables.dimension, &tables.xAdjust, &tables.yAdjust, &tables.advance})
        appendMetricTable(out, table->entries);
    appendBytes(out, packTable(maps.shadowMap, maps.shadowMapBpe));
    appendBytes(out, packTable(maps.charMap, maps.charMapBpe));
    appendBytes(out, packTable(fontData.pointers, fontData.pointerBpe));
    appendBytes(out, fontData.records);
    return out;
}

} // namespace korven::converter

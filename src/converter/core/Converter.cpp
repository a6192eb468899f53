#include "converter/core/Converter.h"

#include "converter/core/CharacterSet.h"
#include "converter/core/Errors.h"
#include "converter/core/FreeType.h"
#include "converter/core/MetricTables.h"
#include "converter/core/PgfWriter.h"
#include "converter/core/Rasterizer.h"
#include "converter/core/Shadow.h"

#include <algorithm>
#include <cmath>

namespace korven::converter {

namespace {

std::int32_t roundToPixel(FT_Pos value) {
    return static_cast<std::int32_t>((value + 32) & ~FT_Pos{63});
}

// FreeType's own rule for vertical metrics of fonts that have none.
void synthesizeVertical(GlyphMetrics& m, std::int32_t vertAdvance) {
    m.vertAdvance = vertAdvance;
    m.vertBearingX = -m.width / 2;
    m.vertBearingY = (vertAdvance - m.height) / 2;
}

PgfGlyph fromRendered(char32_t codePoint, const RenderedGlyph& r,
                      std::span<const std::uint8_t> coverage, double shadowRadius) {
    PgfGlyph g;
    g.codePoint = codePoint;
    g.metrics = r.metrics;
    g.bitmap = {r.width, r.height, r.left, r.top, quantize(coverage)};
    g.shadow = makeShadow(coverage, r.width, r.height, r.left, r.top, shadowRadius);
    return g;
}

// A space for fonts without one: a quarter em wide, no ink.
PgfGlyph makeSpace(FT_Face face, std::int32_t vertAdvance) {
    PgfGlyph g;
    g.codePoint = kSpace;
    g.metrics.horiAdvance =
        std::max<std::int32_t>(64, roundToPixel(face->size->metrics.x_ppem * 16));
    synthesizeVertical(g.metrics, vertAdvance);
    return g;
}

// A plain underscore for fonts without one, drawn as a bar where the font underlines text.
PgfGlyph makeUnderscore(FT_Face face, std::int32_t vertAdvance, double shadowRadius) {
    const FT_Size_Metrics& size = face->size->metrics;
    FT_Pos thickness = FT_MulFix(face->underline_thickness, size.y_scale);
    FT_Pos position = FT_MulFix(face->underline_position, size.y_scale);
    if (thickness <= 0)
        thickness = size.y_ppem * 64 / 14;
    if (position >= 0)
        position = -size.y_ppem * 64 / 8;
    // Capped so a broken font cannot make this allocate much; the limit check refuses it anyway.
    const int rows =
        std::clamp(static_cast<int>((thickness + 32) / 64), 1, 2 * limits::kMaxBitmapSide);
    const int width = std::max(1, static_cast<int>(size.x_ppem) / 2);
    const int top = static_cast<int>(std::lround((position + thickness / 2.0) / 64.0));

    RenderedGlyph r;
    r.width = width;
    r.height = rows;
    r.left = 0;
    r.top = top;
    const std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width * rows), 255);
    r.metrics.width = width * 64;
    r.metrics.height = rows * 64;
    r.metrics.horiBearingY = top * 64;
    r.metrics.horiAdvance = width * 64;
    synthesizeVertical(r.metrics, vertAdvance);
    return fromRendered(kUnderscore, r, coverage, shadowRadius);
}

std::string faceName(const char* name, const char* fallback) {
    return name && *name ? name : fallback;
}

} // namespace

ConversionResult convertFont(std::span<const std::uint8_t> fontBytes,
                             const ConversionSettings& settings) {
    if (settings.pixelsPerEm < 1 || settings.pixelsPerEm > 127 || !(settings.shadowRadius >= 0) ||
        settings.shadowRadius > 16)
        throw ConversionError("conversion settings out of range");
    const FtLibrary library;
    const FtFace ftFace(library, fontBytes);
    const FT_Face face = ftFace.get();
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
        throw ConversionError("the font has no Unicode character map");
    setPixelSize(face, settings.pixelsPerEm);

    ConversionResult result;
    PgfFont& font = result.font;
    font.fontName = faceName(face->family_name, "Unnamed");
    font.fontType = faceName(face->style_name, "Regular");
    font.hSize = font.vSize = pointSize26_6(settings.pixelsPerEm);
    font.hResolution = font.vResolution = kResolution26_6;
    font.ascender = saturated(face->size->metrics.ascender);
    font.descender = saturated(face->size->metrics.descender);

    // Every glyph is rendered before any is converted: FreeType's code and tables then stay in
    // the processor's caches from one glyph to the next, instead of being pushed out by each
    // glyph's conversion in between.
    const std::vector<char32_t>& characters = latinCharacterSet();
    std::vector<std::pair<char32_t, RenderedGlyph>> rendered;
    rendered.reserve(characters.size());
    std::vector<std::uint8_t> coverage;
    coverage.reserve(characters.size() * static_cast<std::size_t>(settings.pixelsPerEm) *
                     static_cast<std::size_t>(settings.pixelsPerEm));
    RenderedGlyph next;
    for (char32_t c : characters)
        if (renderCodePoint(face, c, next, coverage))
            rendered.emplace_back(c, next);

    std::int32_t lineAdvance = 0;
    font.glyphs.reserve(rendered.size() + 2);
    for (const auto& [c, r] : rendered) {
        if (lineAdvance == 0)
            lineAdvance = r.metrics.vertAdvance;
        PgfGlyph glyph;
        if (!r.tooLarge)
            glyph = fromRendered(c, r, r.coverageIn(coverage), settings.shadowRadius);
        const std::string problem =
            r.tooLarge ? "bitmap is far larger than 127 pixels" : glyphLimitProblem(glyph);
        if (!problem.empty()) {
            if (c == kSpace || c == kUnderscore)
                throw ConversionError("glyph " + codePointName(c) + " does not fit: " + problem);
            result.skipped.push_back(c);
            continue;
        }
        font.glyphs.push_back(std::move(glyph));
    }

    if (lineAdvance == 0)
        lineAdvance = saturated(face->size->metrics.height);
    auto has = [&](char32_t c) {
        return std::any_of(font.glyphs.begin(), font.glyphs.end(),
                           [c](const PgfGlyph& g) { return g.codePoint == c; });
    };
    if (!has(kSpace))
        font.glyphs.push_back(makeSpace(face, lineAdvance));
    if (!has(kUnderscore))
        font.glyphs.push_back(makeUnderscore(face, lineAdvance, settings.shadowRadius));
    std::sort(font.glyphs.begin(), font.glyphs.end(),
              [](const PgfGlyph& a, const PgfGlyph& b) { return a.codePoint < b.codePoint; });

    if (!roundAdvancesToFit(font.glyphs))
        throw ConversionError("the font has more than 255 distinct advances even in whole pixels");
    return result;
}

std::vector<std::uint8_t> convertToPgf(std::span<const std::uint8_t> fontBytes,
                                       const ConversionSettings& settings,
                                       std::vector<char32_t>* skipped) {
    ConversionResult result = convertFont(fontBytes, settings);
    if (skipped)
        *skipped = result.skipped;
    return writePgf(result.font);
}

} // namespace korven::converter

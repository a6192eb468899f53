#include "converter/core/Converter.h"

#include "converter/core/CharacterSet.h"
#include "converter/core/Errors.h"
#include "converter/core/FreeType.h"
#include "converter/core/GlyphFit.h"
#include "converter/core/MetricTables.h"
#include "converter/core/PgfWriter.h"
#include "converter/core/Rasterizer.h"
#include "converter/core/Shadow.h"
#include "converter/core/ShadowSharing.h"

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

// The style a made-up face shows, in the words fonts use: "Bold", "Oblique" (slanted, not drawn
// as an italic), "Bold Oblique", or "Bold Italic" for an emboldened italic face.
std::string synthesizedStyleName(FT_Face face, FaceSynthesis synthesis) {
    const bool bold = synthesis.embolden || (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    const char* slanted = synthesis.slant                                   ? "Oblique"
                          : (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0 ? "Italic"
                                                                            : "";
    if (!*slanted)
        return "Bold";
    return bold ? std::string("Bold ") + slanted : slanted;
}

// The line height stored when the font's own is 32 pixels or more: whole pixels, under 32.
constexpr std::int32_t kCappedLineHeight = 31 * 64;

bool isBasic(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string characterName(char32_t c) {
    if (c == kSpace)
        return "the space";
    const std::string quoted = "\"" + std::string(1, static_cast<char>(c)) + "\"";
    return (c >= '0' && c <= '9' ? "the digit " : "the letter ") + quoted;
}

// A basic character (or the space) the font has that breaks a limit at the chosen size.
struct TooLarge {
    char32_t codePoint;
    std::int32_t advance;
    std::string problem;
};

std::string glyphProblem(char32_t c, const RenderedGlyph& r, std::span<const std::uint8_t> coverage,
                         double shadowRadius, PgfGlyph* glyph) {
    if (r.tooLarge)
        return "bitmap is far larger than 127 pixels";
    PgfGlyph g = fromRendered(c, r, coverage, shadowRadius);
    std::string problem = glyphLimitProblem(g);
    if (glyph)
        *glyph = std::move(g);
    return problem;
}

// Below this em size letters are no longer readable, so no smaller size is suggested.
constexpr int kSmallestReadableSize = 6;

// The largest size below the chosen one at which every basic character and the space fit;
// 0 when none does. Changes the face's size.
int largestSizeThatFits(FT_Face face, const ConversionSettings& settings) {
    std::vector<std::uint8_t> coverage;
    RenderedGlyph r;
    for (int size = settings.pixelsPerEm - 1; size >= kSmallestReadableSize; --size) {
        setPixelSize(face, size);
        bool fits = true;
        for (char32_t c : latinCharacterSet()) {
            if (!fits || (!isBasic(c) && c != kSpace))
                continue;
            coverage.clear();
            if (renderCodePoint(face, c, r, coverage, settings.synthesis)) {
                r.metrics.vertAdvance = std::min(r.metrics.vertAdvance, kCappedLineHeight);
                fits = glyphProblem(c, r, r.coverageIn(coverage), settings.shadowRadius, nullptr)
                           .empty();
            }
        }
        if (fits)
            return size;
    }
    return 0;
}

[[noreturn]] void refuseTooLarge(FT_Face face, const TooLarge& worst,
                                 const ConversionSettings& settings) {
    std::string message = "at size " + std::to_string(settings.pixelsPerEm) + " " +
                          characterName(worst.codePoint) + " of " + ConversionError::kFontName;
    if (worst.advance > limits::kMaxAdvance)
        message += " is " + std::to_string((worst.advance + 63) / 64) +
                   " pixels wide, and a glyph must stay under 32";
    else
        message += " does not fit: its " + worst.problem;
    const int fits = largestSizeThatFits(face, settings);
    message += fits > 0 ? "; size " + std::to_string(fits) + " or smaller fits"
                        : "; no size fits, choose another font";
    throw ConversionError(message);
}

// "has no letters (A-Z, a-z) and no digits (0-9)", "has no letter \"q\""...
[[noreturn]] void refuseMissing(const std::vector<char32_t>& missing) {
    auto count = [&](char32_t first, char32_t last) {
        return std::count_if(missing.begin(), missing.end(),
                             [&](char32_t c) { return c >= first && c <= last; });
    };
    const bool noCapitals = count('A', 'Z') == 26;
    const bool noSmall = count('a', 'z') == 26;
    const bool noDigits = count('0', '9') == 10;
    std::vector<std::string> parts;
    if (noCapitals && noSmall)
        parts.push_back("no letters (A-Z, a-z)");
    else if (noCapitals)
        parts.push_back("no capital letters (A-Z)");
    else if (noSmall)
        parts.push_back("no small letters (a-z)");
    if (noDigits)
        parts.push_back("no digits (0-9)");
    std::vector<char32_t> single;
    for (char32_t c : missing)
        if (!((c >= 'A' && c <= 'Z' && noCapitals) || (c >= 'a' && c <= 'z' && noSmall) ||
              (c >= '0' && c <= '9' && noDigits)))
            single.push_back(c);
    if (!single.empty()) {
        constexpr std::size_t kNamed = 8;
        std::string list = single.size() == 1 ? "no " + characterName(single[0]).substr(4)
                                              : std::string("none of");
        if (single.size() > 1)
            for (std::size_t i = 0; i < single.size() && i < kNamed; ++i)
                list += std::string(i == 0 ? " \"" : ", \"") + static_cast<char>(single[i]) + "\"";
        if (single.size() > kNamed)
            list += " and " + std::to_string(single.size() - kNamed) + " more letters and digits";
        parts.push_back(list);
    }
    std::string message = std::string(ConversionError::kFontName) + " has ";
    for (std::size_t i = 0; i < parts.size(); ++i)
        message += (i == 0 ? "" : " and ") + parts[i];
    message += missing.size() == 1 ? ": the system font needs it" : ": the system font needs them";
    throw ConversionError(message);
}

// Ascender above zero and descender at or below zero whatever the font says: when its values
// are missing, zero or swapped, they come from the ink of the glyphs, in whole pixels.
void makeHeaderSane(PgfFont& font, FT_Face face) {
    std::int32_t ascender = saturated(face->size->metrics.ascender);
    std::int32_t descender = saturated(face->size->metrics.descender);
    const bool inverted = ascender < descender;
    if (ascender <= 0 || inverted) {
        std::int32_t top = 0;
        for (const PgfGlyph& g : font.glyphs)
            top = std::max(top, g.metrics.horiBearingY);
        ascender = top > 0 ? (top + 63) / 64 * 64 : face->size->metrics.y_ppem * 64;
    }
    if (descender >= 0 || inverted) {
        std::int32_t bottom = 0;
        for (const PgfGlyph& g : font.glyphs)
            bottom = std::min(bottom, g.metrics.horiBearingY - g.metrics.height);
        descender = -((-bottom + 63) / 64 * 64);
    }
    font.ascender = ascender;
    font.descender = descender;
    // Swapped values also give glyphs a line height below zero; use the sane one instead.
    for (PgfGlyph& g : font.glyphs)
        if (g.metrics.vertAdvance <= 0)
            g.metrics.vertAdvance = std::min(ascender - descender, kCappedLineHeight);
}

// The line of the font the file stands in for: games space their lines by it.
void takeLineOf(const FitTarget& target, PgfFont& font) {
    font.ascender = target.ascender;
    font.descender = target.descender;
    for (PgfGlyph& g : font.glyphs)
        g.metrics.vertAdvance = std::min(g.metrics.vertAdvance, target.lineAdvance);
}

// The Latin set and the extra characters in one ascending list.
std::vector<char32_t> withExtras(const std::vector<char32_t>& extra) {
    const std::vector<char32_t>& latin = latinCharacterSet();
    std::vector<char32_t> all;
    all.reserve(latin.size() + extra.size());
    std::set_union(latin.begin(), latin.end(), extra.begin(), extra.end(), std::back_inserter(all));
    // Checked here as well as where the choice is read: the file holds 16-bit codes from the
    // space on, and callers other than the command line may fill the list.
    if (!extra.empty() && (extra.front() < kSpace || extra.back() > limits::kMaxCodePoint))
        throw ConversionError("extra characters must lie between U+0020 and U+FFFF");
    return all;
}

} // namespace

ConversionResult convertFont(std::span<const std::uint8_t> fontBytes,
                             const ConversionSettings& settings) {
    const StopFlag never{false};
    return convertFont(fontBytes, settings, never);
}

ConversionResult convertFont(std::span<const std::uint8_t> fontBytes,
                             const ConversionSettings& settings, const StopFlag& stop) {
    const auto stopIfAsked = [&stop] {
        if (stop.load(std::memory_order_relaxed))
            throw ConversionStopped();
    };
    if (settings.pixelsPerEm < 1 || settings.pixelsPerEm > 127 || !(settings.shadowRadius >= 0) ||
        settings.shadowRadius > 16 || settings.faceIndex < 0)
        throw ConversionError("conversion settings out of range");
    const FtLibrary library;
    const FtFace ftFace(library, fontBytes, settings.faceIndex);
    const FT_Face face = ftFace.get();
    // Checked before the character map: a bitmap font in a legacy encoding would otherwise be
    // refused for its map, which says nothing useful.
    setPixelSize(face, settings.pixelsPerEm);
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " does not say which Unicode characters its glyphs are, so it has "
                              "no letters to convert");

    ConversionResult result;
    PgfFont& font = result.font;
    font.fontName = faceName(face->family_name, "Unnamed");
    font.fontType = settings.synthesis == FaceSynthesis{}
                        ? faceName(face->style_name, "Regular")
                        : synthesizedStyleName(face, settings.synthesis);
    std::int32_t em = settings.pixelsPerEm * 64;
    if (settings.fit) {
        em = chooseFittingEm(face, settings.pixelsPerEm, *settings.fit, settings.synthesis);
        result.fit.applied = true;
        if (em != settings.pixelsPerEm * 64)
            result.fit.reducedEm = em;
    }
    font.hSize = font.vSize = pointSizeOfEm26_6(em);
    font.hResolution = font.vResolution = kResolution26_6;

    // Every glyph is rendered before any is converted: FreeType's code and tables then stay in
    // the processor's caches from one glyph to the next, instead of being pushed out by each
    // glyph's conversion in between.
    const std::vector<char32_t> characters = withExtras(settings.extraCharacters);
    std::vector<std::pair<char32_t, RenderedGlyph>> rendered;
    rendered.reserve(characters.size());
    std::vector<std::uint8_t> coverage;
    coverage.reserve(characters.size() * static_cast<std::size_t>(settings.pixelsPerEm) *
                     static_cast<std::size_t>(settings.pixelsPerEm));
    RenderedGlyph next;
    for (char32_t c : characters) {
        stopIfAsked();
        if (settings.fit ? renderFitted(face, c, next, coverage, settings.synthesis, *settings.fit,
                                        result.fit)
                         : renderCodePoint(face, c, next, coverage, settings.synthesis))
            rendered.emplace_back(c, next);
        else if (c != kSpace && c != kUnderscore) // both are drawn when the font has none
            result.absent.push_back(c);
    }

    // Readers keep the line height in a signed byte of quarter pixels; a taller font keeps its
    // bitmaps and gets a line height just under that limit.
    auto capLineHeight = [&](GlyphMetrics& m) {
        if (m.vertAdvance > limits::kMaxAdvance) {
            result.cappedLineHeight = std::max(result.cappedLineHeight, m.vertAdvance);
            m.vertAdvance = kCappedLineHeight;
        }
    };
    std::int32_t lineAdvance = 0;
    std::vector<TooLarge> tooLarge;
    font.glyphs.reserve(rendered.size() + 2);
    for (auto& [c, r] : rendered) {
        stopIfAsked();
        capLineHeight(r.metrics);
        if (lineAdvance == 0)
            lineAdvance = r.metrics.vertAdvance;
        PgfGlyph glyph;
        const std::string problem =
            glyphProblem(c, r, r.coverageIn(coverage), settings.shadowRadius, &glyph);
        if (!problem.empty()) {
            // A too large underscore is replaced by the drawn one below.
            if (c == kSpace || (isBasic(c) && !settings.allowMissing))
                tooLarge.push_back({c, r.metrics.horiAdvance, problem});
            else if (c != kUnderscore)
                result.skipped.push_back(c);
            continue;
        }
        font.glyphs.push_back(std::move(glyph));
    }

    auto has = [&](char32_t c) {
        return std::any_of(font.glyphs.begin(), font.glyphs.end(),
                           [c](const PgfGlyph& g) { return g.codePoint == c; });
    };
    if (!settings.allowMissing) {
        std::vector<char32_t> absent;
        for (char32_t c : characters)
            if (isBasic(c) && !has(c) &&
                std::none_of(tooLarge.begin(), tooLarge.end(),
                             [c](const TooLarge& t) { return t.codePoint == c; }))
                absent.push_back(c);
        if (!absent.empty())
            refuseMissing(absent);
    }
    if (!tooLarge.empty()) {
        // Named: the space if it is too wide, else the widest letter or digit.
        const auto worst = std::max_element(
            tooLarge.begin(), tooLarge.end(), [](const TooLarge& a, const TooLarge& b) {
                return (a.codePoint != kSpace && b.codePoint == kSpace) ||
                       ((a.codePoint == kSpace) == (b.codePoint == kSpace) &&
                        a.advance < b.advance);
            });
        refuseTooLarge(face, *worst, settings);
    }

    if (lineAdvance == 0) {
        std::int32_t height = saturated(face->size->metrics.height);
        // Swapped or missing vertical values in the font give no usable height.
        if (height <= 0)
            height = face->size->metrics.y_ppem * 64;
        GlyphMetrics line;
        line.vertAdvance = height;
        capLineHeight(line);
        lineAdvance = line.vertAdvance;
    }
    if (!has(kSpace))
        font.glyphs.push_back(makeSpace(face, lineAdvance));
    if (!has(kUnderscore))
        font.glyphs.push_back(makeUnderscore(face, lineAdvance, settings.shadowRadius));
    std::sort(font.glyphs.begin(), font.glyphs.end(),
              [](const PgfGlyph& a, const PgfGlyph& b) { return a.codePoint < b.codePoint; });
    makeHeaderSane(font, face);
    if (settings.fit)
        takeLineOf(*settings.fit, font);
    stopIfAsked();
    shareShadowsToFit(font.glyphs, latinCharacterSet());

    if (!roundAdvancesToFit(font.glyphs))
        throw ConversionError("the font has more than 255 distinct advances even in whole pixels");
    return result;
}

std::vector<std::uint8_t> convertToPgf(std::span<const std::uint8_t> fontBytes,
                                       const ConversionSettings& settings) {
    return writePgf(convertFont(fontBytes, settings).font);
}

} // namespace korven::converter

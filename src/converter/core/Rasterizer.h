#pragma once

#include "converter/core/Converter.h"
#include "converter/core/FreeType.h"
#include "converter/core/PgfModel.h"

#include <cstdint>
#include <span>
#include <vector>

namespace korven::converter {

// The handheld's resolution: sizes are stored in points at 128 dpi, so an em of p pixels is
// 36 * p points in 26.6 (18 px -> 648, the value of the system font).
inline constexpr FT_UInt kDpi = 128;
inline constexpr std::int32_t kResolution26_6 = kDpi * 64;
constexpr std::int32_t pointSize26_6(int pixelsPerEm) {
    return 36 * pixelsPerEm;
}

// Outlines only (embedded bitmaps would bypass the anti-aliasing), hinted as FreeType does by
// default so stems land on whole pixels on the small screen.
inline constexpr FT_Int32 kLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP;

// A rendered glyph. Its coverage, 8 bits per pixel row by row from the top, is kept in a buffer
// shared by all glyphs of a font, from `coverageAt` on.
struct RenderedGlyph {
    GlyphMetrics metrics;
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    std::size_t coverageAt = 0;
    // Far larger than the format allows: metrics are set, the bitmap was not drawn.
    bool tooLarge = false;

    std::span<const std::uint8_t> coverageIn(const std::vector<std::uint8_t>& buffer) const {
        return std::span(buffer).subspan(coverageAt, static_cast<std::size_t>(width) *
                                                         static_cast<std::size_t>(height));
    }
};

// A FreeType position as a file value; values beyond 32 bits (only from broken fonts) become
// the nearest 32-bit value, which every limit check then refuses, instead of wrapping around.
std::int32_t saturated(FT_Pos value);

// Sets the em size in pixels. Throws ConversionError when the face cannot be scaled.
void setPixelSize(FT_Face face, int pixelsPerEm);

// Sets the em size in 26.6 pixels, for sizes between whole pixels; a whole number of pixels
// scales exactly as setPixelSize does. Throws ConversionError when the face cannot be scaled.
void setEmSize(FT_Face face, std::int32_t emSize26_6);

// The nominal size stored in the file for an em of that many 26.6 pixels (points in 26.6).
constexpr std::int32_t pointSizeOfEm26_6(std::int32_t emSize26_6) {
    return (emSize26_6 * 9 + 8) / 16;
}
static_assert(pointSizeOfEm26_6(18 * 64) == pointSize26_6(18));

// A change of a glyph's outline before it is measured and drawn: scaled about the pen origin,
// shifted right by shiftX (26.6 pixels), and given a new advance (26.6 pixels).
struct OutlineChange {
    double scaleX = 1.0;
    double scaleY = 1.0;
    double shiftX = 0.0;
    std::int32_t advance = 0;
};

// Renders the glyph of a code point into `glyph` and appends its coverage to `coverage`, one
// buffer for all of a font's glyphs, so that hundreds of glyphs need no allocation each.
// Returns false, changing nothing, when the font has no glyph for the code point. Throws
// ConversionError when FreeType fails on a glyph the font claims to have. `synthesis` thickens
// or slants the outline before it is measured and drawn, then `change`, if any, alters it.
bool renderCodePoint(FT_Face face, char32_t codePoint, RenderedGlyph& glyph,
                     std::vector<std::uint8_t>& coverage, FaceSynthesis synthesis = {},
                     const OutlineChange* change = nullptr);

// Coverage rounded to the 16 grey levels of the format (0..255 -> 0..15).
constexpr std::uint8_t quantizeLevel(std::uint8_t coverage) {
    return static_cast<std::uint8_t>((coverage * 15 + 127) / 255);
}
std::vector<std::uint8_t> quantize(std::span<const std::uint8_t> coverage);

} // namespace korven::converter

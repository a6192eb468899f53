#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korven::converter {

// A 4-bit grey bitmap as the handheld stores it: 0 = no ink, 15 = full ink, row by row from the
// top. left/top place the top-left pixel at (pen x + left, baseline y - top).
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    std::vector<std::uint8_t> pixels; // width * height values, 0..15

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool operator==(const GlyphBitmap&) const = default;
};

// The eight per-glyph metrics in 26.6 pixels, exactly the quantities FreeType reports.
struct GlyphMetrics {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t horiBearingX = 0;
    std::int32_t horiBearingY = 0;
    std::int32_t vertBearingX = 0;
    std::int32_t vertBearingY = 0;
    std::int32_t horiAdvance = 0;
    std::int32_t vertAdvance = 0;
    bool operator==(const GlyphMetrics&) const = default;
};

// How a bitmap's pixels are ordered in the file.
enum class PixelOrder : std::uint8_t { Rows = 1, Columns = 2 };

struct PgfGlyph {
    char32_t codePoint = 0;
    GlyphMetrics metrics;
    GlyphBitmap bitmap;
    GlyphBitmap shadow;
    bool operator==(const PgfGlyph&) const = default;
};

// Everything a font file says, independent of how it is packed. The writer turns this into bytes
// and the reader turns bytes back into it, so the two can be compared field by field.
struct PgfFont {
    std::string fontName;
    std::string fontType;
    std::int32_t hSize = 0; // points, 26.6
    std::int32_t vSize = 0;
    std::int32_t hResolution = 0; // dpi, 26.6
    std::int32_t vResolution = 0;
    std::int32_t ascender = 0;    // 26.6 pixels, positive
    std::int32_t descender = 0;   // 26.6 pixels, negative
    std::vector<PgfGlyph> glyphs; // ascending code points, each code point once
};

// Hard limits of the file format; a glyph outside them cannot be stored.
namespace limits {
inline constexpr int kMaxBitmapSide = 127;
inline constexpr int kMinOffset = -64; // left / top are 7-bit two's complement
inline constexpr int kMaxOffset = 63;
inline constexpr int kMaxRecordBytes = (1 << 14) - 1;
// Readers keep the glyph count in 16 bits.
inline constexpr int kMaxGlyphs = 65535;
// Shadow ids are 9 bits and one reader refuses longer shadow maps; glyphs beyond that many
// share a shadow (the handheld's own large fonts do the same).
inline constexpr int kMaxShadows = 511;
inline constexpr std::int32_t kMaxAdvance =
    2047; // under 32 px in 26.6: quarter pixels in a signed byte
inline constexpr int kMaxTableEntries = 255;
inline constexpr char32_t kMaxCodePoint = 0xFFFF;
} // namespace limits

} // namespace korven::converter

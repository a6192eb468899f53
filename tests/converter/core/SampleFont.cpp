#include "SampleFont.h"

namespace korven::converter::testing {

namespace {
GlyphBitmap pattern(int width, int height, int left, int top, int maxLevel, bool columns,
                    unsigned seed) {
    GlyphBitmap b{width, height, left, top, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned along = static_cast<unsigned>(columns ? x : y);
            const unsigned h = (along * 7 + seed) ^ static_cast<unsigned>((columns ? y : x) / 3);
            b.pixels.push_back(static_cast<std::uint8_t>(h % static_cast<unsigned>(maxLevel + 1)));
        }
    return b;
}
} // namespace

PgfGlyph makeGlyph(char32_t codePoint, int width, int height, int left, int top, bool columns) {
    PgfGlyph g;
    g.codePoint = codePoint;
    const unsigned seed = static_cast<unsigned>(codePoint);
    g.bitmap = pattern(width, height, left, top, 15, columns, seed);
    if (width > 0 && height > 0)
        g.shadow = pattern(width + 2, height + 2, left - 1, top + 1, 8, columns, seed + 1);
    g.metrics = {width * 64, height * 64,           left * 64, top * 64, -width * 32,
                 64,         (width % 30 + 1) * 64, 20 * 64};
    return g;
}

PgfFont sampleFont() {
    PgfFont font;
    font.fontName = "Sample Sans";
    font.fontType = "Regular";
    font.hSize = font.vSize = 648;
    font.hResolution = font.vResolution = 0x2000;
    font.ascender = 14 * 64;
    font.descender = -4 * 64;
    font.glyphs = {makeGlyph(0x20, 0, 0, 0, 0),
                   makeGlyph('A', 11, 13, 0, 13),
                   makeGlyph('B', 9, 13, 1, 13, true),
                   makeGlyph('_', 9, 1, 0, -2),
                   makeGlyph('g', 8, 12, 1, 9),
                   makeGlyph(0xC5, 1, 30, 63, 62),     // thin column at the largest left
                   makeGlyph(0x100, 2, 2, -64, 63),    // both offsets at their limits
                   makeGlyph(0x141, 125, 1, -63, -63), // wide row
                   makeGlyph(0x2122, 12, 6, 0, 13)};
    GlyphBitmap& limitShadow = font.glyphs[6].shadow;
    limitShadow = font.glyphs[6].bitmap;
    limitShadow.width = 127; // the widest bitmap
    limitShadow.pixels.assign(127 * 2, 3);
    return font;
}

} // namespace korven::converter::testing

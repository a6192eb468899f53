#pragma once

#include "converter/core/PgfReader.h"
#include "converter/core/RgbaImage.h"

#include <string>
#include <vector>

namespace korven::converter {

// Code points of UTF-8 text; malformed bytes become U+FFFD.
std::u32string decodeUtf8(const std::string& text);

// The mid-blue that renderText draws on unless told otherwise.
inline constexpr Rgb kDefaultTextBackground{52, 84, 140};

// One character of a line as renderText places it: the glyph drawn (the underscore for a
// character the font lacks) and its pen position in whole pixels from the line's start.
struct PlacedCharacter {
    char32_t codePoint = 0;
    std::size_t glyphIndex = 0;
    int penX = 0;
};

// The characters of `text` that draw something, in order, where renderText draws them.
std::vector<PlacedCharacter> layoutLine(const PgfFile& font, const std::u32string& text);

// Where renderText puts the start of the line's baseline in its picture: the margin it leaves
// for shadows on the left, and the row of the baseline.
struct LineOrigin {
    int x = 0;
    int baseline = 0;
};
LineOrigin lineOrigin(const PgfFile& font);

// Draws one line of text the way the handheld's font library would, on `background`: shadows
// first (black, each glyph's shadow laid over the last with its 4-bit level as opacity), then the
// glyphs (white). The glyphs' levels are added up in one coverage buffer, capped at 15, and that
// buffer is laid over the picture once, so where two neighbouring glyphs share a pixel their ink
// adds up. Characters below the font's first code point draw nothing; other missing characters
// draw the underscore.
RgbaImage renderText(const PgfFile& font, const std::u32string& text,
                     Rgb background = kDefaultTextBackground);

// The characters of `text` that the font does not hold, each once, in the order they first
// appear: renderText draws the underscore in their place (nothing, if the font lacks that too).
// Characters below the font's first code point are not counted: they draw nothing by design.
std::u32string charactersNotHeld(const PgfFile& font, const std::u32string& text);

} // namespace korven::converter

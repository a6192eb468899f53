#pragma once

#include <cstdint>
#include <vector>

namespace korven::converter::testing {

// One glyph of a generated TrueType font: a filled rectangle in font units (none when the box
// is empty), and its advance.
struct TestGlyph {
    char32_t codePoint = 0;
    int advance = 500;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct TestFontOptions {
    int unitsPerEm = 1000;
    int underlinePosition = -100;
    int underlineThickness = 50;
    int ascender = 800; // the font's line spacing values, in font units
    int descender = -200;
};

// A-Z, a-z and 0-9 as plain boxes standing on the baseline, 500 units wide: what every font
// needs to be converted.
std::vector<TestGlyph> basicGlyphs();

// A minimal but valid TrueType font with the given glyphs, so tests can have fonts that lack a
// character, have huge glyphs or many distinct sizes, without shipping font files.
std::vector<std::uint8_t> buildTestFont(const std::vector<TestGlyph>& glyphs,
                                        const TestFontOptions& options = {});

} // namespace korven::converter::testing

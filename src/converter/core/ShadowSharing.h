#pragma once

#include "converter/core/PgfModel.h"

#include <vector>

namespace korven::converter {

// A file holds at most limits::kMaxShadows different shadows. When a font has more glyphs with
// different shadows than that, each glyph past the limit gets a copy of the most similar shadow
// that another glyph keeps, so that the writer stores it once; a shadow is a soft halo, and a
// similar letter's halo looks almost the same. Glyphs whose code points are in `keepOwn`
// (sorted; the Latin set, so that its file looks as before) keep theirs first, then the others
// in code point order while shadows remain. Changes nothing when everything fits.
void shareShadowsToFit(std::vector<PgfGlyph>& glyphs, const std::vector<char32_t>& keepOwn);

// How unlike two shadows are: the sum of the pixel differences with both placed at the same
// pen position. 0 for equal shadows.
long shadowDistance(const GlyphBitmap& a, const GlyphBitmap& b);

} // namespace korven::converter

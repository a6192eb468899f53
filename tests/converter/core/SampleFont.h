#pragma once

#include "converter/core/PgfModel.h"

namespace korven::converter::testing {

// A glyph with a deterministic mix of runs and noise, metrics derived from its box, and a shadow
// one pixel larger on every side. `columns` makes vertical stripes, which store more compactly
// column by column.
PgfGlyph makeGlyph(char32_t codePoint, int width, int height, int left, int top,
                   bool columns = false);

// A small font with an empty space, ordinary glyphs, glyphs at the placement limits, thin
// bitmaps and gaps in the code points.
PgfFont sampleFont();

} // namespace korven::converter::testing

#pragma once

#include "converter/core/PgfModel.h"

#include <cstdint>
#include <span>
#include <vector>

namespace korven::converter {

// The strongest shadow level, about half of full ink, like the handheld's own font.
inline constexpr int kShadowPeak = 8;

// A soft shadow made from a glyph's coverage (0..255, row by row): full-ink pixels give the peak,
// and the shadow fades to level 1 at `radius` pixels from the ink, so it spreads `radius` pixels
// beyond the glyph on every side. Outer rows and columns that end up empty are trimmed. An empty
// glyph gets an empty shadow.
GlyphBitmap makeShadow(std::span<const std::uint8_t> coverage, int width, int height, int left,
                       int top, double radius);

} // namespace korven::converter

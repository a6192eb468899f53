#pragma once

#include "converter/core/HandheldFonts.h"
#include "converter/core/Rasterizer.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace korven::converter {

// Whether a rendered glyph keeps to the target's box, top and advance, and, for a character
// the reference holds, has exactly the reference's advance.
bool fitsTarget(const RenderedGlyph& glyph, const FitTarget& target,
                std::optional<std::int32_t> referenceAdvance);

// The least change of the glyph's outline that brings it into the target: scaled down about
// its baseline (keeping its place in its advance) when it is too tall or reaches too high,
// then condensed when it or its advance is too wide; with a reference advance, the glyph is
// centred in that advance and condensed when its own is wider. `tighten` (at most 1) shrinks
// the change further for a glyph whose drawing came out larger than its box foretold.
OutlineChange changeToFit(const RenderedGlyph& glyph, const FitTarget& target,
                          std::optional<std::int32_t> referenceAdvance, double tighten = 1.0);

// The largest em size (26.6 pixels, at most the chosen size) at which every letter and digit
// of the face lies in the target's box without scaling, and needs at most a little condensing.
// Leaves the face at that size.
std::int32_t chooseFittingEm(FT_Face face, int pixelsPerEm, const FitTarget& target,
                             FaceSynthesis synthesis);

// Renders the code point as renderCodePoint does, changed where needed to fit the target, and
// records what was changed in `report`. Returns false when the font lacks the glyph.
bool renderFitted(FT_Face face, char32_t codePoint, RenderedGlyph& glyph,
                  std::vector<std::uint8_t>& coverage, FaceSynthesis synthesis,
                  const FitTarget& target, FitReport& report);

} // namespace korven::converter

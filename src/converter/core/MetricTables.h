#pragma once

#include "converter/core/PgfModel.h"

#include <compare>
#include <cstdint>
#include <vector>

namespace korven::converter {

// One metric table entry: the value for horizontal layout, then the one for vertical layout.
struct MetricPair {
    std::int32_t h = 0;
    std::int32_t v = 0;
    auto operator<=>(const MetricPair&) const = default;
};

// A table of at most 255 pairs and, for every glyph, the index of its pair or -1 when the pair
// did not fit and is stored in the glyph's record instead.
struct MetricTable {
    std::vector<MetricPair> entries;
    std::vector<int> indexOfGlyph;
};

// Builds a table for the given per-glyph values, keeping the most frequent pairs (each indexed
// entry saves seven bytes per glyph that uses it). With `sentinelAtZero`, entry 0 is a dummy
// that no glyph refers to: some readers replace the values of glyphs that use entry 0 when the
// font has certain names, so nothing real may live there.
MetricTable buildMetricTable(const std::vector<MetricPair>& perGlyph, bool sentinelAtZero);

MetricPair dimensionOf(const GlyphMetrics& m);
MetricPair xAdjustOf(const GlyphMetrics& m);
MetricPair yAdjustOf(const GlyphMetrics& m);
MetricPair advanceOf(const GlyphMetrics& m);

// Some readers only look at a glyph's advance through the table, so every advance must be in it.
// When a font has more than 255 distinct advance pairs, round them to quarter pixels, then to
// whole pixels. Returns false when even that leaves too many.
bool roundAdvancesToFit(std::vector<PgfGlyph>& glyphs);

} // namespace korven::converter

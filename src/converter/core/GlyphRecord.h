#pragma once

#include "converter/core/BitStream.h"
#include "converter/core/MetricTables.h"
#include "converter/core/PgfModel.h"

#include <cstdint>
#include <vector>

namespace korven::converter {

struct RecordTables {
    MetricTable dimension;
    MetricTable xAdjust;
    MetricTable yAdjust;
    MetricTable advance;
};

// Pixels of a row-major bitmap in the order the file stores them.
std::vector<std::uint8_t> pixelsInOrder(const GlyphBitmap& bitmap, PixelOrder order);
// The reverse: stored order back to row-major.
std::vector<std::uint8_t> pixelsToRows(const std::vector<std::uint8_t>& stored, int width,
                                       int height, PixelOrder order);

// Runs of equal pixels make the file small, so store a glyph and its shadow in the order along
// which their pixels change less often (rows or columns). Counting changes is a close and much
// cheaper stand-in for encoding both ways: on real fonts it costs under 0.5 % of the size.
std::size_t changesAlong(const GlyphBitmap& bitmap, PixelOrder order);
PixelOrder preferredOrder(const GlyphBitmap& glyph, const GlyphBitmap& shadow);

// Appends the character record of glyph `glyphIndex`, followed directly by its shadow record
// unless `withShadow` is false (the glyph uses a shadow stored with another glyph), starting at
// the writer's next byte. Throws ConversionError if a record would exceed the 14-bit size field.
void writeGlyphRecord(BitWriter& w, const PgfGlyph& glyph, const RecordTables& tables,
                      std::size_t glyphIndex, std::uint32_t shadowId, bool withShadow = true);

} // namespace korven::converter

#include "converter/core/GlyphRecord.h"

#include "converter/core/BitStream.h"
#include "converter/core/Errors.h"
#include "converter/core/PgfLayout.h"
#include "converter/core/Rle.h"

namespace korven::converter {

namespace {

void putMetric(BitWriter& w, const MetricTable& table, std::size_t glyphIndex, MetricPair value) {
    const int index = table.indexOfGlyph[glyphIndex];
    if (index >= 0) {
        w.put(static_cast<std::uint32_t>(index), 8);
    } else {
        w.putSigned(value.h, 32);
        w.putSigned(value.v, 32);
    }
}

// Writes the byte size of the record that starts at byte `start` into its leading 14-bit
// field, once the record is complete and byte-aligned.
void finishRecord(BitWriter& w, std::size_t start) {
    const std::size_t bytes = w.bitCount() / 8 - start;
    if (bytes > static_cast<std::size_t>(limits::kMaxRecordBytes))
        throw ConversionError("a glyph record would exceed 16383 bytes");
    w.overwrite(start * 8, static_cast<std::uint32_t>(bytes), 14);
}

void putPlacement(BitWriter& w, const GlyphBitmap& b) {
    w.put(static_cast<std::uint32_t>(b.width), 7);
    w.put(static_cast<std::uint32_t>(b.height), 7);
    w.putSigned(b.left, 7);
    w.putSigned(b.top, 7);
}

void putPixels(BitWriter& w, const GlyphBitmap& b, PixelOrder order) {
    if (order == PixelOrder::Rows)
        w.putNibbles(encodeRle(b.pixels));
    else
        w.putNibbles(encodeRle(pixelsInOrder(b, order)));
    w.alignToByte();
}

// How many of the n pixel pairs a[i], b[i] differ.
std::size_t countDifferent(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    std::size_t different = 0;
    for (std::size_t i = 0; i < n; ++i)
        different += a[i] != b[i];
    return different;
}

} // namespace

std::vector<std::uint8_t> pixelsInOrder(const GlyphBitmap& bitmap, PixelOrder order) {
    if (order == PixelOrder::Rows)
        return bitmap.pixels;
    std::vector<std::uint8_t> columns(bitmap.pixels.size());
    std::uint8_t* to = columns.data();
    for (int x = 0; x < bitmap.width; ++x)
        for (int y = 0; y < bitmap.height; ++y)
            *to++ = bitmap.at(x, y);
    return columns;
}

std::vector<std::uint8_t> pixelsToRows(const std::vector<std::uint8_t>& stored, int width,
                                       int height, PixelOrder order) {
    if (order == PixelOrder::Rows)
        return stored;
    std::vector<std::uint8_t> rows(stored.size());
    std::size_t i = 0;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            rows[static_cast<std::size_t>(y * width + x)] = stored[i++];
    return rows;
}

std::size_t changesAlong(const GlyphBitmap& b, PixelOrder order) {
    // Each pixel against the one above it, or against the one before it less the steps from
    // one row's end to the next row's start: one pass over all pixels either way, which the
    // compiler runs on vectors.
    const std::uint8_t* p = b.pixels.data();
    const std::size_t n = b.pixels.size();
    const std::size_t w = static_cast<std::size_t>(b.width);
    if (n == 0)
        return 0;
    if (order == PixelOrder::Columns)
        return countDifferent(p + w, p, n - w);
    std::size_t changes = countDifferent(p + 1, p, n - 1);
    for (std::size_t i = w; i < n; i += w)
        changes -= p[i] != p[i - 1];
    return changes;
}

PixelOrder preferredOrder(const GlyphBitmap& glyph, const GlyphBitmap& shadow) {
    const std::size_t rows =
        changesAlong(glyph, PixelOrder::Rows) + changesAlong(shadow, PixelOrder::Rows);
    const std::size_t columns =
        changesAlong(glyph, PixelOrder::Columns) + changesAlong(shadow, PixelOrder::Columns);
    return columns < rows ? PixelOrder::Columns : PixelOrder::Rows;
}

void writeGlyphRecord(BitWriter& w, const PgfGlyph& glyph, const RecordTables& tables,
                      std::size_t glyphIndex, std::uint32_t shadowId, bool withShadow) {
    // Both bitmaps use the same order because one reader decodes shadows with the glyph's.
    const PixelOrder order = preferredOrder(glyph.bitmap, glyph.shadow);
    std::uint32_t flags = static_cast<std::uint32_t>(order) | layout::kAdvanceIndexed;
    if (tables.dimension.indexOfGlyph[glyphIndex] >= 0)
        flags |= layout::kDimensionIndexed;
    if (tables.xAdjust.indexOfGlyph[glyphIndex] >= 0)
        flags |= layout::kXAdjustIndexed;
    if (tables.yAdjust.indexOfGlyph[glyphIndex] >= 0)
        flags |= layout::kYAdjustIndexed;

    // Sizes lead each record but depend on the encoded pixels, so they are filled in last.
    w.alignToByte();
    const std::size_t recordStart = w.bitCount() / 8;
    w.put(0, 14); // record size
    putPlacement(w, glyph.bitmap);
    w.put(flags, 6);
    w.put(0, 7); // shadow flags: no reader gives them a meaning
    w.put(shadowId, 9);
    putMetric(w, tables.dimension, glyphIndex, dimensionOf(glyph.metrics));
    putMetric(w, tables.xAdjust, glyphIndex, xAdjustOf(glyph.metrics));
    putMetric(w, tables.yAdjust, glyphIndex, yAdjustOf(glyph.metrics));
    putMetric(w, tables.advance, glyphIndex, advanceOf(glyph.metrics));
    putPixels(w, glyph.bitmap, order);
    finishRecord(w, recordStart);
    if (!withShadow)
        return;

    // The shadow record follows the character record directly, at record start + size. Its
    // flags carry only the pixel order: a set metric bit would make one reader parse metrics.
    const std::size_t shadowStart = w.bitCount() / 8;
    w.put(0, 14); // record size
    putPlacement(w, glyph.shadow);
    w.put(static_cast<std::uint32_t>(order), 6);
    putPixels(w, glyph.shadow, order);
    finishRecord(w, shadowStart);
}

} // namespace korven::converter

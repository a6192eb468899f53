#include "converter/GlyphRecord.h"

#include "converter/BitStream.h"
#include "converter/Errors.h"
#include "converter/PgfLayout.h"
#include "converter/Rle.h"

namespace korven::converter {

namespace {

constexpr int kFixedHeaderBits = 64;
constexpr int kShadowHeaderBits = 48;

void putMetric(BitWriter& w, const MetricTable& table, std::size_t glyphIndex, MetricPair value) {
    const int index = table.indexOfGlyph[glyphIndex];
    if (index >= 0) {
        w.put(static_cast<std::uint32_t>(index), 8);
    } else {
        w.putSigned(value.h, 32);
        w.putSigned(value.v, 32);
    }
}

int metricBits(const MetricTable& table, std::size_t glyphIndex) {
    return table.indexOfGlyph[glyphIndex] >= 0 ? 8 : 64;
}

std::uint32_t checkedSize(std::size_t bits) {
    const std::size_t bytes = (bits + 7) / 8;
    if (bytes > static_cast<std::size_t>(limits::kMaxRecordBytes))
        throw ConversionError("a glyph record would exceed 16383 bytes");
    return static_cast<std::uint32_t>(bytes);
}

void putPlacement(BitWriter& w, const GlyphBitmap& b) {
    w.put(static_cast<std::uint32_t>(b.width), 7);
    w.put(static_cast<std::uint32_t>(b.height), 7);
    w.putSigned(b.left, 7);
    w.putSigned(b.top, 7);
}

void putNibbles(BitWriter& w, const std::vector<std::uint8_t>& nibbles) {
    w.putNibbles(nibbles);
    w.alignToByte();
}

} // namespace

std::vector<std::uint8_t> pixelsInOrder(const GlyphBitmap& bitmap, PixelOrder order) {
    if (order == PixelOrder::Rows)
        return bitmap.pixels;
    std::vector<std::uint8_t> out(bitmap.pixels.size());
    const std::size_t w = static_cast<std::size_t>(bitmap.width);
    const std::size_t h = static_cast<std::size_t>(bitmap.height);
    for (std::size_t y = 0; y < h; ++y)
        for (std::size_t x = 0; x < w; ++x)
            out[x * h + y] = bitmap.pixels[y * w + x];
    return out;
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
    // Flat loops over the whole bitmap, which vectorise: along rows, each pixel against the one
    // before it, less the steps from one row's end to the next row's start; along columns, each
    // pixel against the one above it.
    const std::uint8_t* p = b.pixels.data();
    const std::size_t n = b.pixels.size();
    const std::size_t w = static_cast<std::size_t>(b.width);
    std::size_t changes = 0;
    if (order == PixelOrder::Rows) {
        for (std::size_t i = 1; i < n; ++i)
            changes += p[i] != p[i - 1];
        for (std::size_t i = w; i < n; i += w)
            changes -= p[i] != p[i - 1];
    } else {
        for (std::size_t i = w; i < n; ++i)
            changes += p[i] != p[i - w];
    }
    return changes;
}

PixelOrder preferredOrder(const GlyphBitmap& glyph, const GlyphBitmap& shadow) {
    const std::size_t rows =
        changesAlong(glyph, PixelOrder::Rows) + changesAlong(shadow, PixelOrder::Rows);
    const std::size_t columns =
        changesAlong(glyph, PixelOrder::Columns) + changesAlong(shadow, PixelOrder::Columns);
    return columns < rows ? PixelOrder::Columns : PixelOrder::Rows;
}

std::vector<std::uint8_t> encodeGlyphRecord(const PgfGlyph& glyph, const RecordTables& tables,
                                            std::size_t glyphIndex, std::uint32_t shadowId) {
    // Both bitmaps use the same order because one reader decodes shadows with the glyph's.
    const PixelOrder order = preferredOrder(glyph.bitmap, glyph.shadow);
    auto nibblesOf = [order](const GlyphBitmap& b) {
        return order == PixelOrder::Rows ? encodeRle(b.pixels)
                                         : encodeRle(pixelsInOrder(b, PixelOrder::Columns));
    };
    const std::vector<std::uint8_t> glyphNibbles = nibblesOf(glyph.bitmap);
    const std::vector<std::uint8_t> shadowNibbles = nibblesOf(glyph.shadow);

    const int metricsBits =
        metricBits(tables.dimension, glyphIndex) + metricBits(tables.xAdjust, glyphIndex) +
        metricBits(tables.yAdjust, glyphIndex) + metricBits(tables.advance, glyphIndex);
    const std::uint32_t recordBytes = checkedSize(
        kFixedHeaderBits + static_cast<std::size_t>(metricsBits) + 4 * glyphNibbles.size());
    const std::uint32_t shadowBytes = checkedSize(kShadowHeaderBits + 4 * shadowNibbles.size());

    std::uint32_t flags = static_cast<std::uint32_t>(order) | layout::kAdvanceIndexed;
    if (tables.dimension.indexOfGlyph[glyphIndex] >= 0)
        flags |= layout::kDimensionIndexed;
    if (tables.xAdjust.indexOfGlyph[glyphIndex] >= 0)
        flags |= layout::kXAdjustIndexed;
    if (tables.yAdjust.indexOfGlyph[glyphIndex] >= 0)
        flags |= layout::kYAdjustIndexed;

    BitWriter w;
    w.put(recordBytes, 14);
    putPlacement(w, glyph.bitmap);
    w.put(flags, 6);
    w.put(0, 7); // shadow flags: no reader gives them a meaning
    w.put(shadowId, 9);
    putMetric(w, tables.dimension, glyphIndex, dimensionOf(glyph.metrics));
    putMetric(w, tables.xAdjust, glyphIndex, xAdjustOf(glyph.metrics));
    putMetric(w, tables.yAdjust, glyphIndex, yAdjustOf(glyph.metrics));
    putMetric(w, tables.advance, glyphIndex, advanceOf(glyph.metrics));
    putNibbles(w, glyphNibbles);

    // The shadow record follows the character record directly, at record start + size. Its
    // flags carry only the pixel order: a set metric bit would make one reader parse metrics.
    w.put(shadowBytes, 14);
    putPlacement(w, glyph.shadow);
    w.put(static_cast<std::uint32_t>(order), 6);
    putNibbles(w, shadowNibbles);
    return w.bytes();
}

} // namespace korven::converter

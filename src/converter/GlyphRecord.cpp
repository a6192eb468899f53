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

// Fills `out` with the bitmap's pixels in stored order, reading columns straight from the
// row-major pixels instead of transposing into another copy first.
void fillInOrder(RlePixels& out, const GlyphBitmap& b, PixelOrder order) {
    std::uint8_t* dst = out.reset(b.pixels.size());
    if (order == PixelOrder::Rows) {
        std::copy(b.pixels.begin(), b.pixels.end(), dst);
        return;
    }
    const std::size_t w = static_cast<std::size_t>(b.width);
    const std::size_t h = static_cast<std::size_t>(b.height);
    const std::uint8_t* src = b.pixels.data();
    for (std::size_t x = 0; x < w; ++x)
        for (std::size_t y = 0; y < h; ++y)
            *dst++ = src[y * w + x];
}

void putPixels(BitWriter& w, const GlyphBitmap& b, PixelOrder order) {
    thread_local RlePixels pixels; // reused: two bitmaps per glyph, hundreds of glyphs
    fillInOrder(pixels, b, order);
    pixels.writeTo(w);
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

void writeGlyphRecord(BitWriter& w, const PgfGlyph& glyph, const RecordTables& tables,
                      std::size_t glyphIndex, std::uint32_t shadowId) {
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

    // The shadow record follows the character record directly, at record start + size. Its
    // flags carry only the pixel order: a set metric bit would make one reader parse metrics.
    const std::size_t shadowStart = w.bitCount() / 8;
    w.put(0, 14); // record size
    putPlacement(w, glyph.shadow);
    w.put(static_cast<std::uint32_t>(order), 6);
    putPixels(w, glyph.shadow, order);
    finishRecord(w, shadowStart);
}

std::vector<std::uint8_t> encodeGlyphRecord(const PgfGlyph& glyph, const RecordTables& tables,
                                            std::size_t glyphIndex, std::uint32_t shadowId) {
    BitWriter w;
    writeGlyphRecord(w, glyph, tables, glyphIndex, shadowId);
    return w.release();
}

} // namespace korven::converter

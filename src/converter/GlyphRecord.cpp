#include "converter/GlyphRecord.h"

#include "converter/BitStream.h"
#include "converter/Errors.h"
#include "converter/PgfLayout.h"
#include "converter/Rle.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korven::converter {

namespace {

// Small fields gathered in a register and handed to the writer together: a record has a dozen
// of them, and the writer's bookkeeping for each call costs more than the bits themselves.
class Fields {
public:
    explicit Fields(BitWriter& out) : out_(out) {}
    Fields(const Fields&) = delete;
    Fields& operator=(const Fields&) = delete;
    ~Fields() { flush(); }

    void add(std::uint32_t value, int bits) {
        if (count_ + bits > 64)
            flush();
        packed_ |= std::uint64_t{value & ((std::uint64_t{1} << bits) - 1)} << count_;
        count_ += bits;
    }
    void addSigned(std::int32_t value, int bits) { add(static_cast<std::uint32_t>(value), bits); }

    void flush() {
        const int low = std::min(count_, 32);
        out_.put(static_cast<std::uint32_t>(packed_), low);
        out_.put(static_cast<std::uint32_t>(packed_ >> 32), count_ - low);
        packed_ = 0;
        count_ = 0;
    }

private:
    BitWriter& out_;
    std::uint64_t packed_ = 0;
    int count_ = 0;
};

void putMetric(Fields& f, const MetricTable& table, std::size_t glyphIndex, MetricPair value) {
    const int index = table.indexOfGlyph[glyphIndex];
    if (index >= 0) {
        f.add(static_cast<std::uint32_t>(index), 8);
    } else {
        f.addSigned(value.h, 32);
        f.addSigned(value.v, 32);
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

void putPlacement(Fields& f, const GlyphBitmap& b) {
    f.add(static_cast<std::uint32_t>(b.width), 7);
    f.add(static_cast<std::uint32_t>(b.height), 7);
    f.addSigned(b.left, 7);
    f.addSigned(b.top, 7);
}

#if defined(__SSE2__)
// Transposes the 8 x 8 block of bytes at `from`, rows `fromStride` apart, into `to`, rows
// `toStride` apart: three rounds of interleaving, bytes, then pairs, then fours.
void transposeBlock(const std::uint8_t* from, std::size_t fromStride, std::uint8_t* to,
                    std::size_t toStride) {
    auto row = [&](std::size_t y) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(from + y * fromStride));
    };
    const __m128i rows01 = _mm_unpacklo_epi8(row(0), row(1));
    const __m128i rows23 = _mm_unpacklo_epi8(row(2), row(3));
    const __m128i rows45 = _mm_unpacklo_epi8(row(4), row(5));
    const __m128i rows67 = _mm_unpacklo_epi8(row(6), row(7));
    const __m128i low0123 = _mm_unpacklo_epi16(rows01, rows23);
    const __m128i high0123 = _mm_unpackhi_epi16(rows01, rows23);
    const __m128i low4567 = _mm_unpacklo_epi16(rows45, rows67);
    const __m128i high4567 = _mm_unpackhi_epi16(rows45, rows67);
    const __m128i columnPairs[4] = {
        _mm_unpacklo_epi32(low0123, low4567), _mm_unpackhi_epi32(low0123, low4567),
        _mm_unpacklo_epi32(high0123, high4567), _mm_unpackhi_epi32(high0123, high4567)};
    for (std::size_t k = 0; k < 4; ++k) {
        const __m128i pair = columnPairs[k];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 2 * k * toStride), pair);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to + (2 * k + 1) * toStride),
                         _mm_unpackhi_epi64(pair, pair));
    }
}
#endif

// Column by column: the pixels of a row-major bitmap transposed. At least 8 pixels each way,
// it is covered with 8 x 8 blocks transposed in registers, the last block of each row and
// column moved back to end at the edge: blocks that overlap write the same pixels twice, which
// costs less than moving the pixels left over one by one. Smaller bitmaps go pixel by pixel.
void transpose(const std::uint8_t* src, std::size_t w, std::size_t h, std::uint8_t* dst) {
#if defined(__SSE2__)
    if (w >= 8 && h >= 8) {
        for (std::size_t y = 0; y < h; y += 8) {
            const std::size_t top = std::min(y, h - 8);
            for (std::size_t x = 0; x < w; x += 8) {
                const std::size_t left = std::min(x, w - 8);
                transposeBlock(src + top * w + left, w, dst + left * h + top, h);
            }
        }
        return;
    }
#endif
    for (std::size_t x = 0; x < w; ++x)
        for (std::size_t y = 0; y < h; ++y)
            dst[x * h + y] = src[y * w + x];
}

// Fills `out` with the bitmap's pixels in stored order, reading columns straight from the
// row-major pixels instead of transposing into another copy first.
void fillInOrder(RlePixels& out, const GlyphBitmap& b, PixelOrder order) {
    std::uint8_t* dst = out.reset(b.pixels.size());
    if (order == PixelOrder::Rows)
        std::copy(b.pixels.begin(), b.pixels.end(), dst);
    else
        transpose(b.pixels.data(), static_cast<std::size_t>(b.width),
                  static_cast<std::size_t>(b.height), dst);
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
    transpose(bitmap.pixels.data(), static_cast<std::size_t>(bitmap.width),
              static_cast<std::size_t>(bitmap.height), out.data());
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

namespace {
// How many of the n byte pairs a[i], b[i] differ.
std::size_t countDifferent(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    std::size_t equal = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen pairs at a time: equal bytes compare to 0xFF, and summing the bytes of the
    // comparison counts 255 for each, with no widening of the counts lane by lane.
    const __m128i zero = _mm_setzero_si128();
    __m128i sums = zero;
    for (; i + 16 <= n; i += 16) {
        const __m128i same =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)),
                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i)));
        sums = _mm_add_epi64(sums, _mm_sad_epu8(same, zero));
    }
    const auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums));
    const auto high = static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
    equal = static_cast<std::size_t>((low + high) / 255);
#endif
    for (; i < n; ++i)
        equal += a[i] == b[i];
    return n - equal;
}
} // namespace

std::size_t changesAlong(const GlyphBitmap& b, PixelOrder order) {
    // Along rows, each pixel against the one before it, less the steps from one row's end to
    // the next row's start; along columns, each pixel against the one above it.
    const std::uint8_t* p = b.pixels.data();
    const std::size_t n = b.pixels.size();
    const std::size_t w = static_cast<std::size_t>(b.width);
    if (n == 0 || w == 0)
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
    {
        Fields f(w);
        f.add(0, 14); // record size
        putPlacement(f, glyph.bitmap);
        f.add(flags, 6);
        f.add(0, 7); // shadow flags: no reader gives them a meaning
        f.add(shadowId, 9);
        putMetric(f, tables.dimension, glyphIndex, dimensionOf(glyph.metrics));
        putMetric(f, tables.xAdjust, glyphIndex, xAdjustOf(glyph.metrics));
        putMetric(f, tables.yAdjust, glyphIndex, yAdjustOf(glyph.metrics));
        putMetric(f, tables.advance, glyphIndex, advanceOf(glyph.metrics));
    }
    putPixels(w, glyph.bitmap, order);
    finishRecord(w, recordStart);

    // The shadow record follows the character record directly, at record start + size. Its
    // flags carry only the pixel order: a set metric bit would make one reader parse metrics.
    const std::size_t shadowStart = w.bitCount() / 8;
    {
        Fields f(w);
        f.add(0, 14); // record size
        putPlacement(f, glyph.shadow);
        f.add(static_cast<std::uint32_t>(order), 6);
    }
    putPixels(w, glyph.shadow, order);
    finishRecord(w, shadowStart);
}

} // namespace korven::converter

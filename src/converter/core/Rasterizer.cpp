#include "converter/core/Rasterizer.h"

#include "converter/core/CharacterSet.h"
#include "converter/core/DivideBy255.h"
#include "converter/core/Errors.h"

#include FT_SYNTHESIS_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace korven::converter {

namespace {

void appendCoverage(const FT_Bitmap& bitmap, std::vector<std::uint8_t>& out) {
    const int width = static_cast<int>(bitmap.width);
    const int rows = static_cast<int>(bitmap.rows);
    const int stride = std::abs(bitmap.pitch);
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    const int grays = bitmap.num_grays > 1 ? bitmap.num_grays : 256;
    const std::size_t start = out.size();
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(rows);
    if (!mono && grays == 256 && bitmap.pitch == width) {
        // The usual case, rows without gaps from the top: one copy instead of one per row.
        out.insert(out.end(), bitmap.buffer, bitmap.buffer + size);
        return;
    }
    out.resize(start + size);
    for (int y = 0; y < rows; ++y) {
        // A negative pitch means the buffer starts with the bottom row.
        const int memoryRow = bitmap.pitch >= 0 ? y : rows - 1 - y;
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(memoryRow) * stride;
        std::uint8_t* dst =
            out.data() + start + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        if (mono) {
            for (int x = 0; x < width; ++x)
                dst[x] = ((row[x / 8] >> (7 - x % 8)) & 1) ? 255 : 0;
        } else if (grays == 256) {
            std::copy(row, row + width, dst);
        } else {
            for (int x = 0; x < width; ++x)
                dst[x] = static_cast<std::uint8_t>(row[x] * 255 / (grays - 1));
        }
    }
}

// The glyph's ink box, measured from its outline and grid-fitted as FreeType measures a hinted
// glyph, so that the metrics describe the bitmap drawn.
void measureOutline(FT_GlyphSlot slot) {
    if (slot->outline.n_points == 0)
        return;
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    const FT_Pos left = box.xMin & ~FT_Pos{63};
    const FT_Pos bottom = box.yMin & ~FT_Pos{63};
    const FT_Pos right = (box.xMax + 63) & ~FT_Pos{63};
    const FT_Pos top = (box.yMax + 63) & ~FT_Pos{63};
    slot->metrics.width = right - left;
    slot->metrics.height = top - bottom;
    slot->metrics.horiBearingX = left;
    slot->metrics.horiBearingY = top;
}

// FreeType's own synthesis, as its drivers apply it to a face that lacks a style. Emboldening
// widens the advance by its strength; slanting keeps the advance. Neither keeps the ink box
// (slanting does not touch it at all), so the box is measured again from the changed outline.
void synthesize(FT_GlyphSlot slot, FaceSynthesis synthesis) {
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE)
        return;
    if (synthesis.embolden)
        FT_GlyphSlot_Embolden(slot);
    if (synthesis.slant)
        FT_GlyphSlot_Oblique(slot);
    measureOutline(slot);
}

// Scales and shifts the outline, and measures it again as synthesize does.
void applyChange(FT_GlyphSlot slot, const OutlineChange& change) {
    slot->metrics.horiAdvance = change.advance;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE)
        return;
    constexpr double kOne16_16 = 65536.0;
    FT_Matrix matrix = {static_cast<FT_Fixed>(std::lround(change.scaleX * kOne16_16)), 0, 0,
                        static_cast<FT_Fixed>(std::lround(change.scaleY * kOne16_16))};
    FT_Outline_Transform(&slot->outline, &matrix);
    FT_Outline_Translate(&slot->outline, static_cast<FT_Pos>(std::lround(change.shiftX)), 0);
    measureOutline(slot);
}

} // namespace

std::int32_t saturated(FT_Pos value) {
    return static_cast<std::int32_t>(std::clamp<FT_Pos>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void setPixelSize(FT_Face face, int pixelsPerEm) {
    if (!FT_IS_SCALABLE(face))
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " has no outlines, only bitmaps, and cannot be scaled");
    if (FT_Set_Char_Size(face, 0, pointSize26_6(pixelsPerEm), kDpi, kDpi) != 0)
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " is damaged: it cannot be scaled to " + std::to_string(pixelsPerEm) +
                              " pixels");
}

void setEmSize(FT_Face face, std::int32_t emSize26_6) {
    // At 72 dpi a point is a pixel, so the char size is the em in 26.6 pixels itself.
    constexpr FT_UInt kPointPerPixel = 72;
    if (!FT_IS_SCALABLE(face) ||
        FT_Set_Char_Size(face, 0, emSize26_6, kPointPerPixel, kPointPerPixel) != 0)
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " is damaged: it cannot be scaled to " +
                              std::to_string(emSize26_6 / 64.0) + " pixels");
}

bool renderCodePoint(FT_Face face, char32_t codePoint, RenderedGlyph& g,
                     std::vector<std::uint8_t>& coverage, FaceSynthesis synthesis,
                     const OutlineChange* change) {
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0)
        return false;
    FT_Error error = FT_Load_Glyph(face, index, kLoadFlags);
    const FT_GlyphSlot slot = face->glyph;
    if (!error && (synthesis.embolden || synthesis.slant))
        synthesize(slot, synthesis);
    if (!error && change)
        applyChange(slot, *change);
    const FT_Glyph_Metrics& m = slot->metrics;
    g.tooLarge = false;
    g.width = g.height = g.left = g.top = 0;
    g.coverageAt = coverage.size();
    g.metrics = {saturated(m.width),        saturated(m.height),       saturated(m.horiBearingX),
                 saturated(m.horiBearingY), saturated(m.vertBearingX), saturated(m.vertBearingY),
                 saturated(m.horiAdvance),  saturated(m.vertAdvance)};
    // A glyph far beyond the format's 127 pixels is not drawn at all: rendering it could take
    // a great deal of time and memory only to be thrown away.
    constexpr FT_Pos kLargest = (limits::kMaxBitmapSide + 2) * 64;
    if (!error && (m.width > kLargest || m.height > kLargest)) {
        g.tooLarge = true;
        return true;
    }
    if (!error)
        error = FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL);
    if (error)
        throw ConversionError(std::string(ConversionError::kFontName) +
                              " is damaged or cut short: character " + codePointName(codePoint) +
                              " cannot be drawn");
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        throw ConversionError("FreeType produced an unexpected pixel format");
    if (static_cast<int>(bitmap.width) > limits::kMaxBitmapSide + 2 ||
        static_cast<int>(bitmap.rows) > limits::kMaxBitmapSide + 2) {
        g.tooLarge = true;
        return true;
    }
    g.width = static_cast<int>(bitmap.width);
    g.height = static_cast<int>(bitmap.rows);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    appendCoverage(bitmap, coverage);
    return true;
}

namespace {
// quantizeLevel with the division by 255 done by shifts, so that the loop over a bitmap runs
// on vectors of sixteen.
constexpr std::uint8_t levelByShifts(std::uint16_t coverage) {
    return static_cast<std::uint8_t>(divideBy255(static_cast<std::uint16_t>(coverage * 15 + 127)));
}

constexpr bool shiftsMatchTheDivision() {
    for (int c = 0; c < 256; ++c)
        if (levelByShifts(static_cast<std::uint16_t>(c)) !=
            quantizeLevel(static_cast<std::uint8_t>(c)))
            return false;
    return true;
}
static_assert(shiftsMatchTheDivision());
} // namespace

std::vector<std::uint8_t> quantize(std::span<const std::uint8_t> coverage) {
    std::vector<std::uint8_t> out(coverage.size());
    // Plain pointers: a byte store through the vector could, as far as the compiler knows,
    // change the vector itself, which would keep the loop from running on vectors.
    const std::uint8_t* __restrict in = coverage.data();
    std::uint8_t* __restrict levels = out.data();
    for (std::size_t i = 0, n = coverage.size(); i < n; ++i)
        levels[i] = levelByShifts(in[i]);
    return out;
}

} // namespace korven::converter

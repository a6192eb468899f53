#include "converter/Shadow.h"

#include <algorithm>
#include <cmath>

namespace korven::converter {

namespace {

// Weights in 1/128 keep every product of coverage (0..255) and weight within 16 signed bits,
// so the passes run on short integers, which the compiler turns into wide vector operations.
constexpr int kWeightOne = 128;
using Level = std::int16_t;

// Weight of ink d pixels away, in 1/128: 1 at the ink, 1/peak at the radius, so the shadow ends
// on level 1 whatever the radius.
std::vector<Level> falloff(int reach, double radius) {
    std::vector<Level> weights;
    for (int d = 0; d <= reach; ++d) {
        const double w = 1.0 - (1.0 - 1.0 / kShadowPeak) * (radius > 0 ? d / radius : 0.0);
        weights.push_back(static_cast<Level>(std::lround(std::max(0.0, w) * kWeightOne)));
    }
    return weights;
}

// The strongest weighted neighbour along one axis: out[i] = max over d of in[i + d * step] *
// weight(d), for d from -reach to reach. Taking the maximum instead of a sum keeps thin strokes
// as dark as thick ones. The caller pads `in` with zeros so that no index leaves it and no line
// reaches into the next; the whole bitmap is then one long loop per offset, which the compiler
// turns into wide vector operations.
void spread(const std::vector<Level>& in, std::size_t first, std::size_t count, std::size_t step,
            const std::vector<Level>& weights, std::vector<Level>& out) {
    const int reach = static_cast<int>(weights.size()) - 1;
    out.assign(count, 0);
    Level* __restrict o = out.data();
    for (int d = -reach; d <= reach; ++d) {
        const Level w = weights[static_cast<std::size_t>(std::abs(d))];
        const Level* __restrict src =
            in.data() + first + static_cast<std::ptrdiff_t>(d) * static_cast<std::ptrdiff_t>(step);
        for (std::size_t i = 0; i < count; ++i)
            o[i] = std::max(o[i], static_cast<Level>(src[i] * w));
    }
}

// Drops outer rows and columns that hold no shadow. Rows are OR-ed together first, so the
// scan stays a few simple passes over the pixels.
GlyphBitmap trimmed(GlyphBitmap b) {
    std::vector<std::uint8_t> anyInColumn(static_cast<std::size_t>(b.width), 0);
    int y0 = b.height, y1 = -1;
    for (int y = 0; y < b.height; ++y) {
        const std::uint8_t* row = &b.pixels[static_cast<std::size_t>(y * b.width)];
        std::uint8_t any = 0;
        for (int x = 0; x < b.width; ++x) {
            anyInColumn[static_cast<std::size_t>(x)] |= row[x];
            any |= row[x];
        }
        if (any != 0) {
            y0 = std::min(y0, y);
            y1 = y;
        }
    }
    GlyphBitmap out;
    out.left = b.left;
    out.top = b.top;
    if (y1 < 0)
        return out;
    int x0 = 0, x1 = b.width - 1;
    while (anyInColumn[static_cast<std::size_t>(x0)] == 0)
        ++x0;
    while (anyInColumn[static_cast<std::size_t>(x1)] == 0)
        --x1;
    if (x0 == 0 && y0 == 0 && x1 == b.width - 1 && y1 == b.height - 1)
        return b; // the common case: nothing to trim, no copy
    out.width = x1 - x0 + 1;
    out.height = y1 - y0 + 1;
    out.left = b.left + x0;
    out.top = b.top - y0;
    out.pixels.reserve(static_cast<std::size_t>(out.width * out.height));
    for (int y = y0; y <= y1; ++y) {
        const auto row = b.pixels.begin() + static_cast<std::ptrdiff_t>(y * b.width);
        out.pixels.insert(out.pixels.end(), row + x0, row + x1 + 1);
    }
    return out;
}

} // namespace

GlyphBitmap makeShadow(const std::vector<std::uint8_t>& coverage, int width, int height, int left,
                       int top, double radius) {
    if (width <= 0 || height <= 0) {
        GlyphBitmap empty;
        empty.left = left;
        empty.top = top;
        return empty;
    }
    const int reach = static_cast<int>(std::floor(radius));
    const int w = width + 2 * reach;
    const int h = height + 2 * reach;
    const std::vector<Level> weights = falloff(reach, radius);

    // Coverage rows with 2 * reach zeros on each side. Output column ox of row y (ox counts
    // from the shadow's left edge, reach left of the glyph) sits at y * stride + ox + reach.
    const std::size_t r = static_cast<std::size_t>(reach);
    const std::size_t stride = static_cast<std::size_t>(width) + 4 * r;
    const std::size_t rowsSize = stride * static_cast<std::size_t>(height);
    // Scratch buffers live as long as the thread: a font has hundreds of glyphs, and allocating
    // four buffers for each costs about as much as the arithmetic.
    thread_local std::vector<Level> padded, across, columns, both;
    padded.assign(rowsSize + 2 * r, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            padded[r + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) + 2 * r] =
                coverage[static_cast<std::size_t>(y * width + x)];
    spread(padded, r, rowsSize, 1, weights, across);

    // The horizontal result, scaled down so the second pass's products stay within 16 bits,
    // with 2 * reach empty rows above and below for the vertical pass.
    const std::size_t cw = static_cast<std::size_t>(w);
    columns.assign(cw * (static_cast<std::size_t>(height) + 4 * r), 0);
    for (int y = 0; y < height; ++y)
        for (std::size_t ox = 0; ox < cw; ++ox)
            columns[(static_cast<std::size_t>(y) + 2 * r) * cw + ox] = static_cast<Level>(
                across[static_cast<std::size_t>(y) * stride + ox + r] / kWeightOne);
    spread(columns, r * cw, cw * static_cast<std::size_t>(h), cw, weights, both);

    GlyphBitmap shadow;
    shadow.width = w;
    shadow.height = h;
    shadow.left = left - reach;
    shadow.top = top + reach;
    shadow.pixels.resize(both.size());
    constexpr int kFull = 255 * kWeightOne;
    for (std::size_t i = 0; i < both.size(); ++i)
        shadow.pixels[i] = static_cast<std::uint8_t>((both[i] * kShadowPeak + kFull / 2) / kFull);
    return trimmed(std::move(shadow));
}

} // namespace korven::converter

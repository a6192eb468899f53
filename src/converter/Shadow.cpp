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

// The strongest weighted neighbour along one axis. Taking the maximum instead of a sum keeps
// thin strokes as dark as thick ones; done once per axis, it stays cheap. `in` has `reach`
// zero lines or columns on both sides of the `out` area, so the loops need no bounds checks.
void spreadRows(const std::vector<Level>& in, int inStride, std::vector<Level>& out, int width,
                int height, const std::vector<Level>& weights) {
    const int reach = static_cast<int>(weights.size()) - 1;
    for (int y = 0; y < height; ++y) {
        Level* __restrict o = &out[static_cast<std::size_t>(y * width)];
        const Level* row = &in[static_cast<std::size_t>(y * inStride)];
        for (int d = -reach; d <= reach; ++d) {
            const Level w = weights[static_cast<std::size_t>(std::abs(d))];
            const Level* __restrict src = row + reach + d;
            for (int x = 0; x < width; ++x)
                o[x] = std::max(o[x], static_cast<Level>(src[x] * w));
        }
    }
}

void spreadColumns(const std::vector<Level>& in, std::vector<Level>& out, int width, int height,
                   const std::vector<Level>& weights) {
    const int reach = static_cast<int>(weights.size()) - 1;
    for (int y = 0; y < height; ++y) {
        Level* __restrict o = &out[static_cast<std::size_t>(y * width)];
        for (int d = -reach; d <= reach; ++d) {
            const Level w = weights[static_cast<std::size_t>(std::abs(d))];
            const Level* __restrict src = &in[static_cast<std::size_t>((y + reach + d) * width)];
            for (int x = 0; x < width; ++x)
                o[x] = std::max(o[x], static_cast<Level>(src[x] * w));
        }
    }
}

GlyphBitmap trimmed(const GlyphBitmap& b) {
    int x0 = b.width, x1 = -1, y0 = b.height, y1 = -1;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            if (b.at(x, y) != 0) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    GlyphBitmap out;
    out.left = b.left;
    out.top = b.top;
    if (x1 < 0)
        return out;
    out.width = x1 - x0 + 1;
    out.height = y1 - y0 + 1;
    out.left = b.left + x0;
    out.top = b.top - y0;
    out.pixels.reserve(static_cast<std::size_t>(out.width * out.height));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            out.pixels.push_back(b.at(x, y));
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

    // Coverage with 2 * reach empty columns on each side, for the horizontal pass.
    const int inStride = width + 4 * reach;
    std::vector<Level> coverageRows(static_cast<std::size_t>(inStride * height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            coverageRows[static_cast<std::size_t>(y * inStride + x + 2 * reach)] =
                coverage[static_cast<std::size_t>(y * width + x)];

    // Horizontal pass into the middle rows of a canvas with 2 * reach empty rows above and
    // below, scaled down so the second pass's products stay far from overflow.
    std::vector<Level> across(static_cast<std::size_t>(w * (height + 4 * reach)), 0);
    std::vector<Level> rows(static_cast<std::size_t>(w * height), 0);
    spreadRows(coverageRows, inStride, rows, w, height, weights);
    for (std::size_t i = 0; i < rows.size(); ++i)
        across[static_cast<std::size_t>(2 * reach * w) + i] =
            static_cast<Level>(rows[i] / kWeightOne);

    std::vector<Level> both(static_cast<std::size_t>(w * h), 0);
    spreadColumns(across, both, w, h, weights);

    GlyphBitmap shadow;
    shadow.width = w;
    shadow.height = h;
    shadow.left = left - reach;
    shadow.top = top + reach;
    shadow.pixels.resize(both.size());
    constexpr int kFull = 255 * kWeightOne;
    for (std::size_t i = 0; i < both.size(); ++i)
        shadow.pixels[i] = static_cast<std::uint8_t>((both[i] * kShadowPeak + kFull / 2) / kFull);
    return trimmed(shadow);
}

} // namespace korven::converter

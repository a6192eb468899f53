#include "converter/Shadow.h"

#include <algorithm>
#include <cmath>

namespace korven::converter {

namespace {

constexpr int kWeightOne = 256;

// Weight of ink d pixels away, in 1/256: 1 at the ink, 1/peak at the radius, so the shadow ends
// on level 1 whatever the radius.
std::vector<int> falloff(int reach, double radius) {
    std::vector<int> weights;
    for (int d = 0; d <= reach; ++d) {
        const double w = 1.0 - (1.0 - 1.0 / kShadowPeak) * (radius > 0 ? d / radius : 0.0);
        weights.push_back(static_cast<int>(std::lround(std::max(0.0, w) * kWeightOne)));
    }
    return weights;
}

// The strongest weighted neighbour along one axis. Taking the maximum instead of a sum keeps
// thin strokes as dark as thick ones; done once per axis, it stays cheap.
void spread(const std::vector<int>& in, std::vector<int>& out, int length, int lines, int step,
            int lineStep, const std::vector<int>& weights) {
    const int reach = static_cast<int>(weights.size()) - 1;
    for (int line = 0; line < lines; ++line) {
        const int base = line * lineStep;
        for (int i = 0; i < length; ++i) {
            int best = 0;
            const int from = std::max(0, i - reach);
            const int to = std::min(length - 1, i + reach);
            for (int j = from; j <= to; ++j)
                best = std::max(best, in[static_cast<std::size_t>(base + j * step)] *
                                          weights[static_cast<std::size_t>(std::abs(i - j))]);
            out[static_cast<std::size_t>(base + i * step)] = best;
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
    std::vector<int> canvas(static_cast<std::size_t>(w * h), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas[static_cast<std::size_t>((y + reach) * w + x + reach)] =
                coverage[static_cast<std::size_t>(y * width + x)];

    const std::vector<int> weights = falloff(reach, radius);
    std::vector<int> across(canvas.size());
    spread(canvas, across, w, h, 1, w, weights);
    // Scale down between the passes so the products stay far from overflow.
    for (int& v : across)
        v /= kWeightOne;
    spread(across, canvas, h, w, w, 1, weights);

    GlyphBitmap shadow;
    shadow.width = w;
    shadow.height = h;
    shadow.left = left - reach;
    shadow.top = top + reach;
    shadow.pixels.resize(canvas.size());
    constexpr int kFull = 255 * kWeightOne;
    for (std::size_t i = 0; i < canvas.size(); ++i)
        shadow.pixels[i] = static_cast<std::uint8_t>((canvas[i] * kShadowPeak + kFull / 2) / kFull);
    return trimmed(shadow);
}

} // namespace korven::converter

#include "converter/core/Shadow.h"

#include "converter/core/DivideBy255.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korven::converter {

namespace {

// Weights are kept in 1/128, the precision the shadow levels have always been computed with,
// so that the same font gives the same file.
constexpr int kWeightOne = 128;
constexpr int kMaxReach = 16;
constexpr int kFull = 255 * kWeightOne;

// Coverage (at most 255) times a weight (at most 128) fits in 16 bits, which lets the compiler
// run the passes on vectors of 16-bit values.
using Level = std::uint16_t;

// Weight of ink d pixels away, in 1/128: 1 at the ink, 1/peak at the radius, so the shadow ends
// on level 1 whatever the radius.
Level falloff(int d, double radius) {
    const double w = 1.0 - (1.0 - 1.0 / kShadowPeak) * (radius > 0 ? d / radius : 0.0);
    return static_cast<Level>(std::lround(std::max(0.0, w) * kWeightOne));
}

// The shadow level of a filtered value s (at most 255 * 128): (s * peak + full / 2) / full with
// full = 255 * 128, divided through by the peak of 8 and then by 16, leaving a division by 255
// that is done with shifts. Every step stays within 16 bits.
constexpr Level levelOf(Level s) {
    static_assert(kShadowPeak == 8 && kFull % (kShadowPeak * 16) == 0);
    constexpr Level kStep = kFull / kShadowPeak;
    const auto sixteenths = static_cast<Level>((s + kStep / 2) >> 4);
    return divideBy255(sixteenths);
}

constexpr bool levelsMatchTheDivision() {
    for (int s = 0; s <= kFull; ++s)
        if (levelOf(static_cast<Level>(s)) != (s * kShadowPeak + kFull / 2) / kFull)
            return false;
    return true;
}
static_assert(levelsMatchTheDivision());

// out[i] = the strongest of in[i + k * step] * weights[k] over the offsets k, for `count`
// outputs. `in` has room for every offset, so the loop checks no bounds and runs on vectors.
template <typename In>
void strongestWeighted(const In* in, std::size_t step, const std::vector<Level>& weights,
                       Level* out, std::size_t count) {
    std::fill_n(out, count, Level{0});
    for (std::size_t k = 0; k < weights.size(); ++k) {
        const Level weight = weights[k];
        const In* from = in + k * step;
        for (std::size_t i = 0; i < count; ++i)
            out[i] = std::max(out[i], static_cast<Level>(from[i] * weight));
    }
}

// The first and last index in [0, n) where `nonzero(i)` holds; first > last when nowhere.
template <typename Nonzero>
std::pair<std::size_t, std::size_t> extent(std::size_t n, Nonzero nonzero) {
    std::size_t first = 0;
    while (first < n && !nonzero(first))
        ++first;
    std::size_t last = n;
    while (last > first && !nonzero(last - 1))
        --last;
    return {first, last - 1};
}

} // namespace

GlyphBitmap makeShadow(std::span<const std::uint8_t> coverage, int width, int height, int left,
                       int top, double radius) {
    GlyphBitmap shadow;
    shadow.left = left;
    shadow.top = top;
    if (width <= 0 || height <= 0)
        return shadow;
    const int reach = std::min(kMaxReach, static_cast<int>(std::floor(radius)));
    std::vector<Level> weights;
    for (int d = -reach; d <= reach; ++d)
        weights.push_back(falloff(std::abs(d), radius));

    // The filter runs in two passes, along rows and then along columns, each taking the
    // strongest weighted neighbour. Taking the maximum instead of a sum keeps thin strokes as
    // dark as thick ones. The shadow is w x h, reaching `reach` pixels beyond the glyph on every
    // side, and each output reads `reach` pixels further still.
    const std::size_t r = static_cast<std::size_t>(reach);
    const std::size_t gw = static_cast<std::size_t>(width);
    const std::size_t gh = static_cast<std::size_t>(height);
    const std::size_t w = gw + 2 * r;
    const std::size_t h = gh + 2 * r;

    // Each pass is one loop over all its outputs instead of one per row: short rows would spend
    // more on starting and ending loops than on the pixels. For that, the row pass reads rows
    // w apart, each starting with 2 * reach zeros, so output column x reads coverage columns
    // x - 2 * reach .. x, and whatever it reads past the end of its row is the zeros that start
    // the next one (or the zeros after the last).
    std::vector<std::uint8_t> rows(w * gh + 2 * r, 0);
    for (std::size_t y = 0; y < gh; ++y)
        std::copy_n(coverage.data() + y * gw, gw, rows.data() + y * w + 2 * r);
    // The row pass, scaled back to coverage units so that the column pass's products also fit,
    // between 2 * reach empty rows above and below for the column pass to read.
    std::vector<Level> across((gh + 4 * r) * w, 0);
    Level* const acrossGlyph = across.data() + 2 * r * w;
    strongestWeighted(rows.data(), 1, weights, acrossGlyph, w * gh);
    for (std::size_t i = 0; i < w * gh; ++i)
        acrossGlyph[i] = static_cast<Level>(acrossGlyph[i] / kWeightOne);
    // The column pass, ending in shadow levels.
    std::vector<Level> levels(w * h);
    strongestWeighted(across.data(), w, weights, levels.data(), w * h);
    for (Level& level : levels)
        level = levelOf(level);

    // Outer rows and columns without shadow are left out.
    auto rowHasShadow = [&](std::size_t y) {
        return std::any_of(levels.begin() + static_cast<std::ptrdiff_t>(y * w),
                           levels.begin() + static_cast<std::ptrdiff_t>((y + 1) * w),
                           [](Level v) { return v != 0; });
    };
    const std::pair<std::size_t, std::size_t> shadowRows = extent(h, rowHasShadow);
    const std::size_t y0 = shadowRows.first, y1 = shadowRows.second;
    if (y0 > y1) {
        shadow.left = left - reach;
        shadow.top = top + reach;
        return shadow;
    }
    auto columnHasShadow = [&](std::size_t x) {
        for (std::size_t y = y0; y <= y1; ++y)
            if (levels[y * w + x] != 0)
                return true;
        return false;
    };
    const auto [x0, x1] = extent(w, columnHasShadow);
    shadow.width = static_cast<int>(x1 - x0 + 1);
    shadow.height = static_cast<int>(y1 - y0 + 1);
    shadow.left = left - reach + static_cast<int>(x0);
    shadow.top = top + reach - static_cast<int>(y0);
    shadow.pixels.resize((x1 - x0 + 1) * (y1 - y0 + 1));
    std::uint8_t* to = shadow.pixels.data();
    for (std::size_t y = y0; y <= y1; ++y)
        for (std::size_t x = x0; x <= x1; ++x)
            *to++ = static_cast<std::uint8_t>(levels[y * w + x]);
    return shadow;
}

} // namespace korven::converter

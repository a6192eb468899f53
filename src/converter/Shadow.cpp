#include "converter/Shadow.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korven::converter {

namespace {

// Weights are kept in 1/128, the precision the shadow levels have always been computed with,
// so that the same font gives the same file.
constexpr int kWeightOne = 128;
constexpr int kMaxReach = 16;
constexpr int kFull = 255 * kWeightOne;

// Weight of ink d pixels away, in 1/128: 1 at the ink, 1/peak at the radius, so the shadow ends
// on level 1 whatever the radius.
int falloff(int d, double radius) {
    const double w = 1.0 - (1.0 - 1.0 / kShadowPeak) * (radius > 0 ? d / radius : 0.0);
    return static_cast<int>(std::lround(std::max(0.0, w) * kWeightOne));
}

using Level = std::uint16_t;

// The falloff for offsets -reach..reach from the ink, so a pass is one loop per offset.
struct Weights {
    double radius = -1;
    int reach = 0;
    std::array<Level, 2 * kMaxReach + 1> byOffset{};
};

const Weights& weightsFor(double radius) {
    // A font is converted with one radius, so this is worked out once per conversion.
    thread_local Weights weights;
    if (weights.radius == radius)
        return weights;
    weights.radius = radius;
    weights.reach = std::min(kMaxReach, static_cast<int>(std::floor(radius)));
    for (int d = -weights.reach; d <= weights.reach; ++d)
        weights.byOffset[static_cast<std::size_t>(d + weights.reach)] =
            static_cast<Level>(falloff(std::abs(d), radius));
    return weights;
}

// The strongest weighted neighbour: out[i] = max over k of in[i + k * step] * weight[k], for the
// 2 * reach + 1 offsets k. Taking the maximum instead of a sum keeps thin strokes as dark as
// thick ones. Coverage times weight stays below 2^15, so short integers suffice. `in` has room
// for every offset, so no bounds are checked, and `count` is a whole number of vectors, so the
// loops run without a scalar tail; on bitmaps this small the tail would cost as much as the rest.
void strongest(const Level* in, std::size_t step, const Weights& weights, Level* out,
               std::size_t count) {
    const std::size_t offsets = static_cast<std::size_t>(2 * weights.reach + 1);
    Level* __restrict o = out;
    {
        const Level weight = weights.byOffset[0];
        const Level* __restrict src = in;
        for (std::size_t i = 0; i < count; ++i)
            o[i] = static_cast<Level>(src[i] * weight);
    }
    for (std::size_t k = 1; k < offsets; ++k) {
        const Level weight = weights.byOffset[k];
        const Level* __restrict src = in + k * step;
        for (std::size_t i = 0; i < count; ++i)
            o[i] = std::max(o[i], static_cast<Level>(src[i] * weight));
    }
}

// The smallest box of a stride-laid-out level bitmap that holds every nonzero level.
struct Box {
    std::size_t x0, y0, x1, y1; // inclusive; empty when y1 < y0
};

Box inkBox(const Level* levels, std::size_t stride, std::size_t w, std::size_t h) {
    // Rows are OR-ed together first: a few branch-free passes instead of a test per pixel.
    thread_local std::vector<Level> anyInColumn;
    anyInColumn.assign(w, 0);
    Level* __restrict columns = anyInColumn.data();
    Box box{0, h, w - 1, 0};
    for (std::size_t y = 0; y < h; ++y) {
        const Level* __restrict row = levels + y * stride;
        Level any = 0;
        for (std::size_t x = 0; x < w; ++x) {
            columns[x] = static_cast<Level>(columns[x] | row[x]);
            any = static_cast<Level>(any | row[x]);
        }
        if (any != 0) {
            box.y0 = std::min(box.y0, y);
            box.y1 = y;
        }
    }
    if (box.y0 == h)
        return box;
    while (columns[box.x0] == 0)
        ++box.x0;
    while (columns[box.x1] == 0)
        --box.x1;
    return box;
}

} // namespace

// The passes are short loops over 16-bit values; where the processor has 256-bit vectors, a
// second copy of this function uses them and the loader picks the copy once at start-up.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
__attribute__((target_clones("avx2", "default")))
#endif
GlyphBitmap
makeShadow(const std::vector<std::uint8_t>& coverage, int width, int height, int left, int top,
           double radius) {
    GlyphBitmap shadow;
    shadow.left = left;
    shadow.top = top;
    if (width <= 0 || height <= 0)
        return shadow;
    const Weights& weights = weightsFor(radius);
    const std::size_t r = static_cast<std::size_t>(weights.reach);
    const std::size_t gw = static_cast<std::size_t>(width);
    const std::size_t gh = static_cast<std::size_t>(height);
    const std::size_t w = gw + 2 * r;
    const std::size_t h = gh + 2 * r;

    // Rows are `stride` apart, a whole number of vectors, in every buffer. The columns past w
    // hold leftovers that no kept pixel depends on (the column pass never mixes columns).
    constexpr std::size_t kVector = 16;
    const std::size_t stride = (w + kVector - 1) / kVector * kVector;

    // Scratch lives as long as the thread: a font has hundreds of glyphs, and allocating for
    // each costs about as much as the arithmetic.
    // `rows`: coverage rows, each starting 2 * reach zeros in, so output column ox reads
    // coverage ox - 2 * reach .. ox. A row's reach past its end lands in the zeros that start
    // the next row, which stride >= w guarantees.
    // `across`: the row pass, scaled back to coverage units so the column pass's products
    // also fit in 16 bits, with 2 * reach empty rows above and below.
    thread_local std::vector<Level> rows, across, both;
    rows.assign(stride * gh + 2 * r, 0);
    for (std::size_t y = 0; y < gh; ++y) {
        const std::uint8_t* src = coverage.data() + y * gw;
        Level* dst = rows.data() + y * stride + 2 * r;
        for (std::size_t x = 0; x < gw; ++x)
            dst[x] = src[x];
    }
    across.resize(stride * (gh + 4 * r));
    std::fill_n(across.data(), 2 * r * stride, Level{0});
    std::fill_n(across.data() + (gh + 2 * r) * stride, 2 * r * stride, Level{0});
    Level* middle = across.data() + 2 * r * stride;
    strongest(rows.data(), 1, weights, middle, stride * gh);
    for (std::size_t i = 0; i < stride * gh; ++i)
        middle[i] = static_cast<Level>(middle[i] / kWeightOne);

    both.resize(stride * h);
    strongest(across.data(), stride, weights, both.data(), stride * h);
    // (s * peak + full / 2) / full with full = 255 * 128, divided through by the peak of 8 so
    // the sum stays within 16 bits.
    static_assert(kShadowPeak == 8 && kFull % kShadowPeak == 0);
    constexpr Level kStep = kFull / kShadowPeak;
    for (std::size_t i = 0; i < stride * h; ++i)
        both[i] = static_cast<Level>((both[i] + kStep / 2) / kStep);

    // Outer rows and columns without shadow are left out.
    const Box box = inkBox(both.data(), stride, w, h);
    if (box.y1 < box.y0) {
        shadow.left = left - weights.reach;
        shadow.top = top + weights.reach;
        return shadow;
    }
    const std::size_t keptWidth = box.x1 - box.x0 + 1;
    const std::size_t keptHeight = box.y1 - box.y0 + 1;
    shadow.width = static_cast<int>(keptWidth);
    shadow.height = static_cast<int>(keptHeight);
    shadow.left = left - weights.reach + static_cast<int>(box.x0);
    shadow.top = top + weights.reach - static_cast<int>(box.y0);
    shadow.pixels.resize(keptWidth * keptHeight);
    for (std::size_t y = 0; y < keptHeight; ++y) {
        const Level* src = both.data() + (y + box.y0) * stride + box.x0;
        std::uint8_t* out = shadow.pixels.data() + y * keptWidth;
        for (std::size_t x = 0; x < keptWidth; ++x)
            out[x] = static_cast<std::uint8_t>(src[x]);
    }
    return shadow;
}

} // namespace korven::converter

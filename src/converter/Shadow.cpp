#include "converter/Shadow.h"

#include "converter/DivideBy255.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

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

// The shadow level of a filtered value s (at most 255 * 128): (s * peak + full / 2) / full with
// full = 255 * 128, divided through by the peak of 8 and then by 16, leaving a division by 255
// that is done with shifts. Every step stays within 16 bits, so the vectors hold sixteen values.
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

// The filter runs in two passes, along rows and then along columns, each taking the strongest
// weighted neighbour: out[i] = max over k of in[i + k * step] * weight[k], for the 2 * reach + 1
// offsets k. Taking the maximum instead of a sum keeps thin strokes as dark as thick ones.
// Coverage times weight stays below 2^15, so short integers suffice. The input has room for
// every offset, so no bounds are checked, and `count` is a whole number of vectors, so the loops
// run without a scalar tail; on bitmaps this small the tail would cost as much as the rest.
//
// `Taps` is the number of offsets when it is known when compiling: the usual radii get a copy
// whose offsets unroll, so each output is computed in registers and stored once.
//
// The passes must be compiled inside makeShadow, so that its copy for wider vectors covers them.
#if defined(__GNUC__)
#define KORVEN_SHADOW_INLINE [[gnu::always_inline]] inline
#else
#define KORVEN_SHADOW_INLINE inline
#endif

template <int Taps>
struct Filter {
    const Weights& weights;

    KORVEN_SHADOW_INLINE std::size_t taps() const {
        return Taps > 0 ? static_cast<std::size_t>(Taps)
                        : static_cast<std::size_t>(2 * weights.reach + 1);
    }

    template <typename In>
    KORVEN_SHADOW_INLINE Level strongest(const In* in, std::size_t step) const {
        Level best = 0;
        for (std::size_t k = 0; k < taps(); ++k)
            best = std::max(best, static_cast<Level>(in[k * step] * weights.byOffset[k]));
        return best;
    }

    // Along rows, scaled back to coverage units so that the column pass's products also fit.
    KORVEN_SHADOW_INLINE void alongRows(const std::uint8_t* __restrict in, Level* __restrict out,
                                        std::size_t count) const {
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<Level>(strongest(in + i, 1) / kWeightOne);
    }

    // Along columns, ending in shadow levels.
    KORVEN_SHADOW_INLINE void alongColumns(const Level* __restrict in, std::size_t stride,
                                           std::uint8_t* __restrict out, std::size_t count) const {
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<std::uint8_t>(levelOf(strongest(in + i, stride)));
    }
};

template <int Taps>
KORVEN_SHADOW_INLINE void filter(const Weights& weights, const std::uint8_t* rows, Level* across,
                                 std::size_t stride, std::size_t glyphHeight, std::uint8_t* levels,
                                 std::size_t height) {
    const Filter<Taps> f{weights};
    f.alongRows(rows, across + 2 * static_cast<std::size_t>(weights.reach) * stride,
                stride * glyphHeight);
    f.alongColumns(across, stride, levels, stride * height);
}

// Copies one short row. Rows of a glyph are a few to a few dozen bytes, where a call to memcpy
// costs more than the copy; overlapping word copies cover any length from four bytes up
// without a byte loop.
void copyRow(std::uint8_t* __restrict to, const std::uint8_t* __restrict from, std::size_t n) {
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            std::memcpy(to + i, from + i, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            to[i] = from[i];
    }
}

// The smallest box of a stride-laid-out level bitmap that holds every nonzero level. Columns
// past the bitmap's width hold zeros, and `stride` is a multiple of 16, so rows are read as
// whole words.
struct Box {
    std::size_t x0, y0, x1, y1; // inclusive; empty when y1 < y0
};

std::uint64_t wordAt(const std::uint8_t* p) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, 8);
    return word;
}

bool anyInRow(const std::uint8_t* row, std::size_t stride) {
    std::uint64_t any = 0;
    for (std::size_t x = 0; x < stride; x += 8)
        any |= wordAt(row + x);
    return any != 0;
}

Box inkBox(const std::uint8_t* levels, std::size_t stride, std::size_t h) {
    Box box{0, 0, 0, 0};
    // Empty rows are found from both ends; nearly always the first row tried has shadow.
    while (box.y0 < h && !anyInRow(levels + box.y0 * stride, stride))
        ++box.y0;
    if (box.y0 == h)
        return Box{0, 1, 0, 0};
    box.y1 = h - 1;
    while (!anyInRow(levels + box.y1 * stride, stride))
        --box.y1;
    // Bytes are in memory order, which is the order of significance on little-endian machines.
    auto firstByte = [](std::uint64_t word) {
        return static_cast<std::size_t>(std::endian::native == std::endian::little
                                            ? std::countr_zero(word) / 8
                                            : std::countl_zero(word) / 8);
    };
    auto lastByte = [](std::uint64_t word) {
        return static_cast<std::size_t>(7 - (std::endian::native == std::endian::little
                                                 ? std::countl_zero(word) / 8
                                                 : std::countr_zero(word) / 8));
    };
    // The rows in between OR-ed together a word at a time, in slices of columns that fit a
    // small array on the stack (a glyph's rows need a single slice); the first and last
    // nonzero bytes of the result are the outer columns.
    constexpr std::size_t kSliceWords = 32;
    const std::size_t words = stride / 8;
    box.x0 = stride;
    for (std::size_t slice = 0; slice < words; slice += kSliceWords) {
        const std::size_t count = std::min(kSliceWords, words - slice);
        std::array<std::uint64_t, kSliceWords> columns{};
        for (std::size_t y = box.y0; y <= box.y1; ++y) {
            const std::uint8_t* row = levels + y * stride + 8 * slice;
            for (std::size_t k = 0; k < count; ++k)
                columns[k] |= wordAt(row + 8 * k);
        }
        for (std::size_t k = 0; k < count; ++k) {
            if (columns[k] == 0)
                continue;
            box.x0 = std::min(box.x0, 8 * (slice + k) + firstByte(columns[k]));
            box.x1 = 8 * (slice + k) + lastByte(columns[k]);
        }
    }
    return box;
}

} // namespace

// The passes are short loops over 16-bit values; where the processor has 256-bit vectors, a
// second copy of this function uses them and the loader picks the copy once at start-up.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
__attribute__((target_clones("avx2", "default")))
#endif
GlyphBitmap
makeShadow(std::span<const std::uint8_t> coverage, int width, int height, int left, int top,
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

    // Rows are `stride` apart, a whole number of vectors, in every buffer.
    constexpr std::size_t kVector = 16;
    const std::size_t stride = (w + kVector - 1) / kVector * kVector;

    // Scratch lives as long as the thread: a font has hundreds of glyphs, and allocating for
    // each costs about as much as the arithmetic.
    // `rows`: coverage rows, each starting 2 * reach zeros in, so output column ox reads
    // coverage ox - 2 * reach .. ox. A row's reach past its end lands in the zeros that start
    // the next row, which stride >= w guarantees, so the columns past w come out zero.
    // `across`: the row pass, with 2 * reach empty rows above and below.
    // `levels`: the shadow levels, before the empty outer rows and columns are trimmed.
    thread_local std::vector<std::uint8_t> rows, levels;
    thread_local std::vector<Level> across;
    rows.assign(stride * gh + 2 * r, 0);
    for (std::size_t y = 0; y < gh; ++y)
        copyRow(rows.data() + y * stride + 2 * r, coverage.data() + y * gw, gw);
    across.resize(stride * (gh + 4 * r));
    std::fill_n(across.data(), 2 * r * stride, Level{0});
    std::fill_n(across.data() + (gh + 2 * r) * stride, 2 * r * stride, Level{0});
    levels.resize(stride * h);
    switch (weights.reach) {
    case 1:
        filter<3>(weights, rows.data(), across.data(), stride, gh, levels.data(), h);
        break;
    case 2:
        filter<5>(weights, rows.data(), across.data(), stride, gh, levels.data(), h);
        break;
    case 3:
        filter<7>(weights, rows.data(), across.data(), stride, gh, levels.data(), h);
        break;
    case 4:
        filter<9>(weights, rows.data(), across.data(), stride, gh, levels.data(), h);
        break;
    default:
        filter<0>(weights, rows.data(), across.data(), stride, gh, levels.data(), h);
        break;
    }

    // Outer rows and columns without shadow are left out.
    const Box box = inkBox(levels.data(), stride, h);
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
    for (std::size_t y = 0; y < keptHeight; ++y)
        copyRow(shadow.pixels.data() + y * keptWidth,
                levels.data() + (y + box.y0) * stride + box.x0, keptWidth);
    return shadow;
}

} // namespace korven::converter

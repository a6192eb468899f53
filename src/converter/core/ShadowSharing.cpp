#include "converter/core/ShadowSharing.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace korven::converter {

namespace {

// The ink the two shadows share, placed at the same pen position: the sum over their overlap
// of the smaller value. Row r of a bitmap lies top - r pixels above the baseline.
long sharedInk(const GlyphBitmap& a, const GlyphBitmap& b) {
    const int left = std::max(a.left, b.left);
    const int right = std::min(a.left + a.width, b.left + b.width);
    const int top = std::min(a.top, b.top);
    const int bottom = std::max(a.top - a.height, b.top - b.height);
    if (right <= left || top <= bottom)
        return 0;
    long sum = 0;
    for (int y = top; y > bottom; --y) {
        const std::uint8_t* rowA = &a.pixels[static_cast<std::size_t>((a.top - y) * a.width)];
        const std::uint8_t* rowB = &b.pixels[static_cast<std::size_t>((b.top - y) * b.width)];
        for (int x = left; x < right; ++x)
            sum += std::min(rowA[x - a.left], rowB[x - b.left]);
    }
    return sum;
}

long inkOf(const GlyphBitmap& b) {
    long sum = 0;
    for (const std::uint8_t v : b.pixels)
        sum += v;
    return sum;
}

struct Kept {
    const GlyphBitmap* shadow;
    long ink; // the difference of two shadows' ink is a lower bound of their distance
};

// Index of the kept shadow most like `shadow`, in `kept` sorted by ink: the search runs
// outwards from the shadow's own ink and stops where the ink alone differs more than the best.
std::size_t mostSimilar(const GlyphBitmap& shadow, const std::vector<Kept>& kept) {
    const long ink = inkOf(shadow);
    const auto start = static_cast<std::size_t>(
        std::lower_bound(kept.begin(), kept.end(), ink,
                         [](const Kept& k, long value) { return k.ink < value; }) -
        kept.begin());
    std::size_t best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    auto consider = [&](std::size_t k) {
        // |a - b| = a + b - 2 min(a, b), and outside the overlap one of them is 0.
        const long d = ink + kept[k].ink - 2 * sharedInk(shadow, *kept[k].shadow);
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    };
    std::size_t below = start;
    std::size_t above = start;
    while (bestDistance > 0) {
        const long downGap = below > 0 ? ink - kept[below - 1].ink : bestDistance;
        const long upGap = above < kept.size() ? kept[above].ink - ink : bestDistance;
        if (downGap >= bestDistance && upGap >= bestDistance)
            break;
        if (upGap <= downGap)
            consider(above++);
        else
            consider(--below);
    }
    return best;
}

} // namespace

long shadowDistance(const GlyphBitmap& a, const GlyphBitmap& b) {
    return inkOf(a) + inkOf(b) - 2 * sharedInk(a, b);
}

void shareShadowsToFit(std::vector<PgfGlyph>& glyphs, const std::vector<char32_t>& keepOwn) {
    const auto limit = static_cast<std::size_t>(limits::kMaxShadows);
    if (glyphs.size() <= limit)
        return;
    std::vector<Kept> kept;
    std::vector<PgfGlyph*> others;
    auto keep = [&](const PgfGlyph& g) {
        if (std::none_of(kept.begin(), kept.end(),
                         [&](const Kept& k) { return *k.shadow == g.shadow; }))
            kept.push_back({&g.shadow, inkOf(g.shadow)});
    };
    for (PgfGlyph& g : glyphs) {
        if (std::binary_search(keepOwn.begin(), keepOwn.end(), g.codePoint))
            keep(g);
        else
            others.push_back(&g);
    }
    bool sorted = false;
    for (PgfGlyph* g : others) {
        if (kept.size() < limit) {
            keep(*g);
            continue;
        }
        if (!sorted) {
            std::stable_sort(kept.begin(), kept.end(),
                             [](const Kept& a, const Kept& b) { return a.ink < b.ink; });
            sorted = true;
        }
        const std::size_t k = mostSimilar(g->shadow, kept);
        if (*kept[k].shadow != g->shadow)
            g->shadow = *kept[k].shadow;
    }
}

} // namespace korven::converter

#include "converter/core/ShadowSharing.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace korven::converter {

namespace {

// The value at a pen-relative position: x pixels right of the pen, y pixels above the baseline.
int valueAt(const GlyphBitmap& b, int x, int y) {
    const int column = x - b.left;
    const int row = b.top - y;
    if (column < 0 || row < 0 || column >= b.width || row >= b.height)
        return 0;
    return b.at(column, row);
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

// Index of the kept shadow most like `shadow`.
std::size_t mostSimilar(const GlyphBitmap& shadow, const std::vector<Kept>& kept) {
    const long ink = inkOf(shadow);
    std::size_t best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::size_t k = 0; k < kept.size() && bestDistance > 0; ++k) {
        if (std::abs(kept[k].ink - ink) >= bestDistance)
            continue;
        const long d = shadowDistance(shadow, *kept[k].shadow);
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
        }
    }
    return best;
}

} // namespace

long shadowDistance(const GlyphBitmap& a, const GlyphBitmap& b) {
    const int left = std::min(a.left, b.left);
    const int right = std::max(a.left + a.width, b.left + b.width);
    const int top = std::max(a.top, b.top);
    const int bottom = std::min(a.top - a.height, b.top - b.height);
    long sum = 0;
    for (int y = top; y > bottom; --y)
        for (int x = left; x < right; ++x)
            sum += std::abs(valueAt(a, x, y) - valueAt(b, x, y));
    return sum;
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
    for (PgfGlyph* g : others) {
        if (kept.size() < limit) {
            keep(*g);
            continue;
        }
        const std::size_t k = mostSimilar(g->shadow, kept);
        if (*kept[k].shadow != g->shadow)
            g->shadow = *kept[k].shadow;
    }
}

} // namespace korven::converter

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
    const int width = right - left;
    for (int y = top; y > bottom; --y) {
        const std::uint8_t* rowA =
            &a.pixels[static_cast<std::size_t>((a.top - y) * a.width + left - a.left)];
        const std::uint8_t* rowB =
            &b.pixels[static_cast<std::size_t>((b.top - y) * b.width + left - b.left)];
        // A row's sum fits an int (at most 127 values of 15), which lets the compiler
        // vectorise the loop.
        int row = 0;
        for (int x = 0; x < width; ++x)
            row += std::min(rowA[x], rowB[x]);
        sum += row;
    }
    return sum;
}

long inkOf(const GlyphBitmap& b) {
    long sum = 0;
    for (const std::uint8_t v : b.pixels)
        sum += v;
    return sum;
}

// The place that holds every shadow of the font placed at the pen position, so that the
// profiles below compare value by value.
struct Canvas {
    int firstRow = 0; // rows count downwards from the top of the highest shadow
    int rows = 0;
    int firstColumn = 0;
    int columns = 0;
};

// A shadow's ink summed along each row and along each column of the canvas. Two shadows differ
// at least as much as their row sums do, and as their column sums do: bounds that cost a
// line's work where the distance itself costs a bitmap's, and that rule out most candidates.
struct Profile {
    std::vector<int> rows;
    std::vector<int> columns;
};

Canvas canvasOf(const std::vector<PgfGlyph>& glyphs) {
    int top = std::numeric_limits<int>::min(), bottom = std::numeric_limits<int>::max();
    int left = std::numeric_limits<int>::max(), right = std::numeric_limits<int>::min();
    for (const PgfGlyph& g : glyphs) {
        top = std::max(top, g.shadow.top);
        bottom = std::min(bottom, g.shadow.top - g.shadow.height);
        left = std::min(left, g.shadow.left);
        right = std::max(right, g.shadow.left + g.shadow.width);
    }
    return {-top, std::max(0, top - bottom), left, std::max(0, right - left)};
}

Profile profileOf(const GlyphBitmap& b, const Canvas& canvas) {
    Profile p{std::vector<int>(static_cast<std::size_t>(canvas.rows)),
              std::vector<int>(static_cast<std::size_t>(canvas.columns))};
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            const int v = b.at(x, y);
            p.rows[static_cast<std::size_t>(y - b.top - canvas.firstRow)] += v;
            p.columns[static_cast<std::size_t>(x + b.left - canvas.firstColumn)] += v;
        }
    return p;
}

// The sum of the differences of two lines of sums of the same canvas.
long lineGap(const std::vector<int>& a, const std::vector<int>& b) {
    int sum = 0; // at most 2 * 127 * 15 per value and a few hundred values
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += std::abs(a[i] - b[i]);
    return sum;
}

struct Kept {
    const GlyphBitmap* shadow;
    long ink; // the difference of two shadows' ink is a lower bound of their distance
    Profile profile;
};

// Index of the kept shadow most like `shadow`, in `kept` sorted by ink: the search runs
// outwards from the shadow's own ink and stops where the ink alone differs more than the best.
std::size_t mostSimilar(const GlyphBitmap& shadow, const std::vector<Kept>& kept,
                        const Canvas& canvas) {
    const long ink = inkOf(shadow);
    const Profile profile = profileOf(shadow, canvas);
    const auto start = static_cast<std::size_t>(
        std::lower_bound(kept.begin(), kept.end(), ink,
                         [](const Kept& k, long value) { return k.ink < value; }) -
        kept.begin());
    std::size_t best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    auto consider = [&](std::size_t k) {
        // A candidate that cannot come nearer than the best is passed over; one only as near
        // would not be taken either, so the choice is that of measuring every candidate.
        const Profile& other = kept[k].profile;
        if (lineGap(profile.rows, other.rows) >= bestDistance ||
            lineGap(profile.columns, other.columns) >= bestDistance)
            return;
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
    const Canvas canvas = canvasOf(glyphs);
    std::vector<Kept> kept;
    std::vector<PgfGlyph*> others;
    auto keep = [&](const PgfGlyph& g) {
        if (std::none_of(kept.begin(), kept.end(),
                         [&](const Kept& k) { return *k.shadow == g.shadow; }))
            kept.push_back({&g.shadow, inkOf(g.shadow), profileOf(g.shadow, canvas)});
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
        const std::size_t k = mostSimilar(g->shadow, kept, canvas);
        if (*kept[k].shadow != g->shadow)
            g->shadow = *kept[k].shadow;
    }
}

} // namespace korven::converter

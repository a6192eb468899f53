#include "converter/core/MetricTables.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace korven::converter {

namespace {
// Flipping the sign bit makes signed values sort as unsigned ones.
constexpr std::uint32_t kSignBit = 0x80000000U;

// A pair as one unsigned number that sorts the way the pairs do (h first, then v, both signed),
// so sorting and searching compare single integers.
std::uint64_t orderKey(const MetricPair& p) {
    return (std::uint64_t{static_cast<std::uint32_t>(p.h) ^ kSignBit} << 32) |
           (static_cast<std::uint32_t>(p.v) ^ kSignBit);
}

MetricPair pairOf(std::uint64_t key) {
    return {static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> 32) ^ kSignBit),
            static_cast<std::int32_t>(static_cast<std::uint32_t>(key) ^ kSignBit)};
}

// The distinct values of a list in the order first seen, how often each occurs, and which one
// each item has. A small hash table finds them: sorting every item instead costs several times
// more, nearly all of it in mispredicted comparisons.
struct DistinctValues {
    std::vector<std::uint64_t> values;
    std::vector<int> uses;
    std::vector<int> ofItem;
};

DistinctValues distinctValues(const std::vector<std::uint64_t>& items) {
    // At most half full, so a search rarely probes a second slot.
    const std::size_t slots = std::bit_ceil(2 * items.size() + 2);
    const int shift = 64 - std::countr_zero(slots);
    std::vector<int> slotValue(slots, -1);
    DistinctValues d;
    d.ofItem.reserve(items.size());
    for (const std::uint64_t item : items) {
        // Fibonacci hashing: the multiply spreads nearby metric values over the whole table.
        std::size_t slot = static_cast<std::size_t>((item * 0x9E3779B97F4A7C15ULL) >> shift);
        while (slotValue[slot] >= 0 && d.values[static_cast<std::size_t>(slotValue[slot])] != item)
            slot = (slot + 1) & (slots - 1);
        if (slotValue[slot] < 0) {
            slotValue[slot] = static_cast<int>(d.values.size());
            d.values.push_back(item);
            d.uses.push_back(0);
        }
        const int id = slotValue[slot];
        ++d.uses[static_cast<std::size_t>(id)];
        d.ofItem.push_back(id);
    }
    return d;
}
} // namespace

MetricTable buildMetricTable(const std::vector<MetricPair>& perGlyph, bool sentinelAtZero) {
    std::vector<std::uint64_t> keys;
    keys.reserve(perGlyph.size());
    for (const MetricPair& p : perGlyph)
        keys.push_back(orderKey(p));
    const DistinctValues distinct = distinctValues(keys);

    // Distinct values by number, in table order: ascending, after keeping only the most used
    // ones when there are more than fit (ties go to the smaller value).
    std::vector<int> kept(distinct.values.size());
    std::iota(kept.begin(), kept.end(), 0);
    auto byValue = [&](int a, int b) {
        return distinct.values[static_cast<std::size_t>(a)] <
               distinct.values[static_cast<std::size_t>(b)];
    };
    const std::size_t capacity = limits::kMaxTableEntries - (sentinelAtZero ? 1 : 0);
    if (kept.size() > capacity) {
        std::sort(kept.begin(), kept.end(), [&](int a, int b) {
            const int usesA = distinct.uses[static_cast<std::size_t>(a)];
            const int usesB = distinct.uses[static_cast<std::size_t>(b)];
            return usesA != usesB ? usesA > usesB : byValue(a, b);
        });
        kept.resize(capacity);
    }
    std::sort(kept.begin(), kept.end(), byValue);

    MetricTable table;
    table.entries.reserve(kept.size() + 1);
    if (sentinelAtZero)
        table.entries.push_back(MetricPair{});
    std::vector<int> indexOfValue(distinct.values.size(), -1);
    for (const int id : kept) {
        indexOfValue[static_cast<std::size_t>(id)] = static_cast<int>(table.entries.size());
        table.entries.push_back(pairOf(distinct.values[static_cast<std::size_t>(id)]));
    }
    table.indexOfGlyph.reserve(perGlyph.size());
    for (const int id : distinct.ofItem)
        table.indexOfGlyph.push_back(indexOfValue[static_cast<std::size_t>(id)]);
    return table;
}

MetricPair dimensionOf(const GlyphMetrics& m) {
    return {m.width, m.height};
}
MetricPair xAdjustOf(const GlyphMetrics& m) {
    return {m.horiBearingX, m.vertBearingX};
}
MetricPair yAdjustOf(const GlyphMetrics& m) {
    return {m.horiBearingY, m.vertBearingY};
}
MetricPair advanceOf(const GlyphMetrics& m) {
    return {m.horiAdvance, m.vertAdvance};
}

namespace {
std::size_t distinctAdvances(const std::vector<PgfGlyph>& glyphs) {
    std::vector<std::uint64_t> keys;
    keys.reserve(glyphs.size());
    for (const PgfGlyph& g : glyphs)
        keys.push_back(orderKey(advanceOf(g.metrics)));
    return distinctValues(keys).values.size();
}

// Nearest multiple of step, halves rounded up (floor division so negatives behave the same).
std::int32_t roundTo(std::int32_t value, std::int32_t step) {
    const std::int64_t shifted = static_cast<std::int64_t>(value) + step / 2;
    std::int64_t quotient = shifted / step;
    if (shifted % step < 0)
        --quotient;
    return static_cast<std::int32_t>(quotient * step);
}
} // namespace

bool roundAdvancesToFit(std::vector<PgfGlyph>& glyphs) {
    for (std::int32_t step : {16, 64}) {
        if (distinctAdvances(glyphs) <= static_cast<std::size_t>(limits::kMaxTableEntries))
            return true;
        for (PgfGlyph& g : glyphs) {
            g.metrics.horiAdvance = roundTo(g.metrics.horiAdvance, step);
            g.metrics.vertAdvance = roundTo(g.metrics.vertAdvance, step);
        }
    }
    return distinctAdvances(glyphs) <= static_cast<std::size_t>(limits::kMaxTableEntries);
}

} // namespace korven::converter

#include "converter/MetricTables.h"

#include <algorithm>
#include <set>

namespace korven::converter {

namespace {
// A pair as one unsigned number that sorts the way the pairs do (h first, then v, both signed),
// so sorting and searching compare single integers.
std::uint64_t orderKey(const MetricPair& p) {
    constexpr std::uint32_t kSignBit = 0x80000000U;
    return (std::uint64_t{static_cast<std::uint32_t>(p.h) ^ kSignBit} << 32) |
           (static_cast<std::uint32_t>(p.v) ^ kSignBit);
}

MetricPair pairOf(std::uint64_t key) {
    constexpr std::uint32_t kSignBit = 0x80000000U;
    return {static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> 32) ^ kSignBit),
            static_cast<std::int32_t>(static_cast<std::uint32_t>(key) ^ kSignBit)};
}
} // namespace

MetricTable buildMetricTable(const std::vector<MetricPair>& perGlyph, bool sentinelAtZero) {
    // Distinct pairs with their number of uses, from one sorted copy.
    std::vector<std::uint64_t> sorted;
    sorted.reserve(perGlyph.size());
    for (const MetricPair& p : perGlyph)
        sorted.push_back(orderKey(p));
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::pair<std::uint64_t, int>> byUse;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j < sorted.size() && sorted[j] == sorted[i])
            ++j;
        byUse.emplace_back(sorted[i], static_cast<int>(j - i));
        i = j;
    }
    std::stable_sort(byUse.begin(), byUse.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    const std::size_t capacity = limits::kMaxTableEntries - (sentinelAtZero ? 1 : 0);
    if (byUse.size() > capacity)
        byUse.resize(capacity);

    std::vector<std::uint64_t> kept;
    kept.reserve(byUse.size());
    for (const auto& [key, count] : byUse)
        kept.push_back(key);
    std::sort(kept.begin(), kept.end());

    MetricTable table;
    table.entries.reserve(kept.size() + 1);
    if (sentinelAtZero)
        table.entries.push_back(MetricPair{});
    const int base = static_cast<int>(table.entries.size());
    for (std::uint64_t key : kept)
        table.entries.push_back(pairOf(key));
    table.indexOfGlyph.reserve(perGlyph.size());
    for (const MetricPair& p : perGlyph) {
        const std::uint64_t key = orderKey(p);
        auto it = std::lower_bound(kept.begin(), kept.end(), key);
        table.indexOfGlyph.push_back(
            it != kept.end() && *it == key ? base + static_cast<int>(it - kept.begin()) : -1);
    }
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
    std::set<MetricPair> seen;
    for (const PgfGlyph& g : glyphs)
        seen.insert(advanceOf(g.metrics));
    return seen.size();
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

#include "converter/MetricTables.h"

#include <algorithm>
#include <set>

namespace korven::converter {

MetricTable buildMetricTable(const std::vector<MetricPair>& perGlyph, bool sentinelAtZero) {
    // Distinct pairs with their number of uses, from one sorted copy.
    std::vector<MetricPair> sorted = perGlyph;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::pair<MetricPair, int>> byUse;
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

    std::vector<MetricPair> kept;
    kept.reserve(byUse.size());
    for (const auto& [pair, count] : byUse)
        kept.push_back(pair);
    std::sort(kept.begin(), kept.end());

    MetricTable table;
    if (sentinelAtZero)
        table.entries.push_back(MetricPair{});
    const int base = static_cast<int>(table.entries.size());
    table.entries.insert(table.entries.end(), kept.begin(), kept.end());
    table.indexOfGlyph.reserve(perGlyph.size());
    for (const MetricPair& p : perGlyph) {
        auto it = std::lower_bound(kept.begin(), kept.end(), p);
        table.indexOfGlyph.push_back(
            it != kept.end() && *it == p ? base + static_cast<int>(it - kept.begin()) : -1);
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

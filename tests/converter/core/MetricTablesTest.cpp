#include "converter/core/MetricTables.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace korven::converter {
namespace {

// The table built the obvious way: count each pair, keep the most used ones (ties to the
// smaller pair) up to what fits, and list them in ascending order.
MetricTable obviousTable(const std::vector<MetricPair>& perGlyph, bool sentinelAtZero) {
    std::map<MetricPair, int> uses;
    for (const MetricPair& p : perGlyph)
        ++uses[p];
    std::vector<std::pair<MetricPair, int>> byUse(uses.begin(), uses.end());
    std::stable_sort(byUse.begin(), byUse.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    const std::size_t capacity = sentinelAtZero ? 254 : 255;
    if (byUse.size() > capacity)
        byUse.resize(capacity);
    std::vector<MetricPair> kept;
    for (const auto& entry : byUse)
        kept.push_back(entry.first);
    std::sort(kept.begin(), kept.end());

    MetricTable table;
    if (sentinelAtZero)
        table.entries.push_back(MetricPair{});
    table.entries.insert(table.entries.end(), kept.begin(), kept.end());
    for (const MetricPair& p : perGlyph) {
        const auto at = std::find(kept.begin(), kept.end(), p);
        table.indexOfGlyph.push_back(
            at == kept.end() ? -1 : static_cast<int>(at - kept.begin()) + (sentinelAtZero ? 1 : 0));
    }
    return table;
}

TEST(MetricTables, MatchTheObviousTableForFewAndManyDistinctPairs) {
    // Negative values order below positive ones; with more distinct pairs than fit, many are
    // used equally often, so which of them are kept depends on the tie rule.
    std::mt19937 random(3);
    for (int distinct : {1, 5, 200, 254, 255, 256, 300, 500}) {
        for (bool sentinel : {true, false}) {
            std::vector<MetricPair> perGlyph;
            for (int i = 0; i < 511; ++i) {
                const int k = static_cast<int>(random() % static_cast<unsigned>(distinct));
                perGlyph.push_back({(k % 23 - 11) * 64, -(k / 23) * 16 + 3});
            }
            const MetricTable fast = buildMetricTable(perGlyph, sentinel);
            const MetricTable obvious = obviousTable(perGlyph, sentinel);
            SCOPED_TRACE(testing::Message() << distinct << " distinct, sentinel " << sentinel);
            EXPECT_EQ(fast.entries, obvious.entries);
            EXPECT_EQ(fast.indexOfGlyph, obvious.indexOfGlyph);
        }
    }
}

} // namespace
} // namespace korven::converter

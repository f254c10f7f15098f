#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "charts/DrawUniformity.h"
#include "history/HistoryStore.h"

namespace keno {

// The hits of a player's games in the main draw against what a fair draw gives for the same
// tickets: for every ticket size played, its games times the exact chance of each hit count.
struct HitDistribution {
    std::int64_t games = 0;                  // games on tickets of 2..10 spots
    std::array<std::int64_t, 11> observed{};  // games with h hits, h = 0..10
    std::array<double, 11> expected{};        // games a fair draw gives with h hits
    std::vector<int> spots;                   // the ticket sizes played, ascending
    int maxHits() const { return spots.empty() ? 0 : spots.back(); }
};

HitDistribution CompareHits(const HitCounts& counts);

// Everything the charts screen shows of one player, read from the history in one go.
struct ChartsData {
    static constexpr int kCreditGames = 500;  // the credit line covers the last this many games

    int slot = 0;
    std::vector<std::int32_t> credits;  // the credit after each of the last games, oldest first
    HitDistribution hits;
    NumberCounts draws;
    UniformityTest uniformity;
    std::string verdict;  // "consistent with a fair draw, p = 0.43"
};

// On the history's reading thread: up to a third of a second on a slot of 100,000 games.
ChartsData LoadChartsData(HistoryStore& store, int slot);

}  // namespace keno

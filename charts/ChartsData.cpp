#include "charts/ChartsData.h"

#include "odds/KenoOdds.h"

namespace keno {

HitDistribution CompareHits(const HitCounts& counts) {
    HitDistribution d;
    for (int spots = 2; spots <= 10; ++spots) {
        const std::int64_t played = counts.Played(spots);
        if (played == 0) continue;
        d.spots.push_back(spots);
        d.games += played;
        // Both games show 20 balls of 80 in the main draw: the chances of the 22-ball ticket
        // hold for either (the 20-ball game plays no ticket of 2).
        const auto odds = KenoOdds::Ticket(OddsGame::Keno22, spots, 1);
        for (int h = 0; h <= spots; ++h) {
            const auto at = static_cast<std::size_t>(h);
            d.observed[at] += counts.games[static_cast<std::size_t>(spots)][at];
            if (odds) d.expected[at] += static_cast<double>(played) * static_cast<double>(odds->rows[at].probability);
        }
    }
    return d;
}

ChartsData LoadChartsData(HistoryStore& store, int slot) {
    ChartsData data;
    data.slot = slot;
    data.credits = store.CreditSeries(slot, ChartsData::kCreditGames);
    data.hits = CompareHits(store.HitsBySpots(slot));
    data.draws = store.DrawCounts(slot);
    data.uniformity = TestUniformity(data.draws);
    data.verdict = Verdict(data.uniformity);
    return data;
}

}  // namespace keno

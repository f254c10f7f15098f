// The hits chart's fair draw: for every ticket size played, its games times the exact chance of
// each hit count, summed; and the figures read for the screen from a history in one go.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <numeric>

#include "charts/ChartsData.h"

namespace keno {
namespace {

TEST(HitDistribution, AFairDrawsHitsForTheTicketsPlayed) {
    HitCounts counts;
    counts.games[10][5] = 600;
    counts.games[10][0] = 400;
    counts.games[4][2] = 300;
    counts.games[4][4] = 200;
    const HitDistribution d = CompareHits(counts);
    EXPECT_EQ(d.games, 1500);
    EXPECT_EQ(d.spots, (std::vector<int>{4, 10}));
    EXPECT_EQ(d.maxHits(), 10);
    EXPECT_EQ(d.observed[0], 400);
    EXPECT_EQ(d.observed[2], 300);
    EXPECT_EQ(d.observed[4], 200);
    EXPECT_EQ(d.observed[5], 600);
    // C(s,h) C(80-s, 20-h) / C(80, 20): 10 spots P(0) 0.045791, P(4) 0.147319, P(5) 0.051428,
    // P(10) 1 / 8,911,711.18; 4 spots P(0) 60.59.58.57 / 80.79.78.77 = 0.308321, P(4) 0.0030634.
    EXPECT_NEAR(d.expected[0], 1000 * 0.045791 + 500 * 0.308321, 0.01);
    EXPECT_NEAR(d.expected[4], 1000 * 0.147319 + 500 * 0.0030634, 0.01);
    EXPECT_NEAR(d.expected[5], 1000 * 0.051428, 0.01);
    EXPECT_NEAR(d.expected[10] * 8911711.18, 1000.0, 1e-3);
    EXPECT_NEAR(std::accumulate(d.expected.begin(), d.expected.end(), 0.0), 1500.0, 1e-6);
}

TEST(HitDistribution, NothingPlayedNothingExpected) {
    const HitDistribution d = CompareHits(HitCounts{});
    EXPECT_EQ(d.games, 0);
    EXPECT_TRUE(d.spots.empty());
    EXPECT_EQ(d.maxHits(), 0);
    EXPECT_EQ(std::accumulate(d.expected.begin(), d.expected.end(), 0.0), 0.0);
}

TEST(ChartsData, ReadsOnePlayersFiguresFromTheHistory) {
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "keno-charts-test-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(folder.data()));
    {
        HistoryStore store({folder + "/h.sqlite"});
        for (int n = 1; n <= 1200; ++n) {
            SettledGame g;
            g.slot = n % 3 == 0 ? 2 : 1;
            g.ticket = {1, 2, 3};
            for (int i = 0; i < 20; ++i) g.drawn.push_back((n + i) % 80 + 1);
            g.bet = 1;
            g.creditAfter = n;
            ASSERT_TRUE(store.Append(g, n));
        }
        const ChartsData data = LoadChartsData(store, 1);
        EXPECT_EQ(data.slot, 1);
        EXPECT_EQ(data.draws.games, 800);  // slot 2's games are not its
        EXPECT_EQ(data.hits.games, 800);
        EXPECT_EQ(data.hits.spots, std::vector<int>{3});
        // The last 500 of slot 1's games, oldest first: games 451 .. 1199 without slot 2's.
        ASSERT_EQ(data.credits.size(), std::size_t{ChartsData::kCreditGames});
        EXPECT_EQ(data.credits.front(), 451);
        EXPECT_EQ(data.credits.back(), 1199);
        EXPECT_EQ(data.verdict, Verdict(data.uniformity));
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace keno

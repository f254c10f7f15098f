// Statistical checks of the 22-ball draw: fixed seeds, failing only at alpha = 1e-6.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "tests/keno22/DrawStats.h"
#include "tests/keno22/Keno22GameRig.h"

using namespace keno;
using namespace keno::draw_stats;

namespace {

constexpr double kAlpha = 1e-6;
constexpr double kCritical79 = 153.7;  // chi-square(79) at 1e-6
const std::vector<int> kTicket{3, 11, 19, 27, 40, 41, 52, 66, 71, 80};

std::array<int, 22> Draw22(RandomSource& random) {
    std::array<int, 22> d{};
    DrawFromUrn(random, 22, d.begin());
    return d;
}

int Overlap20(const std::array<int, 22>& a, const std::array<int, 22>& b) {
    int shared = 0;
    for (int i = 0; i < 20; ++i) shared += static_cast<int>(std::count(b.begin(), b.begin() + 20, a[static_cast<std::size_t>(i)]));
    return shared;
}

// Two independent draws of 20 share a hypergeometric count: mean 5, variance 20 * 1/4 * 3/4 * 60/79.
void ExpectOverlapMeanFive(const std::vector<int>& overlaps) {
    const double n = static_cast<double>(overlaps.size());
    double mean = 0;
    for (int o : overlaps) mean += o;
    mean /= n;
    const double se = std::sqrt(20 * 0.25 * 0.75 * 60.0 / 79.0 / n);
    EXPECT_LT(std::fabs(mean - 5.0) / se, 4.9) << "mean " << mean;  // two-sided 1e-6
    EXPECT_EQ(std::count(overlaps.begin(), overlaps.end(), 20), 0) << "two consecutive draws were identical";
}

TEST(Keno22DrawStats, TheTailHelperMatchesTheKnownValues) {
    EXPECT_NEAR(std::log10(ChiSquareTail(kCritical79, 79)), -6.0, 0.05);
    EXPECT_NEAR(ChiSquareTail(3.841, 1), 0.05, 1e-4);
    EXPECT_NEAR(Hypergeometric(5, 10, 20), 0.051428, 1e-6);
    EXPECT_NEAR(Hypergeometric(0, 10, 20), 0.045791, 1e-6);
    EXPECT_NEAR(1 / Hypergeometric(10, 10, 20), 8911711.18, 1.0);
    EXPECT_NEAR(Hypergeometric(4, 4, 20), 0.0030634, 1e-7);
    EXPECT_NEAR(Hypergeometric(1, 3, 2, 60), 2 * 3 * 57 / (60.0 * 59.0), 1e-12);
}

TEST(Keno22DrawStats, EveryNumberIsDrawnEquallyOften) {
    SeededRandomSource random(2201);
    constexpr long kDraws = 100000;
    std::vector<long> counts(81, 0);
    for (long g = 0; g < kDraws; ++g) {
        const auto d = Draw22(random);
        ASSERT_EQ(std::set<int>(d.begin(), d.end()).size(), 22u);
        for (int n : d) {
            ASSERT_GE(n, 1);
            ASSERT_LE(n, 80);
            ++counts[static_cast<std::size_t>(n)];
        }
    }
    // Drawing without replacement narrows each count's spread; 79/58 restores chi-square(79).
    const double x2 = FlatStatistic(counts, kDraws * 22 / 80.0) * 79.0 / 58.0;
    EXPECT_LT(x2, kCritical79);
    EXPECT_GT(ChiSquareTail(x2, 79), kAlpha);
}

TEST(Keno22DrawStats, EveryPositionIsUniformOverTheEightyNumbers) {
    SeededRandomSource random(2202);
    constexpr long kDraws = 100000;
    std::vector<std::vector<long>> counts(22, std::vector<long>(81, 0));
    for (long g = 0; g < kDraws; ++g) {
        const auto d = Draw22(random);
        for (std::size_t i = 0; i < 22; ++i) ++counts[i][static_cast<std::size_t>(d[i])];
    }
    for (std::size_t i = 0; i < 22; ++i) {
        const double x2 = FlatStatistic(counts[i], kDraws / 80.0);
        EXPECT_LT(x2, kCritical79) << "position " << i + 1;
    }
}

// Hits of a fixed ticket in the first 20 (the main draw) and in all 22 (after the extra balls).
TEST(Keno22DrawStats, HitsFollowTheHypergeometricLaw) {
    SeededRandomSource random(2203);
    constexpr long kDraws = 200000;
    for (int spots : {4, 10}) {
        const std::vector<int> ticket(kTicket.begin(), kTicket.begin() + spots);
        std::vector<long> hits20(11, 0), hits22(11, 0);
        for (long g = 0; g < kDraws; ++g) {
            const auto d = Draw22(random);
            int h = 0;
            for (std::size_t i = 0; i < 22; ++i) {
                if (i == 20) ++hits20[static_cast<std::size_t>(h)];
                h += Contains(ticket, d[i]) ? 1 : 0;
            }
            ++hits22[static_cast<std::size_t>(h)];
        }
        for (int drawn : {20, 22}) {
            std::vector<double> p;
            for (int h = 0; h <= 10; ++h) p.push_back(Hypergeometric(h, spots, drawn));
            const Fit fit = PearsonMerged(drawn == 20 ? hits20 : hits22, p, kDraws);
            EXPECT_GE(fit.df, 3);
            EXPECT_GT(fit.Tail(), kAlpha) << spots << " spots, " << drawn << " drawn, X2 " << fit.statistic;
        }
    }
}

// Through the engine: the window's games draw uniformly, never repeat a game, and keep the extra
// balls out of the 20 shown.
TEST(Keno22DrawStats, ConsecutiveGamesShareFiveNumbersAndNeverRepeat) {
    BasicRig<SeededRandomSource> rig(2204);
    rig.Ticket(kTicket, 1000000000, 1);
    constexpr long kGames = 20000;
    std::vector<int> overlaps;
    std::vector<long> counts(81, 0), hits(11, 0);
    std::array<int, 22> previous{};
    for (long g = 0; g < kGames; ++g) {
        rig.game.Play();
        rig.game.SettleNow();
        const auto d = rig.game.drawn();
        ++hits[static_cast<std::size_t>(rig.game.hits())];
        if (rig.game.OfferOpen()) {
            rig.game.TakeWin();
            rig.game.SettleNow();
        }
        ASSERT_EQ(std::set<int>(d.begin(), d.end()).size(), 22u);
        for (int n : d) ++counts[static_cast<std::size_t>(n)];
        if (g > 0) overlaps.push_back(Overlap20(previous, d));
        previous = d;
    }
    EXPECT_EQ(rig.state.wager, kGames);  // every PLAY was charged once
    ExpectOverlapMeanFive(overlaps);
    const double x2 = FlatStatistic(counts, kGames * 22 / 80.0) * 79.0 / 58.0;
    EXPECT_LT(x2, kCritical79);
    std::vector<double> p;
    for (int h = 0; h <= 10; ++h) p.push_back(Hypergeometric(h, 10, 20));
    EXPECT_GT(PearsonMerged(hits, p, kGames).Tail(), kAlpha);
}

// The production source reseeds before every draw; a coarse clock would repeat draws made in the
// same tick. Not seeded by design, so it can only be held to the same 1e-6 bounds.
TEST(Keno22DrawStats, TheClockSourceNeverRepeatsBackToBackDraws) {
    ClockRandomSource random;
    std::vector<int> overlaps;
    auto previous = Draw22(random);
    for (int g = 0; g < 20000; ++g) {
        const auto d = Draw22(random);
        overlaps.push_back(Overlap20(previous, d));
        previous = d;
    }
    ExpectOverlapMeanFive(overlaps);
}

}  // namespace

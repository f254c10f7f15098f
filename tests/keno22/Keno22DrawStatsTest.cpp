// Statistical checks of the urn both games draw from: fixed seeds, failing only at alpha = 1e-6.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "core/RandomSource.h"
#include "tests/support/DrawStats.h"

using namespace keno;
using namespace keno::stats;

namespace {

TEST(DrawStats, HelpersMatchKnownValues) {
    EXPECT_NEAR(std::log10(ChiSquareTail(153.7, 79)), -6.0, 0.05);
    EXPECT_NEAR(ChiSquareTail(3.841, 1), 0.05, 1e-4);
    EXPECT_NEAR(Hypergeometric(5, 10, 20), 0.051428, 1e-6);
    EXPECT_NEAR(1 / Hypergeometric(10, 10, 20), 8911711.18, 1.0);
    EXPECT_NEAR(Hypergeometric(1, 3, 2, 60), 2 * 3 * 57 / (60.0 * 59.0), 1e-12);
}

// Numbers, positions and consecutive draws of 20 and of 22 balls, and the hits of 4 and 10 spots
// in the main draw (20) and after the extra balls (22).
TEST(UrnDrawStats, DrawsAreUniformIndependentAndHypergeometric) {
    const std::array<int, 10> ticket{3, 11, 19, 27, 40, 41, 52, 66, 71, 80};
    SeededRandomSource random(2201);
    constexpr long kDraws = 100000;
    DrawTally tally20(20), tally22(22);
    std::vector<long> hits[2][2];  // [4 or 10 spots][20 or 22 drawn]
    for (auto& bySpots : hits) bySpots[0] = bySpots[1] = std::vector<long>(11);
    for (long g = 0; g < kDraws; ++g) {
        std::array<int, 22> d{};
        DrawFromUrn(random, 22, d.begin());
        ASSERT_TRUE(tally20.Add(d.begin()) && tally22.Add(d.begin()));
        for (std::size_t t = 0; t < 2; ++t) {
            const auto end = ticket.begin() + (t ? 10 : 4);
            std::size_t h = 0;
            for (std::size_t i = 0; i < 22; ++i) {
                if (i == 20) ++hits[t][0][h];
                h += std::find(ticket.begin(), end, d[i]) != end;
            }
            ++hits[t][1][h];
        }
    }
    ExpectUniformAndIndependent(tally20);
    ExpectUniformAndIndependent(tally22);
    for (std::size_t t = 0; t < 2; ++t)
        for (std::size_t k = 0; k < 2; ++k) {
            const Fit fit = HitsFit(hits[t][k], t ? 10 : 4, k ? 22 : 20, kDraws);
            EXPECT_GE(fit.df, 3);
            EXPECT_GT(fit.pValue(), kAlpha) << (t ? 10 : 4) << " spots, " << (k ? 22 : 20) << " drawn";
        }
}

// The production source reseeds before every draw: a coarse clock must not repeat draws.
TEST(UrnDrawStats, TheClockSourceNeverRepeatsBackToBackDraws) {
    ClockRandomSource random;
    DrawTally tally(22);
    for (int g = 0; g < 20000; ++g) {
        std::array<int, 22> d{};
        DrawFromUrn(random, 22, d.begin());
        ASSERT_TRUE(tally.Add(d.begin()));
    }
    EXPECT_GT(tally.SharedFit().pValue(), kAlpha);
    EXPECT_EQ(tally.Repeats(), 0);
}

}  // namespace

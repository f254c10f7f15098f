// The chi-square test of the draw: the p-value against closed forms, the correction for drawing
// without replacement, and the verdict on a fair history and on forged unfair ones (fixed seeds,
// decisions at alpha 1e-6, so nothing here flakes).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "charts/DrawUniformity.h"
#include "core/RandomSource.h"

using namespace keno;

namespace {

using Counts = std::array<std::int64_t, 81>;

// The main draws of `games` games from the machine's urn.
NumberCounts History(int games, std::uint64_t seed) {
    SeededRandomSource random(seed);
    NumberCounts counts;
    counts.games = games;
    for (int g = 0; g < games; ++g) {
        int drawn[22];
        DrawFromUrn(random, 22, drawn);
        for (int i = 0; i < 20; ++i) ++counts.main[static_cast<std::size_t>(drawn[i])];
    }
    return counts;
}

TEST(ChiSquare, SurvivalMatchesClosedForms) {
    for (double x : {0.01, 0.5, 1.0, 3.0, 10.0, 40.0, 90.0}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(ChiSquareSurvival(x, 2) / std::exp(-x / 2), 1.0, 1e-12);
        EXPECT_NEAR(ChiSquareSurvival(x, 1) / std::erfc(std::sqrt(x / 2)), 1.0, 1e-9);
    }
    // Even degrees of freedom 2k: Q(k, y) = exp(-y) * sum_{j<k} y^j / j!, here k = 40.
    for (double y : {5.0, 30.0, 39.5, 45.0, 80.0, 150.0}) {
        SCOPED_TRACE(y);
        long double term = 1, sum = 0;
        for (int j = 0; j < 40; ++j) {
            sum += term;
            term *= y / (j + 1);
        }
        const double exact = static_cast<double>(sum * std::exp(-static_cast<long double>(y)));
        EXPECT_NEAR(ChiSquareSurvival(2 * y, 80) / exact, 1.0, 1e-10);
    }
    EXPECT_NEAR(ChiSquareSurvival(153.7, 79) / 1e-6, 1.0, 0.1);  // the critical value at 1e-6
    EXPECT_EQ(ChiSquareSurvival(0, 79), 1.0);
    EXPECT_EQ(ChiSquareSurvival(INFINITY, 79), 0.0);
}

// Over many fair histories the corrected statistic averages its 79 degrees of freedom. Without
// the correction a 20-ball history would average 60.
TEST(ChiSquare, TheCorrectionForDrawingWithoutReplacementCentresTheStatistic) {
    struct Case {
        const char* name;
        std::vector<DrawSize> sizes;
    };
    const Case cases[] = {
        {"20 balls", {{20, 100}}},
        {"22 balls", {{22, 100}}},
        {"mixed 10 and 60 balls", {{10, 60}, {60, 40}}},
    };
    SeededRandomSource random(7979);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        constexpr int kHistories = 400;
        double sum = 0;
        for (int h = 0; h < kHistories; ++h) {
            Counts counts{};
            for (const DrawSize& size : c.sizes) {
                for (std::int64_t d = 0; d < size.draws; ++d) {
                    std::vector<int> drawn;
                    DrawFromUrn(random, size.balls, std::back_inserter(drawn));
                    for (int n : drawn) ++counts[static_cast<std::size_t>(n)];
                }
            }
            sum += TestUniformity(counts, c.sizes).corrected;
        }
        // The standard error of the mean is about sqrt(2 * 79 / 400) = 0.63.
        EXPECT_NEAR(sum / kHistories, 79.0, 4.0);
    }
}

TEST(ChiSquare, AFairHistoryIsConsistentWithAFairDraw) {
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        const UniformityTest test = TestUniformity(History(3000, seed));
        EXPECT_TRUE(test.enough);
        EXPECT_EQ(test.balls, 60000);
        EXPECT_GE(test.p, 1e-6) << "seed " << seed;
        EXPECT_EQ(Verdict(test).rfind("not consistent", 0), std::string::npos) << Verdict(test);
    }
}

TEST(ChiSquare, ForgedUnfairHistoriesAreNotConsistentWithAFairDraw) {
    NumberCounts neverOne = History(2000, 11);
    // Number 1 never comes up: its draws went to number 2.
    neverOne.main[2] += neverOne.main[1];
    neverOne.main[1] = 0;
    // A sticky ball: in one game in five, 80 takes the place of the last ball when it is missing.
    NumberCounts sticky;
    SeededRandomSource random(12);
    sticky.games = 2000;
    for (int g = 0; g < sticky.games; ++g) {
        int drawn[20];
        DrawFromUrn(random, 20, drawn);
        if (g % 5 == 0 && std::find(drawn, drawn + 20, 80) == drawn + 20) drawn[19] = 80;
        for (int n : drawn) ++sticky.main[static_cast<std::size_t>(n)];
    }
    for (const NumberCounts& history : {neverOne, sticky}) {
        const UniformityTest test = TestUniformity(history);
        EXPECT_LT(test.p, 1e-6);
        EXPECT_EQ(Verdict(test), "not consistent with a fair draw, p < 0.000001");
    }
}

TEST(ChiSquare, VerdictTexts) {
    struct Case {
        std::int64_t draws;
        double p;
        const char* verdict;
    };
    const Case cases[] = {
        {19, 0.5, "too few games yet to judge the draw (20 needed)"},
        {20, 0.43, "consistent with a fair draw, p = 0.43"},
        {500, 0.996, "consistent with a fair draw, p > 0.99"},
        {500, 0.01, "consistent with a fair draw, p = 0.01"},
        {500, 0.0042, "an unusual spread for a fair draw, p = 0.0042: about 1 fair history in 238 is this uneven"},
        {500, 2.5e-6, "an unusual spread for a fair draw, p = 0.0000025: about 1 fair history in 400000 is this uneven"},
        {500, 9e-7, "not consistent with a fair draw, p < 0.000001"},
    };
    for (const Case& c : cases) {
        Counts counts{};
        const DrawSize sizes[] = {{20, c.draws}};
        UniformityTest test = TestUniformity(counts, sizes);
        test.p = c.p;
        EXPECT_EQ(Verdict(test), c.verdict);
    }
}

}  // namespace

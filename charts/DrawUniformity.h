#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "history/HistoryStore.h"

namespace keno {

// Q(a, x) = Gamma(a, x) / Gamma(a), the regularised upper incomplete gamma function (a > 0).
double RegularizedGammaQ(double a, double x);
// P(X >= x) for X chi-square distributed with `dof` degrees of freedom.
double ChiSquareSurvival(double x, double dof);

// `draws` draws of `balls` numbers each, every draw without replacement from 1..80.
struct DrawSize {
    int balls = 20;
    std::int64_t draws = 0;
};

// Pearson's chi-square test that every number of 1..80 is drawn equally often.
struct UniformityTest {
    std::int64_t draws = 0;
    std::int64_t balls = 0;  // numbers drawn in all
    bool enough = false;     // every number expected at least 5 times, so the test can be trusted
    double pearson = 0;      // X^2 = sum over the numbers of (count - expected)^2 / expected
    double corrected = 0;    // X^2 times the factor for drawing without replacement
    int dof = 79;
    double p = 1;            // P(a fair draw gives a corrected X^2 at least this large)
};

// counts[n] is how often n was drawn (index 0 unused). A draw of k distinct numbers makes the
// counts less spread than k independent balls would, by a factor (80 - k) / 79 in variance; for
// draws of mixed sizes the factor is their weighted mean, so the corrected statistic
//     X^2 * 79 * K / sum(k_i * (80 - k_i))   (K = sum of k_i over all draws)
// follows chi-square with 79 degrees of freedom: 79/60 when every draw has 20 balls, 79/58 for 22.
// This holds only when the size of each draw is fixed before its numbers are known.
UniformityTest TestUniformity(const std::array<std::int64_t, 81>& counts, std::span<const DrawSize> sizes);

// The test over a player's history. Only the 20 balls of each main draw are counted: the extra
// balls are shown only after a main draw that opened the offer, and that choice depends on the
// numbers already drawn (the player's hits), so adding them would test a mixture whose size is
// not fixed in advance. Every game, 20- or 22-ball, contributes one uniform draw of 20.
UniformityTest TestUniformity(const NumberCounts& history);

// One line for the player, e.g. "consistent with a fair draw, p = 0.43". It says how likely the
// spread is for a fair draw and nothing about which numbers to play.
std::string Verdict(const UniformityTest& test);

}  // namespace keno

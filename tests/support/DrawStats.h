#pragma once
// Goodness-of-fit helpers for the statistical tests of both draws.
#include <gtest/gtest.h>

#include <bitset>
#include <cmath>
#include <cstddef>
#include <vector>

namespace keno::stats {

// P(X >= x) for chi-square with df degrees of freedom: the regularised gamma Q(df/2, x/2), by its
// series below a + 1 and by Lentz's continued fraction above.
inline double ChiSquareTail(double x, int df) {
    const double a = df / 2.0, z = x / 2.0;
    if (z <= 0) return 1.0;
    const double prefix = std::exp(-z + a * std::log(z) - std::lgamma(a));
    if (z < a + 1) {
        double term = 1.0 / a, sum = term;
        for (int n = 1; n < 2000 && term > sum * 1e-16; ++n) sum += (term *= z / (a + n));
        return 1.0 - sum * prefix;
    }
    double b = z + 1 - a, c = 1e300, d = 1 / b, h = d;
    for (int i = 1; i < 2000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        c = b + an / c;
        d = 1 / (std::fabs(d) < 1e-300 ? 1e-300 : d);
        c = std::fabs(c) < 1e-300 ? 1e-300 : c;
        h *= d * c;
        if (std::fabs(d * c - 1) < 1e-16) break;
    }
    return prefix * h;
}

inline double LogChoose(int n, int k) { return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0); }

// P(h of s marked numbers are among `drawn` numbers taken from `pool`).
inline double Hypergeometric(int h, int s, int drawn, int pool = 80) {
    if (h < 0 || h > s || h > drawn || drawn - h > pool - s) return 0.0;
    return std::exp(LogChoose(s, h) + LogChoose(pool - s, drawn - h) - LogChoose(pool, drawn));
}

struct Fit {
    double statistic = 0;
    int df = 0;
    double pValue() const { return ChiSquareTail(statistic, df); }
};

// Pearson's statistic of counts against probabilities over `trials`; neighbouring bins are merged
// (left to right, the rest into the last bin) until each expects at least 5.
inline Fit PearsonMerged(const std::vector<long>& observed, const std::vector<double>& probability, long trials) {
    std::vector<double> expected, seen;
    double e = 0, o = 0;
    for (std::size_t i = 0; i < observed.size(); ++i) {
        e += probability[i] * static_cast<double>(trials);
        o += static_cast<double>(observed[i]);
        if (e >= 5) {
            expected.push_back(e);
            seen.push_back(o);
            e = o = 0;
        }
    }
    if (!expected.empty()) {
        expected.back() += e;
        seen.back() += o;
    }
    Fit fit;
    for (std::size_t i = 0; i < expected.size(); ++i)
        fit.statistic += (seen[i] - expected[i]) * (seen[i] - expected[i]) / expected[i];
    fit.df = static_cast<int>(expected.size()) - 1;
    return fit;
}

// Counts of hits 0..spots of `trials` draws against the hypergeometric law.
inline Fit HitsFit(const std::vector<long>& hits, int spots, int drawn, long trials) {
    std::vector<double> law;
    for (int h = 0; h < static_cast<int>(hits.size()); ++h) law.push_back(Hypergeometric(h, spots, drawn));
    return PearsonMerged(hits, law, trials);
}

// Pearson's statistic of counts against a flat expectation.
inline double FlatStatistic(const std::vector<long>& counts, double expected) {
    double x2 = 0;
    for (long c : counts) x2 += (static_cast<double>(c) - expected) * (static_cast<double>(c) - expected) / expected;
    return x2;
}

// Tallies draws of `balls` numbers: per number, per position, and how many of the first 20 each
// draw shares with the one before.
class DrawTally {
public:
    explicit DrawTally(int balls) : balls_(balls), perPosition_(static_cast<std::size_t>(balls), std::vector<long>(80)) {}

    // False when the draw repeats a number or leaves 1..80.
    template <typename It>
    bool Add(It draw) {
        std::bitset<81> all, first20;
        for (int i = 0; i < balls_; ++i, ++draw) {
            const int n = *draw;
            if (n < 1 || n > 80 || all.test(static_cast<std::size_t>(n))) return false;
            all.set(static_cast<std::size_t>(n));
            if (i < 20) first20.set(static_cast<std::size_t>(n));
            ++perNumber_[static_cast<std::size_t>(n - 1)];
            ++perPosition_[static_cast<std::size_t>(i)][static_cast<std::size_t>(n - 1)];
        }
        if (draws_++ > 0) ++shared_[(first20 & previous_).count()];
        previous_ = first20;
        return true;
    }
    // Drawing without replacement narrows each count's spread; 79 / (80 - balls) restores chi-square(79).
    double NumbersTail() const {
        const double x2 = FlatStatistic(perNumber_, static_cast<double>(draws_) * balls_ / 80.0);
        return ChiSquareTail(x2 * 79.0 / (80.0 - balls_), 79);
    }
    double PositionTail(int i) const {
        return ChiSquareTail(FlatStatistic(perPosition_[static_cast<std::size_t>(i)], static_cast<double>(draws_) / 80.0), 79);
    }
    // Two independent draws of 20 share a hypergeometric count; 20 (p = 2.8e-19) means a repeat.
    Fit SharedFit() const { return HitsFit(shared_, 20, 20, draws_ - 1); }
    long Repeats() const { return shared_[20]; }
    int balls() const { return balls_; }

private:
    int balls_;
    long draws_ = 0;
    std::vector<long> perNumber_ = std::vector<long>(80);
    std::vector<std::vector<long>> perPosition_;
    std::vector<long> shared_ = std::vector<long>(21);
    std::bitset<81> previous_;
};

constexpr double kAlpha = 1e-6;  // fixed seeds: a failure means a fault, not bad luck

// Every number and every position uniform over 1..80, and consecutive draws independent.
inline void ExpectUniformAndIndependent(const DrawTally& t, bool positions = true) {
    EXPECT_GT(t.NumbersTail(), kAlpha);
    for (int i = 0; positions && i < t.balls(); ++i) EXPECT_GT(t.PositionTail(i), kAlpha) << "ball " << i + 1;
    EXPECT_GT(t.SharedFit().pValue(), kAlpha) << "X^2 " << t.SharedFit().statistic;
    EXPECT_EQ(t.Repeats(), 0) << "two consecutive draws were identical";
}

}  // namespace keno::stats

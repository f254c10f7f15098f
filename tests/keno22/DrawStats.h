#pragma once
#include <cmath>
#include <cstddef>
#include <vector>

namespace keno::draw_stats {

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
    double Tail() const { return ChiSquareTail(statistic, df); }
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

// Pearson's statistic of per-number counts 1..80 against a flat expectation.
inline double FlatStatistic(const std::vector<long>& counts, double expected) {
    double x2 = 0;
    for (std::size_t n = 1; n < counts.size(); ++n) {
        const double d = static_cast<double>(counts[n]) - expected;
        x2 += d * d / expected;
    }
    return x2;
}

}  // namespace keno::draw_stats

#pragma once
#include <cmath>
#include <cstddef>
#include <vector>

namespace keno::stats {

// Upper tail P(X >= x) of chi-square with df degrees of freedom: the regularised gamma Q(df/2, x/2),
// by its series below a+1 and its continued fraction above.
inline double ChiSquareTail(double x, int df) {
    const double a = df / 2.0;
    const double z = x / 2.0;
    if (z <= 0) return 1.0;
    const double logPrefix = -z + a * std::log(z) - std::lgamma(a);
    if (z < a + 1) {
        double term = 1.0 / a;
        double sum = term;
        for (int n = 1; n < 1000 && term > sum * 1e-15; ++n) {
            term *= z / (a + n);
            sum += term;
        }
        return 1.0 - sum * std::exp(logPrefix);
    }
    double b = z + 1 - a;
    double c = 1e300;
    double d = 1 / b;
    double h = d;
    for (int i = 1; i < 1000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        d = std::fabs(d) < 1e-300 ? 1e-300 : d;
        c = b + an / c;
        c = std::fabs(c) < 1e-300 ? 1e-300 : c;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1) < 1e-15) break;
    }
    return std::exp(logPrefix) * h;
}

inline double LogChoose(int n, int k) {
    return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
}

// P(h of the s marked numbers among the D drawn from 80).
inline double Hypergeometric(int h, int s, int drawn) {
    if (h < 0 || h > s || h > drawn || drawn - h > 80 - s) return 0.0;
    return std::exp(LogChoose(s, h) + LogChoose(80 - s, drawn - h) - LogChoose(80, drawn));
}

struct Fit {
    double statistic = 0;
    int df = 0;
    double pValue() const { return ChiSquareTail(statistic, df); }
};

// Pearson's statistic of observed counts against probabilities over `total` trials, merging
// neighbouring bins (left to right, the remainder into the last bin) until each expects at least 5.
inline Fit PearsonMerged(const std::vector<long>& observed, const std::vector<double>& probability, long total) {
    std::vector<double> expected;
    std::vector<double> seen;
    double e = 0;
    double o = 0;
    for (std::size_t i = 0; i < observed.size(); ++i) {
        e += probability[i] * static_cast<double>(total);
        o += static_cast<double>(observed[i]);
        if (e >= 5) {
            expected.push_back(e);
            seen.push_back(o);
            e = o = 0;
        }
    }
    if (e > 0 || o > 0) {
        expected.back() += e;
        seen.back() += o;
    }
    Fit fit;
    for (std::size_t i = 0; i < expected.size(); ++i)
        fit.statistic += (seen[i] - expected[i]) * (seen[i] - expected[i]) / expected[i];
    fit.df = static_cast<int>(expected.size()) - 1;
    return fit;
}

}  // namespace keno::stats

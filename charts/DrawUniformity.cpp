#include "charts/DrawUniformity.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace keno {

namespace {

constexpr int kNumbers = 80;
constexpr double kMinExpected = 5.0;   // the usual condition for the chi-square approximation
constexpr double kUnusual = 0.01;      // below this a spread is called unusual
constexpr double kImplausible = 1e-6;  // below this it is called not consistent with a fair draw
constexpr double kEpsilon = 1e-15;
constexpr int kMaxIterations = 10000;

// exp(-x) x^a / Gamma(a), in logarithms so that large a and x do not overflow.
double Prefactor(double a, double x) { return std::exp(-x + a * std::log(x) - std::lgamma(a)); }

// P(a, x) by its power series; converges quickly for x < a + 1.
double LowerSeries(double a, double x) {
    double term = 1.0 / a, sum = term;
    for (int n = 1; n < kMaxIterations; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kEpsilon) break;
    }
    return sum * Prefactor(a, x);
}

// Q(a, x) by its continued fraction (modified Lentz); converges quickly for x >= a + 1 and keeps
// its relative accuracy however small Q is.
double UpperFraction(double a, double x) {
    constexpr double tiny = std::numeric_limits<double>::min() / kEpsilon;
    double b = x + 1.0 - a, c = 1.0 / tiny, d = 1.0 / b, h = d;
    for (int i = 1; i < kMaxIterations; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny) d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon) break;
    }
    return Prefactor(a, x) * h;
}

// p as the player reads it: two decimals from 0.01 up, two significant digits below.
std::string PText(double p) {
    char text[32];
    if (p > 0.995) return "p > 0.99";
    if (p >= kUnusual) {
        std::snprintf(text, sizeof text, "p = %.2f", p);
    } else {
        const int decimals = 1 - static_cast<int>(std::floor(std::log10(p)));
        std::snprintf(text, sizeof text, "p = %.*f", decimals, p);
    }
    return text;
}

}  // namespace

double RegularizedGammaQ(double a, double x) {
    if (!(a > 0) || std::isnan(x)) return std::numeric_limits<double>::quiet_NaN();
    if (x <= 0) return 1.0;
    if (std::isinf(x)) return 0.0;
    if (x < a + 1.0) return std::clamp(1.0 - LowerSeries(a, x), 0.0, 1.0);
    return std::clamp(UpperFraction(a, x), 0.0, 1.0);
}

double ChiSquareSurvival(double x, double dof) { return RegularizedGammaQ(dof / 2.0, x / 2.0); }

UniformityTest TestUniformity(const std::array<std::int64_t, 81>& counts, std::span<const DrawSize> sizes) {
    UniformityTest test;
    double spread = 0;  // sum of k (80 - k) over the draws
    for (const DrawSize& size : sizes) {
        if (size.draws <= 0 || size.balls <= 0 || size.balls >= kNumbers) continue;
        test.draws += size.draws;
        test.balls += size.draws * size.balls;
        spread += static_cast<double>(size.draws) * size.balls * (kNumbers - size.balls);
    }
    const double expected = static_cast<double>(test.balls) / kNumbers;
    test.enough = test.balls > 0 && expected >= kMinExpected;
    if (test.balls == 0) return test;
    for (int n = 1; n <= kNumbers; ++n) {
        const double deviation = static_cast<double>(counts[static_cast<std::size_t>(n)]) - expected;
        test.pearson += deviation * deviation / expected;
    }
    test.corrected = test.pearson * (kNumbers - 1) * static_cast<double>(test.balls) / spread;
    test.p = ChiSquareSurvival(test.corrected, test.dof);
    return test;
}

UniformityTest TestUniformity(const NumberCounts& history) {
    const DrawSize mainDraws[] = {{20, history.games}};
    return TestUniformity(history.main, mainDraws);
}

std::string Verdict(const UniformityTest& test) {
    if (!test.enough) {
        const double perDraw = test.draws > 0 ? static_cast<double>(test.balls) / static_cast<double>(test.draws) : 20.0;
        const auto needed = static_cast<long long>(std::ceil(kMinExpected * kNumbers / perDraw));
        return "too few games yet to judge the draw (" + std::to_string(needed) + " needed)";
    }
    if (test.p >= kUnusual) return "consistent with a fair draw, " + PText(test.p);
    if (test.p >= kImplausible) {
        const auto oneIn = static_cast<long long>(std::llround(1.0 / test.p));
        return "an unusual spread for a fair draw, " + PText(test.p) + ": about 1 fair history in " +
               std::to_string(oneIn) + " is this uneven";
    }
    return "not consistent with a fair draw, p < 0.000001";
}

}  // namespace keno

#include "chi_square.h"

#include <cmath>
#include <numeric>

namespace fairness {
namespace {

constexpr double kEpsilon = 1e-15;
constexpr int kMaxTerms = 10000;

// Lower part P(a, x) by its power series; converges quickly for x < a + 1.
double LowerSeries(double a, double x) {
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < kMaxTerms && std::fabs(term) > std::fabs(sum) * kEpsilon; ++n) {
        term *= x / (a + n);
        sum += term;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Upper part Q(a, x) by its continued fraction (modified Lentz); for x >= a + 1.
double UpperFraction(double a, double x) {
    constexpr double kTiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / kTiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < kMaxTerms; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < kTiny) d = kTiny;
        c = b + an / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1.0 / d;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) < kEpsilon) break;
    }
    return h * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

}  // namespace

double UpperGammaQ(double a, double x) {
    if (x <= 0.0) return 1.0;
    if (x < a + 1.0) return 1.0 - LowerSeries(a, x);
    return UpperFraction(a, x);
}

double PearsonChiSquare(const std::vector<std::uint64_t>& hits, const std::vector<double>& shares) {
    const double draws = static_cast<double>(std::accumulate(hits.begin(), hits.end(), std::uint64_t{0}));
    double sum = 0.0;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const double expected = draws * shares[i];
        const double gap = static_cast<double>(hits[i]) - expected;
        sum += gap * gap / expected;
    }
    return sum;
}

}  // namespace fairness

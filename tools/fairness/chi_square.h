// Pearson's chi-square of observed counts against stated shares, and its
// p-value from the chi-square distribution.
#ifndef RAVLO_FAIRNESS_CHI_SQUARE_H
#define RAVLO_FAIRNESS_CHI_SQUARE_H

#include <cstdint>
#include <vector>

namespace fairness {

// Regularized upper incomplete gamma function Q(a, x), for a > 0, x >= 0.
double UpperGammaQ(double a, double x);

// Chance that a chi-square variable with `df` degrees of freedom is at least x.
inline double ChiSquareSurvival(double x, int df) { return UpperGammaQ(df / 2.0, x / 2.0); }

// Sum of (hits - expected)^2 / expected, expected = draws * share.
double PearsonChiSquare(const std::vector<std::uint64_t>& hits, const std::vector<double>& shares);

}  // namespace fairness

#endif

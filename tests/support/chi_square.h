#pragma once
// Pearson's chi-square goodness-of-fit, for the tests that check the draw's fairness.
#include <cmath>
#include <cstddef>
#include <vector>

namespace stats {

// Sum of (observed − expected)² / expected over the categories.
inline double chiSquare(const std::vector<double>& observed, const std::vector<double>& expected) {
  double sum = 0;
  for (size_t i = 0; i < observed.size(); ++i) {
    const double d = observed[i] - expected[i];
    sum += d * d / expected[i];
  }
  return sum;
}

// Equal expectation in every category.
inline double chiSquareUniform(const std::vector<double>& observed) {
  double total = 0;
  for (double o : observed) total += o;
  return chiSquare(observed, std::vector<double>(observed.size(), total / double(observed.size())));
}

// The value a chi-square variable with `df` degrees of freedom exceeds with probability
// 0.001 (Wilson–Hilferty; within 1% of the tables for df ≥ 5). A fair source fails a test at
// this level once in a thousand seeds; the tests use fixed seeds, so they never flake.
inline double critical001(double df) {
  const double z = 3.090232;  // the standard normal's 99.9% point
  const double a = 2.0 / (9.0 * df);
  return df * std::pow(1.0 - a + z * std::sqrt(a), 3);
}

}  // namespace stats

// The standard error of the average of correlated values, by blocking
// (H. Flyvbjerg and H. G. Petersen, J. Chem. Phys. 91, 461 (1989)).
//
// The values are taken in scope order, which down a column is the order of
// the samples in time. Level 0 holds the values; each further level holds
// the averages of neighbouring pairs of the level below (an odd count
// leaves its last value out of the pairs). At level j, with n_j values of
// variance s_j^2 (divisor n_j - 1), the standard error of the average is
// estimated as sigma_j = sqrt(s_j^2 / n_j); for correlated values it grows
// with j until the blocks of 2^j values are longer than the correlation,
// then stays level. The level is chosen by the criterion of M. Lee, R. J.
// Needs and N. D. Drummond, Phys. Rev. B 83, 066706 (2011): the smallest
// block length B = 2^j with B^3 > 2 n (sigma_j / sigma_0)^4, n the number
// of values. Only levels of at least kMinBlocks values count, so that the
// estimate's own relative error, about 1 / sqrt(2 (n_j - 1)), stays below
// a fifth (0.18 at 16 blocks); a scope where no such level meets the
// criterion (fewer than kMinBlocks values, or too few blocks for the length
// of its correlation) has no result.
//
// Two passes: the first takes the exact sum for the average and the
// largest magnitude, the second blocks the deviations from the average in
// double precision, scaled by a power of two that brings the largest value
// near 1 (so that no square overflows or vanishes), with only a handful of
// running totals per level: nothing is held but log2(n) levels. An error
// bar needs no more precision than that: its own statistical error,
// 1 / sqrt(2 (n_j - 1)), lies far above the rounding of double sums. A scope of
// equal values gives 0; a NaN or an infinity gives NaN. int cells: the result
// is truncated toward zero.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>
#include <type_traits>
#include <vector>

#include "number/cell_convert.h"
#include "stats/exact_sum.h"
#include "stats/outcome.h"

namespace tabsift {

template <typename T>
class BlockedErrorAccumulator {
 public:
  static constexpr std::string_view kName = "blocked standard error";
  static constexpr int kPasses = 2;
  static constexpr std::size_t kMinBlocks = 16;

  void take(T x) {
    if (pass_ == 0) {
      sum_.add(static_cast<double>(x));
      largest_ = std::max(largest_, std::fabs(static_cast<double>(x)));
      ++n_;
    } else {
      block(static_cast<double>(x) * scale_ - scaledMean_);
    }
  }
  void endPass() {
    if (pass_ == 0 && n_ > 0) {
      mean_ = sum_.rounded(kDoubleFormat, n_);
      int exponent = 0;
      if (std::isfinite(largest_)) std::frexp(largest_, &exponent);
      scaleExponent_ = std::clamp(-exponent, -1000, 1000);
      scale_ = std::ldexp(1.0, scaleExponent_);
      scaledMean_ = mean_ * scale_;
    }
    ++pass_;
  }
  void reset() {
    sum_.reset();
    levels_.clear();
    mean_ = scaledMean_ = largest_ = 0;
    scale_ = 1;
    scaleExponent_ = 0;
    n_ = 0;
    pass_ = 0;
  }
  Outcome<T> finish(ScopeKind) const;

 private:
  // The running totals of one level, and the first of a pair not yet made.
  struct Level {
    double sum = 0;
    double squares = 0;
    double pending = 0;
    std::size_t n = 0;
  };

  // Takes y at level 0; each completed pair goes up a level as its average.
  void block(double y) {
    for (std::size_t j = 0;; ++j) {
      if (j == levels_.size()) levels_.emplace_back();
      Level& level = levels_[j];
      level.sum += y;
      level.squares += y * y;
      if (level.n++ % 2 == 0) {
        level.pending = y;
        return;
      }
      y = (level.pending + y) / 2;
    }
  }

  // sigma_j^2: the variance of the level's values over their number.
  double squaredError(std::size_t j) const {
    const Level& level = levels_[j];
    const double n = static_cast<double>(level.n);
    const double variance =
        (level.squares - level.sum * level.sum / n) / (n - 1);
    return variance > 0 ? variance / n : 0;
  }

  // The error from its scaled square.
  Outcome<T> result(double squared) const {
    const double root = std::ldexp(std::sqrt(squared), -scaleExponent_);
    if constexpr (std::is_same_v<T, int>) {
      return intOutcome(static_cast<__int128>(root));
    } else if constexpr (std::is_same_v<T, float>) {
      return Outcome<T>::present(roundToFloat(root));
    } else {
      return Outcome<T>::present(root);
    }
  }

  ExactSum sum_;
  std::vector<Level> levels_;
  double mean_ = 0;
  double largest_ = 0;  // the largest magnitude of a value
  double scale_ = 1;    // 2^scaleExponent_
  int scaleExponent_ = 0;
  double scaledMean_ = 0;
  std::size_t n_ = 0;
  int pass_ = 0;
};

template <typename T>
Outcome<T> BlockedErrorAccumulator<T>::finish(ScopeKind) const {
  if (n_ == 0) return Outcome<T>::absent();
  if (n_ < kMinBlocks) return Outcome<T>::tooShort();
  if constexpr (!std::is_same_v<T, int>) {
    if (!std::isfinite(mean_)) {
      return Outcome<T>::present(std::numeric_limits<T>::quiet_NaN());
    }
  }
  const double first = squaredError(0);
  if (first == 0) return Outcome<T>::present(0);
  const double limit = 2 * static_cast<double>(n_);
  for (std::size_t j = 1; j < levels_.size() && levels_[j].n >= kMinBlocks;
       ++j) {
    const double ratio = squaredError(j) / first;
    if (std::ldexp(double(1), static_cast<int>(3 * j)) >
        limit * ratio * ratio) {
      return result(squaredError(j));
    }
  }
  return Outcome<T>::tooShort();
}

}  // namespace tabsift

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
// of values. Only levels of at least kMinBlocks values count: below that
// the estimate is too rough (its relative error is about
// 1 / sqrt(2 (n_j - 1)), a fifth at 16 blocks), so a scope where no such
// level meets the criterion (fewer than kMinBlocks values, or too few
// blocks for the length of its correlation) has no result.
//
// Two passes: the first takes the exact sum for the average, the second
// blocks the deviations from it, so that every level is as accurate as the
// deviation's second pass (long double; double for float cells), with only
// a handful of running totals per level: nothing is held but log2(n)
// levels. A scope of equal values gives 0; a NaN or an infinity gives NaN.
// int cells: the result is truncated toward zero.
#pragma once

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
      ++n_;
    } else {
      block(static_cast<Wide>(x) - mean_);
    }
  }
  void endPass() {
    if (pass_ == 0 && n_ > 0) {
      if constexpr (std::is_same_v<T, float>) {
        mean_ = sum_.rounded(kDoubleFormat, n_);
      } else {
        mean_ = sum_.roundedWide(n_);
      }
    }
    ++pass_;
  }
  void reset() {
    sum_.reset();
    levels_.clear();
    mean_ = 0;
    n_ = 0;
    pass_ = 0;
  }
  Outcome<T> finish(ScopeKind) const;

 private:
  using Wide =
      std::conditional_t<std::is_same_v<T, float>, double, long double>;

  // The running totals of one level, and the first of a pair not yet made.
  struct Level {
    Wide sum = 0;
    Wide squares = 0;
    Wide pending = 0;
    std::size_t n = 0;
  };

  // Takes y at level 0; each completed pair goes up a level as its average.
  void block(Wide y) {
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
  Wide squaredError(std::size_t j) const {
    const Level& level = levels_[j];
    const Wide n = static_cast<Wide>(level.n);
    const Wide variance = (level.squares - level.sum * level.sum / n) / (n - 1);
    return variance > 0 ? variance / n : 0;
  }

  Outcome<T> result(Wide squared) const {
    if constexpr (std::is_same_v<T, int>) {
      return intOutcome(static_cast<__int128>(std::sqrt(squared)));
    } else if constexpr (std::is_same_v<T, float>) {
      return Outcome<T>::present(roundToFloat(std::sqrt(squared)));
    } else {
      return Outcome<T>::present(roundToDouble(std::sqrt(squared)));
    }
  }

  ExactSum sum_;
  std::vector<Level> levels_;
  Wide mean_ = 0;
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
  const Wide first = squaredError(0);
  if (first == 0) return Outcome<T>::present(0);
  const Wide limit = 2 * static_cast<Wide>(n_);
  for (std::size_t j = 1; j < levels_.size() && levels_[j].n >= kMinBlocks;
       ++j) {
    const Wide ratio = squaredError(j) / first;
    if (std::ldexp(Wide(1), static_cast<int>(3 * j)) > limit * ratio * ratio) {
      return result(squaredError(j));
    }
  }
  return Outcome<T>::tooShort();
}

}  // namespace tabsift

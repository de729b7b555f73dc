// The statistics as accumulators over the present values of one scope (one
// line, or one column of a file or of all files), in the arithmetic of the
// cell type T. The scope walker (stats/scope_walk.h) feeds them; unit tests
// feed them directly.
//
// Every accumulator has the same shape:
//   kName        the statistic's name in messages
//   kPasses      how many times the walker hands it the values of its scope
//   take(x)      one present value, in scope order (files, lines, cells)
//   endPass()    called after each pass
//   finish(m)    the result; m says whether the scope is a line or a column,
//                because count and sum give 0 for a line without values but
//                an absent cell for a column without values
//   reset()      ready for another scope, keeping allocated memory
// and one that holds every value of its scope also has
//   reserve(n)   room for n values
//
// A NaN result is written without a sign ("nan"), except that a sum and an
// average keep the sign of the first NaN of the scope, as a chain of
// additions passes it on.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/check.h"
#include "base/large_block.h"
#include "number/cell_convert.h"
#include "stats/exact_sum.h"
#include "stats/order_statistics.h"
#include "stats/outcome.h"

namespace tabsift {

template <typename T>
class CountAccumulator {
 public:
  static constexpr std::string_view kName = "count";
  static constexpr int kPasses = 1;
  void take(T) { ++n_; }
  void endPass() {}
  void reset() { n_ = 0; }
  Outcome<T> finish(ScopeKind scope) const {
    if (n_ == 0 && scope == ScopeKind::kColumn) return Outcome<T>::absent();
    if constexpr (std::is_same_v<T, int>) {
      return intOutcome(static_cast<__int128>(n_));
    } else {
      return Outcome<T>::present(static_cast<T>(n_));
    }
  }

 private:
  std::size_t n_ = 0;
};

// The exact total of the values and how many there were: a 128-bit integer
// for int cells, an ExactSum for float and double cells.
template <typename T>
class RunningTotal {
 public:
  static constexpr int kPasses = 1;
  void take(T x) {
    if constexpr (std::is_same_v<T, int>) {
      total_ += x;
    } else {
      total_.add(x);
    }
    ++n_;
  }
  void endPass() {}
  void reset() {
    if constexpr (std::is_same_v<T, int>) {
      total_ = 0;
    } else {
      total_.reset();
    }
    n_ = 0;
  }

 protected:
  // The total divided by `divisor`, rounded once to T: for int cells the
  // exact quotient truncated toward zero, when it fits.
  Outcome<T> quotient(std::size_t divisor) const {
    if constexpr (std::is_same_v<T, int>) {
      return intOutcome(total_ / static_cast<__int128>(divisor));
    } else if constexpr (std::is_same_v<T, float>) {
      return Outcome<T>::present(
          roundToFloat(total_.rounded(kFloatFormat, divisor)));
    } else {
      return Outcome<T>::present(total_.rounded(kDoubleFormat, divisor));
    }
  }

  std::conditional_t<std::is_same_v<T, int>, __int128, ExactSum> total_{};
  std::size_t n_ = 0;
};

// The exact total rounded once to T.
template <typename T>
class SumAccumulator : public RunningTotal<T> {
 public:
  static constexpr std::string_view kName = "sum";
  Outcome<T> finish(ScopeKind scope) const {
    if (this->n_ == 0 && scope == ScopeKind::kColumn) {
      return Outcome<T>::absent();
    }
    return this->quotient(1);
  }
};

// The exact total divided by the number of values, rounded once to T (int
// cells: the exact quotient truncated toward zero).
template <typename T>
class AverageAccumulator : public RunningTotal<T> {
 public:
  static constexpr std::string_view kName = "average";
  Outcome<T> finish(ScopeKind) const {
    if (this->n_ == 0) return Outcome<T>::absent();
    return this->quotient(this->n_);
  }
};

// The lowest value of the scope, or with kHighest the highest. -0 counts as
// below +0; infinities are the ends of the order. A NaN makes the result
// NaN, as it makes the sum and the average. No value: an absent cell.
template <typename T, bool kHighest>
class ExtremeAccumulator {
 public:
  static constexpr std::string_view kName = kHighest ? "highest" : "lowest";
  static constexpr int kPasses = 1;
  void take(T x) {
    if constexpr (std::is_same_v<T, int>) {
      extreme_ = kHighest ? std::max(extreme_, x) : std::min(extreme_, x);
    } else if (std::isnan(x)) {
      nan_ = true;
    } else if (kHighest ? x > extreme_ : x < extreme_) {
      extreme_ = x;
    } else if (x == 0 && extreme_ == 0 && std::signbit(x) != kHighest) {
      extreme_ = x;
    }
    ++n_;
  }
  void endPass() {}
  void reset() { *this = ExtremeAccumulator(); }
  Outcome<T> finish(ScopeKind) const {
    if (n_ == 0) return Outcome<T>::absent();
    if (nan_) return Outcome<T>::present(std::numeric_limits<T>::quiet_NaN());
    return Outcome<T>::present(extreme_);
  }

 private:
  // Every value is at or beyond the start: the far end of the order.
  using Limits = std::numeric_limits<T>;
  static constexpr T kTop =
      Limits::has_infinity ? Limits::infinity() : Limits::max();
  static constexpr T kBottom =
      Limits::has_infinity ? -Limits::infinity() : Limits::lowest();
  T extreme_ = kHighest ? kBottom : kTop;
  bool nan_ = false;
  std::size_t n_ = 0;
};

template <typename T>
using LowestAccumulator = ExtremeAccumulator<T, false>;
template <typename T>
using HighestAccumulator = ExtremeAccumulator<T, true>;

// The values of a scope, held for a statistic read off their order.
template <typename T>
class HeldValues {
 public:
  static constexpr int kPasses = 1;
  void take(T x) { values_.push_back(x); }
  void endPass() {}
  void reset() { values_.clear(); }
  void reserve(std::size_t n) { values_.reserve(n); }

 protected:
  std::vector<T, LargeBlockAllocator<T>> values_;
};

template <typename T>
class MedianAccumulator : public HeldValues<T> {
 public:
  static constexpr std::string_view kName = "median";
  Outcome<T> finish(ScopeKind) { return medianOf(this->values_); }
};

// The percentile of `percent`, from 0 to 100 (stats/order_statistics.h).
template <typename T>
class PercentileAccumulator : public HeldValues<T> {
 public:
  static constexpr std::string_view kName = "percentile";
  explicit PercentileAccumulator(Percent percent) : percent_(percent) {
    TABSIFT_ASSERT(percent.numerator <= percent.denominator());
  }
  Outcome<T> finish(ScopeKind) {
    return percentileOf(this->values_, percent_, sum_);
  }

 private:
  Percent percent_;
  ExactSum sum_;  // working space of the interpolation
};

// The sample standard deviation (divisor n - 1), computed accurately, or
// with kOfAverage the standard error of the average: the same deviation
// divided by the square root of n, from the same variance.
// int cells: exact integer sums of the values and of their squares, and the
// exact result truncated toward zero. float and double cells: two passes,
// the first for the mean (the exact sum divided by n, rounded once, so a
// scope of one value has exactly that value as its mean and no deviation),
// the second for the deviations from it (with the correction term for the
// rounding of the mean), in long double for double cells and in double for
// float cells, which is far more than a float result needs; a variance that
// rounding leaves below zero counts as 0. One value gives NaN for float and
// double and an absent cell for int; no value gives an absent cell.
template <typename T, bool kOfAverage>
class SpreadAccumulator {
 public:
  static constexpr std::string_view kName =
      kOfAverage ? "standard error" : "standard deviation";
  static constexpr int kPasses = std::is_same_v<T, int> ? 1 : 2;

  void take(T x) {
    if constexpr (std::is_same_v<T, int>) {
      sum_ += x;
      const std::int64_t square = static_cast<std::int64_t>(x) * x;
      squares_ += static_cast<unsigned __int128>(square);
      ++n_;
    } else if (pass_ == 0) {
      sum_.add(x);
      ++n_;
    } else {
      const Wide d = static_cast<Wide>(x) - mean_;
      deviations_ += d;
      squares_ += d * d;
    }
  }
  void endPass() {
    if constexpr (!std::is_same_v<T, int>) {
      if (pass_ == 0 && n_ > 0) {
        if constexpr (std::is_same_v<T, float>) {
          mean_ = sum_.rounded(kDoubleFormat, n_);
        } else {
          mean_ = sum_.roundedWide(n_);
        }
      }
      ++pass_;
    }
  }
  void reset() {
    if constexpr (std::is_same_v<T, int>) {
      sum_ = 0;
    } else {
      sum_.reset();
    }
    squares_ = 0;
    mean_ = deviations_ = 0;
    n_ = 0;
    pass_ = 0;
  }
  Outcome<T> finish(ScopeKind) const;

 private:
  using Wide =
      std::conditional_t<std::is_same_v<T, float>, double, long double>;
  using Sum = std::conditional_t<std::is_same_v<T, int>, __int128, ExactSum>;
  using Squares =
      std::conditional_t<std::is_same_v<T, int>, unsigned __int128, Wide>;
  Sum sum_{};
  Squares squares_ = 0;
  Wide mean_ = 0;
  Wide deviations_ = 0;
  std::size_t n_ = 0;
  int pass_ = 0;
};

template <typename T>
using DeviationAccumulator = SpreadAccumulator<T, false>;
template <typename T>
using StandardErrorAccumulator = SpreadAccumulator<T, true>;

// The sample standard deviation of int cells, or with `ofAverage` the
// standard error, truncated toward zero. Exact while the number of values
// stays below 2^32, when n * squares, sum * sum and n^2 (n - 1) cannot leave
// 128 bits.
Outcome<int> intSampleDeviation(__int128 sum, unsigned __int128 squares,
                                std::size_t n, bool ofAverage);

template <typename T, bool kOfAverage>
Outcome<T> SpreadAccumulator<T, kOfAverage>::finish(ScopeKind) const {
  if (n_ == 0) return Outcome<T>::absent();
  if constexpr (std::is_same_v<T, int>) {
    return intSampleDeviation(sum_, squares_, n_, kOfAverage);
  } else {
    if (n_ == 1)
      return Outcome<T>::present(std::numeric_limits<T>::quiet_NaN());
    const Wide n = static_cast<Wide>(n_);
    Wide variance = (squares_ - deviations_ * deviations_ / n) / (n - 1);
    if (variance < 0) variance = 0;
    if (kOfAverage) variance /= n;
    const double root = roundToDouble(std::sqrt(variance));
    if constexpr (std::is_same_v<T, float>) {
      return Outcome<T>::present(unsignedNan(roundToFloat(root)));
    } else {
      return Outcome<T>::present(unsignedNan(root));
    }
  }
}

}  // namespace tabsift

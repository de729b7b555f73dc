// Statistics read off the sorted values of a scope: the median and the
// percentiles. The values are in ascending order with NaN after every
// number and -0 before +0 (as the lowest and highest see them); no scope is
// sorted in full, the ranks asked for are selected.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/check.h"
#include "number/cell_convert.h"
#include "stats/exact_sum.h"
#include "stats/outcome.h"
#include "stats/request.h"

namespace tabsift {

// The middle of two middle values a <= b of a median. int: the exact mean
// truncated toward zero. float, double: (a + b) / 2 in T, halving first
// when the sum alone would overflow.
template <typename T>
T midpoint(T a, T b) {
  if constexpr (std::is_same_v<T, int>) {
    return static_cast<int>((static_cast<std::int64_t>(a) + b) / 2);
  } else {
    T sum = a + b;
    if (std::isinf(sum) && std::isfinite(a) && std::isfinite(b)) {
      return a / 2 + b / 2;
    }
    return sum / 2;
  }
}

// A zero selected at `rank` among `numbers` (no NaN) with its sign in the
// order where -0 lies below +0: the other zeros compare equal to it, so the
// selection alone may have picked either.
template <typename T>
T zeroAtRank(const T* numbers, std::size_t count, std::size_t rank) {
  std::size_t below = 0;
  for (std::size_t i = 0; i < count; ++i) {
    below += numbers[i] < 0 || (numbers[i] == 0 && std::signbit(numbers[i]));
  }
  return rank < below ? T(-0.0) : T(0);
}

// The values at `rank` and, with `next`, at rank + 1 of `values` in
// ascending order (NaN last, -0 before +0); `values` is reordered. A rank
// among the NaNs gives a NaN; `second` is NaN when not asked for.
template <typename T, typename Allocator>
std::pair<T, T> ranked(std::vector<T, Allocator>& values, std::size_t rank,
                       bool next) {
  TABSIFT_ASSERT(rank + (next ? 1 : 0) < values.size());
  const T nan = std::numeric_limits<T>::quiet_NaN();
  auto begin = values.begin();
  auto numbersEnd = values.end();
  if constexpr (!std::is_same_v<T, int>) {
    numbersEnd =
        std::partition(begin, values.end(), [](T x) { return !std::isnan(x); });
  }
  const std::size_t numbers = static_cast<std::size_t>(numbersEnd - begin);
  T first = nan;
  T second = nan;
  if (rank < numbers) {
    std::nth_element(begin, begin + rank, numbersEnd);
    first = values[rank];
    if (next && rank + 1 < numbers) {
      second = *std::min_element(begin + rank + 1, numbersEnd);
    }
  }
  if constexpr (!std::is_same_v<T, int>) {
    if (first == 0) first = zeroAtRank(values.data(), numbers, rank);
    if (second == 0) second = zeroAtRank(values.data(), numbers, rank + 1);
  }
  return {first, second};
}

// A NaN result of an order statistic or a spread is written without a
// sign: only sums and averages pass on the sign of a NaN.
template <typename T>
T unsignedNan(T x) {
  if constexpr (std::is_same_v<T, int>) {
    return x;
  } else {
    return std::isnan(x) ? std::numeric_limits<T>::quiet_NaN() : x;
  }
}

// The median of `values`, which it reorders; an empty list has none.
template <typename T, typename Allocator>
Outcome<T> medianOf(std::vector<T, Allocator>& values) {
  const std::size_t n = values.size();
  if (n == 0) return Outcome<T>::absent();
  if (n % 2 == 1)
    return Outcome<T>::present(ranked(values, n / 2, false).first);
  const auto [lower, upper] = ranked(values, n / 2 - 1, true);
  return Outcome<T>::present(unsignedNan(midpoint(lower, upper)));
}

// a + (b - a) * w / d for a <= b, 0 < w < d, with weights d - w and w:
// int cells exactly, truncated toward zero; float and double cells the
// exact value rounded once. With an infinity it is (1 - f) a + f b as IEEE
// arithmetic gives it: that infinity, or NaN for infinities of both signs;
// between -0 and +0 it is +0.
template <typename T>
T interpolate(T a, T b, std::uint64_t w, std::uint64_t d, ExactSum& sum) {
  TABSIFT_ASSERT(w > 0 && w < d);
  if constexpr (std::is_same_v<T, int>) {
    const __int128 weighted =
        static_cast<__int128>(a) * (d - w) + static_cast<__int128>(b) * w;
    return static_cast<int>(weighted / static_cast<__int128>(d));
  } else {
    if (a == b) return a == 0 ? a + b : a;
    if (!std::isfinite(a) || !std::isfinite(b)) {
      if (std::isnan(a) || std::isnan(b) || std::isinf(a) == std::isinf(b))
        return std::numeric_limits<T>::quiet_NaN();
      return std::isinf(a) ? a : b;
    }
    sum.reset();
    sum.addScaled(a, d - w);
    sum.addScaled(b, w);
    if constexpr (std::is_same_v<T, float>) {
      return roundToFloat(sum.rounded(kFloatFormat, d));
    } else {
      return sum.rounded(kDoubleFormat, d);
    }
  }
}

// The percentile of `values` (reordered) by linear interpolation between
// the closest ranks: with n values, h = (n - 1) N / 100 and the result
// x[floor h] + (h - floor h) (x[floor h + 1] - x[floor h]). Rounded once
// (truncated for int cells), halfway between two ranks it is the midpoint
// as the median takes it, so the 50th percentile is the median. `sum` is
// working space.
template <typename T, typename Allocator>
Outcome<T> percentileOf(std::vector<T, Allocator>& values, Percent percent,
                        ExactSum& sum) {
  const std::size_t n = values.size();
  if (n == 0) return Outcome<T>::absent();
  const std::uint64_t d = percent.denominator();
  TABSIFT_ASSERT(percent.numerator <= d);
  const unsigned __int128 h =
      static_cast<unsigned __int128>(n - 1) * percent.numerator;
  const auto rank = static_cast<std::size_t>(h / d);
  const auto w = static_cast<std::uint64_t>(h % d);
  if (w == 0) return Outcome<T>::present(ranked(values, rank, false).first);
  const auto [a, b] = ranked(values, rank, true);
  return Outcome<T>::present(interpolate(a, b, w, d, sum));
}

}  // namespace tabsift

// Reduction of a wider number to the cell type T, without undefined
// conversions: a double stays as it is (a long double becomes the nearest
// double), a float is the nearest float (infinity beyond the float range),
// an int is truncated toward zero and exists only when the truncated value
// fits in 32 bits.
#pragma once

#include <cfloat>
#include <climits>
#include <cmath>
#include <optional>
#include <type_traits>

namespace tabsift {

// The float nearest to x, as IEEE rounding gives it: values beyond the float
// range become infinity of their sign; NaN stays NaN.
inline float roundToFloat(double x) {
  // FLT_MAX plus half of its unit in the last place: from there on the
  // nearest float (ties to even) is infinity.
  constexpr double kOverflow = 3.4028235677973366e38;  // 2^128 - 2^103
  if (std::isnan(x)) return static_cast<float>(x);
  if (x >= kOverflow) return INFINITY;
  if (x <= -kOverflow) return -INFINITY;
  if (x > FLT_MAX) return FLT_MAX;
  if (x < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(x);
}

// The double nearest to the long double x, without an out-of-range
// conversion: beyond the double range it becomes infinity of its sign.
inline double roundToDouble(long double x) {
  if (std::isnan(x) || std::fabs(x) <= DBL_MAX) return static_cast<double>(x);
  // From DBL_MAX plus half of its unit in the last place on, the nearest
  // double (ties to even) is infinity.
  const long double overflow =
      static_cast<long double>(DBL_MAX) + std::ldexp(1.0L, 970);
  const double magnitude = std::fabs(x) >= overflow ? HUGE_VAL : DBL_MAX;
  return x < 0 ? -magnitude : magnitude;
}

// x truncated toward zero, when that is a 32-bit int; nothing for NaN,
// infinity and values outside the int range.
inline std::optional<int> truncateToInt(double x) {
  if (!(x > static_cast<double>(INT_MIN) - 1.0 &&
        x < static_cast<double>(INT_MAX) + 1.0)) {
    return std::nullopt;
  }
  return static_cast<int>(x);
}

// The cell of type T that x reduces to, or nothing when T cannot hold it
// (only int cells: NaN, infinity, out of range).
template <typename T>
std::optional<T> cellFromDouble(double x);

template <>
inline std::optional<double> cellFromDouble<double>(double x) {
  return x;
}
template <>
inline std::optional<float> cellFromDouble<float>(double x) {
  return roundToFloat(x);
}
template <>
inline std::optional<int> cellFromDouble<int>(double x) {
  return truncateToInt(x);
}

// The tolerance setting in the cell type: int cells truncate toward zero and
// saturate at the int range (NaN gives 0), float cells round.
template <typename T>
T toleranceToCell(double x) {
  if constexpr (std::is_same_v<T, int>) {
    if (std::isnan(x)) return 0;
    if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(x);
  } else if constexpr (std::is_same_v<T, float>) {
    return roundToFloat(x);
  } else {
    return x;
  }
}

}  // namespace tabsift

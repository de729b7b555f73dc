// One condition of the row filter: a comparison of a cell with a threshold,
// widened by a tolerance in the direction that admits more values.
#pragma once

#include <cmath>
#include <optional>
#include <string_view>
#include <type_traits>

#include "number/cell_convert.h"

namespace tabsift {

enum class Comparison { kLt, kGt, kLe, kGe, kEq, kNe };

// The comparison named "lt", "gt", "le", "ge", "eq" or "ne"; nothing for any
// other text.
std::optional<Comparison> comparisonFromName(std::string_view name);

// The limit of "le" formed in the cell type: the threshold reduced to T, the
// tolerance added in T's arithmetic. int cells add in 64 bits so that no sum
// overflows; a threshold beyond the int range stays beyond every int cell.
inline bool lessOrEqualInCellType(int x, double v, int t) {
  if (std::isnan(v)) return false;
  constexpr double kBound = 4611686018427387904.0;  // 2^62
  double truncated = std::trunc(v);
  if (truncated > kBound) truncated = kBound;
  if (truncated < -kBound) truncated = -kBound;
  return static_cast<long long>(x) <=
         static_cast<long long>(truncated) + static_cast<long long>(t);
}
inline bool lessOrEqualInCellType(float x, double v, float t) {
  float limit = roundToFloat(v) + t;
  return x <= limit;
}
inline bool lessOrEqualInCellType(double x, double v, double t) {
  return x <= v + t;
}

// Whether cell value x meets `op` with threshold v and tolerance t. Every
// test runs in double except "le", whose limit is formed in the cell type.
template <typename T>
bool conditionHolds(Comparison op, T cell, double v, T tol) {
  const double x = static_cast<double>(cell);
  const double t = static_cast<double>(tol);
  switch (op) {
    case Comparison::kEq: return std::fabs(x - v) <= (v + t) - v;
    case Comparison::kNe: return std::fabs(x - v) > t;
    case Comparison::kLt: return x < v + t;
    case Comparison::kLe: return lessOrEqualInCellType(cell, v, tol);
    case Comparison::kGt: return x > v - t;
    case Comparison::kGe: return x >= v - t;
  }
  return false;
}

}  // namespace tabsift

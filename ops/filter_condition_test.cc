// One condition of the row filter on single cells: the tolerance widens
// each comparison toward more values, and "le" forms its limit in the cell
// type. The names of the comparisons are the argument grammar's tests.
#include "ops/filter_condition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tabsift {
namespace {

constexpr auto kEq = Comparison::kEq, kNe = Comparison::kNe,
               kLt = Comparison::kLt, kLe = Comparison::kLe,
               kGt = Comparison::kGt, kGe = Comparison::kGe;

// Condition `op v` with tolerance t on the cell x.
template <typename T>
struct Row {
  Comparison op;
  T x;
  double v;
  T t;
  bool holds;
};

template <typename T>
void expectRows(std::initializer_list<Row<T>> rows) {
  int n = 0;
  for (const Row<T>& r : rows) {
    EXPECT_EQ(conditionHolds(r.op, r.x, r.v, r.t), r.holds) << "row " << n++;
  }
}

// clang-format off
TEST(ConditionTest, ToleranceWidensTowardMoreValues) {
  expectRows<double>(
      {{kEq, 2.5, 3, 0.5, true}, {kEq, 3.5, 3, 0.5, true}, {kEq, 2.4, 3, 0.5, false},
       {kEq, 3.6, 3, 0.5, false}, {kNe, 3.5, 3, 0.5, false}, {kNe, 3.6, 3, 0.5, true},
       {kLt, 3.4, 3, 0.5, true}, {kLt, 3.5, 3, 0.5, false}, {kLe, 3.5, 3, 0.5, true},
       {kLe, 3.6, 3, 0.5, false}, {kGt, 2.6, 3, 0.5, true}, {kGt, 2.5, 3, 0.5, false},
       {kGe, 2.5, 3, 0.5, true}, {kGe, 2.4, 3, 0.5, false},
       // The eq band's half-width is (v + t) - v, not t: beside 1e16 (where
       // doubles are 2 apart) a tolerance of 1e-3 vanishes and 1.5 becomes 2.
       {kEq, 1e16 + 2, 1e16, 1e-3, false}, {kEq, 1e16, 1e16, 1e-3, true},
       {kEq, 1e16 + 2, 1e16, 1.5, true},
       // NaN matches nothing, not even ne.
       {kEq, NAN, 1, 0, false}, {kNe, NAN, 1, 0, false}, {kGe, 1, NAN, 0, false},
       {kLe, 1, NAN, 0, false}});
}

TEST(ConditionTest, LeFormsItsLimitInTheCellType) {
  constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
  expectRows<int>(
      {// le2.7 admits 2, le-2.5 admits -2 (threshold truncated toward zero)
       // while lt-2.5 does not; the tolerance is added in integers.
       {kLe, 2, 2.7, 0, true}, {kLe, 3, 2.7, 0, false}, {kLe, -2, -2.5, 0, true},
       {kLe, -1, -2.5, 0, false}, {kLt, -2, -2.5, 0, false}, {kLt, -3, -2.5, 0, true},
       {kLe, 4, 2.7, 2, true}, {kLe, 5, 2.7, 2, false}, {kLt, 3, 2.7, 1, true},
       {kLt, 4, 2.7, 1, false},
       // The limit never overflows.
       {kLe, kMax, 1e30, 0, true}, {kLe, kMin, -1e30, 0, false},
       {kLe, kMax, double(kMax), kMax, true}, {kLe, kMax, INFINITY, 0, true},
       {kLe, 0, NAN, 0, false}, {kLe, kMin, -5e9, kMax, false}});
  expectRows<float>({// 0.1 rounds to a float above the double 0.1; 1e8f + 1.0f stays 1e8f.
                     {kLe, 0.1f, 0.1, 0, true}, {kLt, 0.1f, 0.1, 0, false},
                     {kLe, 1e8f, 1e8, 1, true}, {kLe, 100000008.0f, 1e8, 1, false},
                     {kLe, 3e38f, 1e300, 0, true}, {kLe, 1, NAN, 0, false}});
}
// clang-format on

}  // namespace
}  // namespace tabsift

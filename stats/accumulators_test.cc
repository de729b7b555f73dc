// The accumulators where the differential test of the statistics does not
// reach: scopes beyond 2^24 float values, the truncation of int results and
// the numeric helpers at their boundaries.
#include "stats/accumulators.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <vector>

namespace tabsift {
namespace {

// Feeds `values` to a fresh accumulator as the scope walker does; the
// result must be a present cell.
template <template <typename> class Accumulator, typename T>
T over(const std::vector<T>& values, ScopeKind scope = ScopeKind::kLine) {
  Accumulator<T> accumulator;
  for (int pass = 0; pass < Accumulator<T>::kPasses; ++pass) {
    for (T x : values) accumulator.take(x);
    accumulator.endPass();
  }
  const Outcome<T> outcome = accumulator.finish(scope);
  EXPECT_EQ(outcome.kind, Outcome<T>::kPresent);
  return outcome.value;
}

// Past 2^24 values a float counts no further by adding 1; the count and the
// wide total still do.
TEST(AccumulatorsTest, FloatScopeBeyondTwoToTheTwentyFour) {
  const std::vector<float> ones((std::size_t{1} << 24) + 2, 1.0f);
  const ScopeKind column = ScopeKind::kColumn;
  EXPECT_EQ(over<CountAccumulator>(ones, column), 16777218.0f);
  EXPECT_EQ(over<SumAccumulator>(ones, column), 16777218.0f);
  EXPECT_EQ(over<AverageAccumulator>(ones, column), 1.0f);
}

TEST(AccumulatorsTest, IntAveragesAndDeviationsTruncateTowardZero) {
  EXPECT_EQ(over<AverageAccumulator>(std::vector{-1, -2}), -1);
  EXPECT_EQ(over<DeviationAccumulator>(std::vector{1, 2, 3, 4}), 1);
  // Mean 1.5 and variance exactly 9: the result is 3, not 2.
  EXPECT_EQ(over<DeviationAccumulator>(std::vector{0, 0, 0, 6}), 3);
}

TEST(NumericHelpersTest, IntegerSquareRootAndRounding) {
  using U = unsigned __int128;
  const U k32 = 4294967295u, k64 = UINT64_MAX;
  // clang-format off
  const std::pair<U, U> roots[] = {{0, 0}, {3, 1}, {4, 2}, {k32 * k32, k32},
      {k32 * k32 - 1, k32 - 1}, {k64 * k64, k64}, {k64 * k64 - 1, k64 - 1}};
  // clang-format on
  for (const auto& [n, root] : roots) EXPECT_TRUE(integerSquareRoot(n) == root);
  const long double kMax = DBL_MAX;
  EXPECT_EQ(roundToDouble(kMax * 2), HUGE_VAL);
  // Below half a step beyond DBL_MAX the nearest double is DBL_MAX.
  EXPECT_EQ(roundToDouble(kMax + std::ldexp(1.0L, 960)), DBL_MAX);
  // The middle of two middle values of a median halves first near the top.
  EXPECT_EQ(midpoint(DBL_MAX, DBL_MAX), DBL_MAX);
  EXPECT_EQ(intOutcome(INT_MIN), Outcome<int>::present(INT_MIN));
  EXPECT_EQ(intOutcome(static_cast<__int128>(INT_MAX) + 1),
            Outcome<int>::tooLarge());
}

}  // namespace
}  // namespace tabsift

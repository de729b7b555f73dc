#include "stats/accumulators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <random>

namespace tabsift {
namespace {

constexpr ScopeKind kLine = ScopeKind::kLine, kColumn = ScopeKind::kColumn;

// Feeds `values` to a fresh accumulator as the scope walker does.
template <template <typename> class Accumulator, typename T>
Outcome<T> over(const std::vector<T>& values, ScopeKind scope) {
  Accumulator<T> accumulator;
  for (int pass = 0; pass < Accumulator<T>::kPasses; ++pass) {
    for (T x : values) accumulator.take(x);
    accumulator.endPass();
  }
  return accumulator.finish(scope);
}
#define TABSIFT_OVER(name, Accumulator)                                    \
  template <typename T>                                                    \
  Outcome<T> name(const std::vector<T>& values, ScopeKind scope = kLine) { \
    return over<Accumulator>(values, scope);                               \
  }
TABSIFT_OVER(count, CountAccumulator)
TABSIFT_OVER(sum, SumAccumulator)
TABSIFT_OVER(average, AverageAccumulator)
TABSIFT_OVER(median, MedianAccumulator)
TABSIFT_OVER(deviation, DeviationAccumulator)

template <typename T>
Outcome<T> present(T v) {
  return Outcome<T>::present(v);
}
constexpr double kNaN = NAN;
constexpr float kNaNf = NAN;
const auto kAbsentD = Outcome<double>::absent();
const auto kAbsentI = Outcome<int>::absent();
const auto kTooLarge = Outcome<int>::tooLarge();

TEST(CountTest, EmptyLineCountsZeroEmptyColumnIsAbsent) {
  EXPECT_EQ(count<double>({}), present(0.0));
  EXPECT_EQ(count<int>({}, kColumn), kAbsentI);
  EXPECT_EQ(count<float>({1, kNaNf, 3}, kColumn), present(3.0f));
}

TEST(SumTest, TotalIsWiderThanTheCellAndRoundedOnce) {
  // The float step at 1e8 is 8 and the double step at 1e16 is 2: a total
  // kept in the cell type would lose the 1.
  EXPECT_EQ(sum<float>({1e8f, 1, -1e8f}), present(1.0f));
  EXPECT_EQ(sum<double>({1e16, 1, -1e16}), present(1.0));
  // A thousand floats nearest 0.1, added in double and rounded once.
  EXPECT_EQ(sum(std::vector<float>(1000, 0.1f)),
            present(static_cast<float>(1000 * static_cast<double>(0.1f))));
  EXPECT_EQ(sum<double>({0.1, 0.2, 0.3}),
            present(static_cast<double>(0.1L + 0.2L + 0.3L)));
  // Totals beyond the cell's range become infinity of their sign.
  EXPECT_EQ(sum<float>({FLT_MAX, FLT_MAX, -FLT_MAX}), present(FLT_MAX));
  EXPECT_EQ(sum<double>({DBL_MAX, DBL_MAX}), present(HUGE_VAL));
  EXPECT_EQ(sum<double>({-DBL_MAX, -DBL_MAX}), present(-HUGE_VAL));
  EXPECT_EQ(sum<double>({}), present(0.0));
  EXPECT_EQ(sum<double>({}, kColumn), kAbsentD);
  // int: exact, too large beyond 32 bits.
  EXPECT_EQ(sum<int>({INT_MAX, 1, -1}), present(INT_MAX));
  EXPECT_EQ(sum<int>({INT_MIN, INT_MAX}), present(-1));
  EXPECT_EQ(sum<int>({INT_MAX, 1}), kTooLarge);
  EXPECT_EQ(sum<int>({INT_MIN, -1}), kTooLarge);
}

// Past 2^24 values a float counts no further by adding 1; the count and the
// wide total still do.
TEST(SumTest, FloatScopeBeyondTwoToTheTwentyFour) {
  const std::vector<float> ones((std::size_t{1} << 24) + 2, 1.0f);
  EXPECT_EQ(count(ones, kColumn), present(16777218.0f));
  EXPECT_EQ(sum(ones, kColumn), present(16777218.0f));
  EXPECT_EQ(average(ones, kColumn), present(1.0f));
}

TEST(AverageTest, PerCellType) {
  EXPECT_EQ(average<int>({1, 2}), present(1));
  EXPECT_EQ(average<int>({-1, -2}), present(-1));
  EXPECT_EQ(average<int>({2000000000, 2000000000}), present(2000000000));
  EXPECT_EQ(average<int>({INT_MIN, INT_MIN, INT_MIN}), present(INT_MIN));
  EXPECT_EQ(average(std::vector<float>(1000000, 0.1f)), present(0.1f));
  EXPECT_EQ(average<double>({1e16, 1, -1e16}), present(1.0 / 3.0));
  EXPECT_EQ(average<float>({}), Outcome<float>::absent());
}

TEST(MedianTest, MiddleValuesNeverOverflowAndNaNSortsLast) {
  EXPECT_EQ(median<int>({2000000000, 2000000000}), present(2000000000));
  EXPECT_EQ(median<int>({INT_MIN, INT_MAX}), present(0));
  EXPECT_EQ(median<int>({INT_MIN, INT_MIN}), present(INT_MIN));
  EXPECT_EQ(median<double>({DBL_MAX, DBL_MAX}), present(DBL_MAX));
  EXPECT_EQ(median<float>({-FLT_MAX, -FLT_MAX}), present(-FLT_MAX));
  EXPECT_EQ(median<double>({kNaN, 1, 2}), present(2.0));
  EXPECT_EQ(median<double>({1, kNaN, 2, 3}), present(2.5));
  EXPECT_EQ(median<double>({kNaN, 5, INFINITY}), present(double{INFINITY}));
  EXPECT_TRUE(std::isnan(median<double>({kNaN, 1}).value));
  EXPECT_TRUE(std::isnan(median<float>({kNaNf}).value));
  EXPECT_TRUE(std::isnan(median<double>({kNaN, kNaN, 1}).value));
}

// Selection gives the value a full sort under the same total order gives.
TEST(MedianTest, AgreesWithFullSortOnRandomLists) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<double> values(random() % 12);
    for (double& x : values)
      x = random() % 10 == 0 ? kNaN : int(random() % 7) - 3;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end(), [](double a, double b) {
      return std::isnan(b) ? !std::isnan(a) : a < b;
    });
    const Outcome<double> got = medianOf(values);
    const std::size_t n = sorted.size();
    if (n == 0) {
      EXPECT_EQ(got, kAbsentD);
      continue;
    }
    const double want =
        n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    ASSERT_EQ(got.kind, Outcome<double>::kPresent);
    EXPECT_TRUE(std::isnan(want) ? std::isnan(got.value) : got.value == want);
  }
}

TEST(DeviationTest, DoubleAndFloat) {
  EXPECT_DOUBLE_EQ(
      deviation<double>({1e9 + 1, 1e9 + 2, 1e9 + 3, 1e9 + 4}).value,
      std::sqrt(5.0 / 3.0));
  EXPECT_EQ(deviation<double>({0.1, 0.1, 0.1}), present(0.0));
  EXPECT_EQ(deviation<double>({}), kAbsentD);
  for (const auto& nan : {deviation<double>({2}), deviation<double>({1, kNaN}),
                          deviation<double>({1, INFINITY})}) {
    EXPECT_TRUE(std::isnan(nan.value));
  }
  // Beyond the double range the result is infinity, not an invalid conversion.
  EXPECT_EQ(deviation<double>({-DBL_MAX, DBL_MAX}), present(HUGE_VAL));
  // float rounds only the result.
  EXPECT_EQ(deviation<float>({1, 2, 3, 4}),
            present(static_cast<float>(std::sqrt(5.0 / 3.0))));
  EXPECT_EQ(deviation<float>({0.1f, 0.1f, 0.1f}), present(0.0f));
  EXPECT_TRUE(std::isnan(deviation<float>({2}).value));
  EXPECT_EQ(deviation<float>({-FLT_MAX, FLT_MAX}), present(float{INFINITY}));
}

TEST(DeviationTest, IntIsTheExactValueTruncated) {
  EXPECT_EQ(deviation<int>({1, 2, 3, 4}), present(1));
  EXPECT_EQ(deviation<int>({1, 2}), present(0));
  // Mean 1.5 and variance exactly 9: the result is 3, not 2.
  EXPECT_EQ(deviation<int>({0, 0, 0, 6}), present(3));
  EXPECT_EQ(deviation<int>({INT_MIN, INT_MIN}), present(0));
  EXPECT_EQ(deviation<int>({2000000000, -2000000000, 0}), present(2000000000));
  EXPECT_EQ(deviation<int>({INT_MIN, INT_MAX}), kTooLarge);
  EXPECT_EQ(deviation<int>({}), kAbsentI);
}

TEST(NumericHelpersTest, IntegerSquareRootAndRounding) {
  using U = unsigned __int128;
  for (const auto& [n, root] : std::vector<std::pair<U, U>>{
           {0, 0},
           {3, 1},
           {4, 2},
           {U{4294967295u} * 4294967295u, 4294967295u},
           {U{4294967295u} * 4294967295u - 1, 4294967294u},
           {U{UINT64_MAX} * UINT64_MAX, UINT64_MAX},
           {U{UINT64_MAX} * UINT64_MAX - 1, UINT64_MAX - 1}}) {
    EXPECT_TRUE(integerSquareRoot(n) == root);
  }
  EXPECT_EQ(roundToDouble(1.5L), 1.5);
  EXPECT_EQ(roundToDouble(static_cast<long double>(DBL_MAX) * 2), HUGE_VAL);
  EXPECT_EQ(roundToDouble(-static_cast<long double>(DBL_MAX) * 2), -HUGE_VAL);
  EXPECT_EQ(
      roundToDouble(static_cast<long double>(DBL_MAX) + std::ldexp(1.0L, 960)),
      DBL_MAX);
  EXPECT_TRUE(
      std::isnan(roundToDouble(std::numeric_limits<long double>::quiet_NaN())));
  EXPECT_EQ(intOutcome(static_cast<__int128>(INT_MAX) + 1), kTooLarge);
  EXPECT_EQ(intOutcome(INT_MIN), present(INT_MIN));
}

}  // namespace
}  // namespace tabsift

#include "stats/accumulators.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <random>

namespace tabsift {
namespace {

// Feeds `values` to a fresh accumulator as the scope walker does.
template <template <typename> class Accumulator, typename T>
Outcome<T> over(const std::vector<T>& values,
                ScopeKind scope = ScopeKind::kLine) {
  Accumulator<T> accumulator;
  for (int pass = 0; pass < Accumulator<T>::kPasses; ++pass) {
    for (T x : values) accumulator.take(x);
    accumulator.endPass();
  }
  return accumulator.finish(scope);
}

template <typename T>
Outcome<T> present(T v) {
  return Outcome<T>::present(v);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();

TEST(CountTest, EmptyLineCountsZeroEmptyColumnIsAbsent) {
  EXPECT_EQ(over<CountAccumulator>(std::vector<double>{}), present(0.0));
  EXPECT_EQ(over<CountAccumulator>(std::vector<int>{}, ScopeKind::kColumn),
            Outcome<int>::absent());
  EXPECT_EQ(over<CountAccumulator>(std::vector<float>{1, kNaNf, 3},
                                   ScopeKind::kColumn),
            present(3.0f));
}

TEST(SumTest, TotalIsWiderThanTheCellAndRoundedOnce) {
  // The float step at 1e8 is 8 and the double step at 1e16 is 2: a total
  // kept in the cell type would lose the 1.
  EXPECT_EQ(over<SumAccumulator>(std::vector<float>{1e8f, 1, -1e8f}), present(1.0f));
  EXPECT_EQ(over<SumAccumulator>(std::vector<double>{1e16, 1, -1e16}), present(1.0));
  // A thousand times the float nearest 0.1, added in double and rounded
  // once, is the float nearest to their exact total.
  EXPECT_EQ(over<SumAccumulator>(std::vector<float>(1000, 0.1f)),
            present(static_cast<float>(1000 * static_cast<double>(0.1f))));
  EXPECT_EQ(over<SumAccumulator>(std::vector<double>{0.1, 0.2, 0.3}),
            present(static_cast<double>(0.1L + 0.2L + 0.3L)));
  // Totals beyond the cell's range become infinity of their sign.
  EXPECT_EQ(over<SumAccumulator>(std::vector<float>{FLT_MAX, FLT_MAX, -FLT_MAX}),
            present(FLT_MAX));
  EXPECT_EQ(over<SumAccumulator>(std::vector<double>{DBL_MAX, DBL_MAX}),
            present(HUGE_VAL));
  EXPECT_EQ(over<SumAccumulator>(std::vector<double>{-DBL_MAX, -DBL_MAX}),
            present(-HUGE_VAL));
  EXPECT_EQ(over<SumAccumulator>(std::vector<double>{}), present(0.0));
  EXPECT_EQ(over<SumAccumulator>(std::vector<double>{}, ScopeKind::kColumn),
            Outcome<double>::absent());
}

// Past 2^24 values a float counts no further by adding 1 (2^24 + 1 == 2^24
// in float); the count and the wide total still do.
TEST(SumTest, FloatScopeBeyondTwoToTheTwentyFour) {
  const std::size_t n = (std::size_t{1} << 24) + 2;
  CountAccumulator<float> count;
  SumAccumulator<float> sum;
  AverageAccumulator<float> average;
  for (std::size_t i = 0; i < n; ++i) {
    count.take(1.0f);
    sum.take(1.0f);
    average.take(1.0f);
  }
  EXPECT_EQ(count.finish(ScopeKind::kColumn), present(16777218.0f));
  EXPECT_EQ(sum.finish(ScopeKind::kColumn), present(16777218.0f));
  EXPECT_EQ(average.finish(ScopeKind::kColumn), present(1.0f));
}

TEST(SumTest, IntIsExactAndTooLargeBeyond32Bits) {
  EXPECT_EQ(over<SumAccumulator>(std::vector<int>{INT_MAX, 1, -1}), present(INT_MAX));
  EXPECT_EQ(over<SumAccumulator>(std::vector<int>{INT_MIN, INT_MAX}), present(-1));
  EXPECT_EQ(over<SumAccumulator>(std::vector<int>{INT_MAX, 1}), Outcome<int>::tooLarge());
  EXPECT_EQ(over<SumAccumulator>(std::vector<int>{INT_MIN, -1}), Outcome<int>::tooLarge());
}

TEST(AverageTest, PerCellType) {
  EXPECT_EQ(over<AverageAccumulator>(std::vector<int>{1, 2}), present(1));
  EXPECT_EQ(over<AverageAccumulator>(std::vector<int>{-1, -2}), present(-1));
  EXPECT_EQ(over<AverageAccumulator>(std::vector<int>{2000000000, 2000000000}),
            present(2000000000));
  EXPECT_EQ(over<AverageAccumulator>(std::vector<int>{INT_MIN, INT_MIN, INT_MIN}),
            present(INT_MIN));
  EXPECT_EQ(over<AverageAccumulator>(std::vector<double>{1, 2, 3, 4}), present(2.5));
  // float: the total in double, divided in double, rounded once.
  const double total = (double{0.1f} + double{0.2f}) + double{0.7f};
  EXPECT_EQ(over<AverageAccumulator>(std::vector<float>{0.1f, 0.2f, 0.7f}),
            present(static_cast<float>(total / 3.0)));
  EXPECT_EQ(over<AverageAccumulator>(std::vector<float>(1000000, 0.1f)),
            present(0.1f));
  EXPECT_EQ(over<AverageAccumulator>(std::vector<double>{1e16, 1, -1e16}),
            present(1.0 / 3.0));
  EXPECT_EQ(over<AverageAccumulator>(std::vector<float>{}), Outcome<float>::absent());
  EXPECT_EQ(over<AverageAccumulator>(std::vector<double>{7}), present(7.0));
}

TEST(MedianTest, MiddleValuesNeverOverflow) {
  EXPECT_EQ(over<MedianAccumulator>(std::vector<int>{2000000000, 2000000000}),
            present(2000000000));
  EXPECT_EQ(over<MedianAccumulator>(std::vector<int>{INT_MIN, INT_MAX}), present(0));
  EXPECT_EQ(over<MedianAccumulator>(std::vector<int>{INT_MIN, INT_MIN}), present(INT_MIN));
  EXPECT_EQ(over<MedianAccumulator>(std::vector<double>{DBL_MAX, DBL_MAX}),
            present(DBL_MAX));
  EXPECT_EQ(over<MedianAccumulator>(std::vector<float>{-FLT_MAX, -FLT_MAX}),
            present(-FLT_MAX));
}

TEST(MedianTest, NaNSortsAfterEveryNumber) {
  EXPECT_EQ(over<MedianAccumulator>(std::vector<double>{kNaN, 1, 2}), present(2.0));
  EXPECT_EQ(over<MedianAccumulator>(std::vector<double>{1, kNaN, 2, 3}), present(2.5));
  EXPECT_EQ(over<MedianAccumulator>(std::vector<double>{kNaN, 5, INFINITY}),
            present(static_cast<double>(INFINITY)));
  EXPECT_TRUE(std::isnan(over<MedianAccumulator>(std::vector<double>{kNaN, 1}).value));
  EXPECT_TRUE(std::isnan(over<MedianAccumulator>(std::vector<float>{kNaNf}).value));
  EXPECT_TRUE(
      std::isnan(over<MedianAccumulator>(std::vector<double>{kNaN, kNaN, 1}).value));
}

// Selection gives the value a full sort under the same total order gives.
TEST(MedianTest, AgreesWithFullSortOnRandomLists) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<double> values(random() % 12);
    for (double& x : values) {
      const unsigned kind = random() % 10;
      x = kind == 0 ? kNaN : static_cast<double>(static_cast<int>(random() % 7) - 3);
    }
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end(), [](double a, double b) {
      return std::isnan(b) ? !std::isnan(a) : a < b;
    });
    Outcome<double> got = medianOf(values);
    if (sorted.empty()) {
      EXPECT_EQ(got, Outcome<double>::absent());
      continue;
    }
    const std::size_t n = sorted.size();
    const double want =
        n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    ASSERT_EQ(got.kind, Outcome<double>::kPresent);
    if (std::isnan(want)) {
      EXPECT_TRUE(std::isnan(got.value));
    } else {
      EXPECT_EQ(got.value, want);
    }
  }
}

TEST(DeviationTest, DoubleIsAccurate) {
  EXPECT_DOUBLE_EQ(over<DeviationAccumulator>(std::vector<double>{1, 2, 3, 4}).value,
                   std::sqrt(5.0 / 3.0));
  EXPECT_DOUBLE_EQ(
      over<DeviationAccumulator>(std::vector<double>{1e9 + 1, 1e9 + 2, 1e9 + 3, 1e9 + 4})
          .value,
      std::sqrt(5.0 / 3.0));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<double>{0.1, 0.1, 0.1}), present(0.0));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<double>{3, 3, 3}), present(0.0));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<double>{}), Outcome<double>::absent());
  EXPECT_TRUE(std::isnan(over<DeviationAccumulator>(std::vector<double>{2}).value));
  EXPECT_TRUE(std::isnan(over<DeviationAccumulator>(std::vector<double>{1, kNaN}).value));
  EXPECT_TRUE(std::isnan(over<DeviationAccumulator>(std::vector<double>{1, INFINITY}).value));
  // Beyond the double range the result is infinity, not an invalid conversion.
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<double>{-DBL_MAX, DBL_MAX}),
            present(HUGE_VAL));
}

TEST(DeviationTest, FloatRoundsOnlyTheResult) {
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<float>{1, 2, 3, 4}),
            present(static_cast<float>(std::sqrt(5.0 / 3.0))));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<float>{0.1f, 0.1f, 0.1f}),
            present(0.0f));
  EXPECT_TRUE(std::isnan(over<DeviationAccumulator>(std::vector<float>{2}).value));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<float>{-FLT_MAX, FLT_MAX}),
            present(static_cast<float>(INFINITY)));
}

TEST(DeviationTest, IntIsTheExactValueTruncated) {
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{10, 20, 30}), present(10));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{1, 2, 3, 4}), present(1));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{1, 2}), present(0));
  // Mean 1.5 and variance exactly 9: the result is 3, not 2.
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{0, 0, 0, 6}), present(3));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{INT_MIN, INT_MIN}), present(0));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{2000000000, -2000000000, 0}),
            present(2000000000));
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{INT_MIN, INT_MAX}),
            Outcome<int>::tooLarge());
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{5}), Outcome<int>::absent());
  EXPECT_EQ(over<DeviationAccumulator>(std::vector<int>{}), Outcome<int>::absent());
}

TEST(NumericHelpersTest, IntegerSquareRoot) {
  EXPECT_EQ(integerSquareRoot(0), 0u);
  EXPECT_EQ(integerSquareRoot(3), 1u);
  EXPECT_EQ(integerSquareRoot(4), 2u);
  const unsigned __int128 big = static_cast<unsigned __int128>(4294967295u) * 4294967295u;
  EXPECT_EQ(integerSquareRoot(big), 4294967295u);
  EXPECT_EQ(integerSquareRoot(big - 1), 4294967294u);
  const unsigned __int128 huge = static_cast<unsigned __int128>(UINT64_MAX) * UINT64_MAX;
  EXPECT_EQ(integerSquareRoot(huge), UINT64_MAX);
  EXPECT_EQ(integerSquareRoot(huge - 1), UINT64_MAX - 1);
}

TEST(NumericHelpersTest, RoundToDouble) {
  EXPECT_EQ(roundToDouble(1.5L), 1.5);
  EXPECT_EQ(roundToDouble(static_cast<long double>(DBL_MAX) * 2), HUGE_VAL);
  EXPECT_EQ(roundToDouble(-static_cast<long double>(DBL_MAX) * 2), -HUGE_VAL);
  EXPECT_EQ(roundToDouble(static_cast<long double>(DBL_MAX) + std::ldexp(1.0L, 960)),
            DBL_MAX);
  EXPECT_TRUE(std::isnan(roundToDouble(std::numeric_limits<long double>::quiet_NaN())));
  EXPECT_EQ(intOutcome(static_cast<__int128>(INT_MAX) + 1), Outcome<int>::tooLarge());
  EXPECT_EQ(intOutcome(INT_MIN), present(INT_MIN));
}

}  // namespace
}  // namespace tabsift

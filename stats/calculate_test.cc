// Accumulators where the statistics differential does not reach (float
// scopes past 2^24 values, int truncation, long scopes of one value, helpers
// at their limits); the exact sum against IEEE arithmetic, which rounds one
// addition or division correctly; requests on stores filled by hand: shapes
// the reader never makes, a second request on the first one's results, and
// results only, which leaves the table with its record of the inputs.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <type_traits>
#include <vector>

#include "stats/accumulators.h"
#include "table/data_operations.h"

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
// exact total still do. Float sums are rounded once, straight from the exact
// total: through a double, 1 + 2^-24 would be a tie and round to 1.
TEST(AccumulatorsTest, FloatScopes) {
  const std::vector<float> ones((std::size_t{1} << 24) + 2, 1.0f);
  const ScopeKind column = ScopeKind::kColumn;
  EXPECT_EQ(over<CountAccumulator>(ones, column), 16777218.0f);
  EXPECT_EQ(over<SumAccumulator>(ones, column), 16777218.0f);
  EXPECT_EQ(over<AverageAccumulator>(ones, column), 1.0f);
  const std::vector<float> values{1, std::ldexp(1.0f, -24),
                                  std::ldexp(1.0f, -60)};
  EXPECT_EQ(over<SumAccumulator>(values), 1 + std::ldexp(1.0f, -23));
}

TEST(AccumulatorsTest, IntAveragesAndDeviationsTruncateTowardZero) {
  EXPECT_EQ(over<AverageAccumulator>(std::vector{-1, -2}), -1);
  EXPECT_EQ(over<DeviationAccumulator>(std::vector{1, 2, 3, 4}), 1);
  // Mean 1.5 and variance exactly 9: the result is 3, not 2.
  EXPECT_EQ(over<DeviationAccumulator>(std::vector{0, 0, 0, 6}), 3);
  // Variance 1311738121^2 - 1: a root taken in double would give 1311738121.
  EXPECT_EQ(over<DeviationAccumulator>(std::vector{927538921, -927538920}),
            1311738120);
}

// Near-equal values: the second pass's correction term brings the deviation
// to the exact one rounded once.
TEST(AccumulatorsTest, DoubleDeviationOfNearEqualValues) {
  const std::vector values{1.0000000000027125, 1.0000000000033373,
                           1.0000000000000757};
  EXPECT_EQ(over<DeviationAccumulator>(values), 1.7311433939532196e-12);
}

// A long scope of one value has no deviation at all, whatever the value and
// however many times it is repeated: exactly 0, and so is its standard error.
template <typename T>
void expectNoSpread(std::vector<T> values) {
  for (std::size_t n : {2, 3, 10, 1000, 65537}) {
    for (T x : values) {
      const std::vector<T> scope(n, x);
      EXPECT_EQ(over<DeviationAccumulator>(scope), 0) << x << " x " << n;
      EXPECT_EQ(over<StandardErrorAccumulator>(scope), 0) << x << " x " << n;
    }
  }
}

TEST(AccumulatorsTest, LongScopesOfOneValue) {
  expectNoSpread<double>(
      {0.1, -2.7, 1.0 / 3, 1e300, -DBL_MAX, DBL_MAX, 5e-324, 1e-310});
  expectNoSpread<float>(
      {0.1f, -2.7f, 1.0f / 3, 3e38f, -FLT_MAX, FLT_MAX, 1e-45f, 1e-40f});
  expectNoSpread<int>({1, -7, 46341, INT_MAX, INT_MIN});
}

TEST(NumericHelpersTest, IntegerSquareRootAndRounding) {
  using U = unsigned __int128;
  const U k32 = 4294967295u, k64 = UINT64_MAX;
  const std::pair<U, U> roots[] = {{0, 0},
                                   {3, 1},
                                   {4, 2},
                                   {k32 * k32, k32},
                                   {k32 * k32 - 1, k32 - 1},
                                   {k64 * k64, k64},
                                   {k64 * k64 - 1, k64 - 1}};
  for (const auto& [n, root] : roots) EXPECT_TRUE(integerSquareRoot(n) == root);
  // Below half a step beyond DBL_MAX the nearest double is DBL_MAX.
  const long double kMax = DBL_MAX;
  EXPECT_EQ(roundToDouble(kMax + std::ldexp(1.0L, 960)), DBL_MAX);
  // The middle of two middle values halves first near the top.
  EXPECT_EQ(midpoint(DBL_MAX, DBL_MAX), DBL_MAX);
  EXPECT_EQ(intOutcome(INT_MIN), Outcome<int>::present(INT_MIN));
  EXPECT_EQ(intOutcome(__int128{INT_MAX} + 1), Outcome<int>::tooLarge());
}

template <typename T>
bool same(T a, T b) {
  return std::isnan(a) ? std::isnan(b)
                       : a == b && std::signbit(a) == std::signbit(b);
}

// An exact zero sum is +0, where IEEE gives -0 for -0 + -0 and -0 / n.
template <typename T>
T positiveZero(T x) {
  return x == 0 ? T(0) : x;
}

ExactSum sumOf(const std::vector<double>& values) {
  ExactSum sum;
  for (double x : values) sum.add(x);
  return sum;
}

// Whether the sum of `values` over `divisor`, rounded as T, is `want`.
template <typename T>
bool roundsTo(const std::vector<double>& values, T want, std::uint64_t n = 1) {
  const ExactSum sum = sumOf(values);
  if constexpr (std::is_same_v<T, long double>) {
    return same(sum.roundedWide(n), want);
  } else {
    const bool isFloat = std::is_same_v<T, float>;
    return same(
        static_cast<T>(sum.rounded(isFloat ? kFloatFormat : kDoubleFormat, n)),
        want);
  }
}

// A float with the leading bits of x and any exponent of the float range.
float anyFloat(double x, std::mt19937_64& random) {
  int exponent;
  const double fraction = std::isfinite(x) ? std::frexp(x, &exponent) : x;
  const int scale = static_cast<int>(random() % 300) - 150;
  return static_cast<float>(std::ldexp(fraction, scale));
}

TEST(ExactSumTest, TwoValuesAndQuotientsAsTheHardwareRoundsThem) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const double x = std::bit_cast<double>(random()), z = positiveZero(x);
    double y = std::bit_cast<double>(random());
    if (i % 4 == 1) y = -x * (1 + static_cast<double>(random() % 64) * 0x1p-52);
    if (i % 4 == 2) y = std::ldexp(x, -static_cast<int>(random() % 120));
    const float fx = anyFloat(x, random), fz = positiveZero(fx);
    const float fy = i % 3 ? anyFloat(y, random) : -fx * 0.75f;
    const std::uint64_t n = 1 + random() % (i % 2 ? 1000 : 1ull << 53);
    const std::uint64_t small = 1 + random() % (1 << 24);
    ASSERT_TRUE(roundsTo({x, y}, positiveZero(x + y))) << x << " + " << y;
    ASSERT_TRUE(roundsTo({fx, fy}, positiveZero(fx + fy))) << fx << "+" << fy;
    ASSERT_TRUE(roundsTo({z}, z / static_cast<double>(n), n)) << x << "/" << n;
    ASSERT_TRUE(roundsTo({z}, z / static_cast<long double>(n), n)) << x;
    ASSERT_TRUE(roundsTo({fz}, fz / static_cast<float>(small), small)) << fx;
  }
}

using Store = DataOperations<double>;
using Rows = std::vector<std::vector<double>>;
constexpr double kAbsent = -999;  // stands for an absent cell

TEST(CalculateTest, RequestsOnStoresFilledByHand) {
  const struct {
    const char* what;
    bool col, join, results;
    std::vector<Rows> files;
    std::vector<const char*> requests;
    std::vector<Rows> after;
    std::vector<std::size_t> inputs = {}, inputsAfter = {};
  } cases[] = {
      {"second request, line mode",
       false,
       false,
       false,
       {{{1, 2}}},
       {"s", "s"},
       {{{1, 2, 3, 6}}}},
      {"second request, results only",
       false,
       false,
       true,
       {{{1, 2, 3}, {4, 5, 9}}},
       {"s,a", "s,a"},
       {{{8, 4}, {24, 12}}}},
      {"second request, column results",
       true,
       false,
       true,
       {{{1, 2}, {3, 4}, {5, 6}}},
       {"a,d,m", "c,s"},
       {{{3, 3}, {3 + 2 + 3, 4 + 2 + 4}}}},
      {"no files, joined columns", true, true, false, {}, {"s,c"}, {}},
      // Joined columns give nothing when the first file has no lines, except
      // that count leaves an empty line at the end of the last file.
      {"first file empty, joined",
       true,
       true,
       false,
       {{}, {{1}}},
       {"s,c"},
       {{}, {{1}, {}}}},
      {"first file empty, columns",
       true,
       false,
       false,
       {{}, {{1}}},
       {"s"},
       {{}, {{1}, {1}}}},
      {"wider later line",
       true,
       false,
       false,
       {{{1}, {2, 5}}},
       {"s"},
       {{{1}, {2, 5}, {3, 5}}}},
      {"empty files leave, line mode",
       false,
       false,
       true,
       {{}, {{1, 2}}, {}, {{3, 4}}},
       {"s"},
       {{{3}}, {{7}}},
       {0, 2, 3, 5},
       {2, 5}},
      {"empty files leave, column mode",
       true,
       false,
       true,
       {{}, {{1, 2}}, {}, {{3, 4}}},
       {"s"},
       {{{1, 2}}, {{3, 4}}},
       {0, 2, 3, 5},
       {2, 5}},
      {"joined columns keep the last file",
       true,
       true,
       true,
       {{{1, 2}}, {{3, 4}, {5, 6}}},
       {"s"},
       {{{9, 12}}},
       {0, 4},
       {4}},
  };
  for (const auto& c : cases) {
    Store store;
    if (c.col) store.col();
    if (c.join) store.join();
    if (c.results) store.results();
    for (const Rows& rows : c.files) {
      Store::File& file = store.data.emplace_back();
      for (const auto& row : rows) file.emplace_back(row.begin(), row.end());
    }
    store.fileInputs = c.inputs;
    for (const char* request : c.requests) store.calculate(request);
    std::vector<Rows> after;
    for (const Store::File& file : store.data) {
      Rows& rows = after.emplace_back();
      for (const auto& line : file) {
        auto& row = rows.emplace_back();
        for (const Store::Value& cell : line) {
          row.push_back(cell.present() ? cell.value() : kAbsent);
        }
      }
    }
    EXPECT_EQ(after, c.after) << c.what;
    EXPECT_EQ(store.fileInputs, c.inputsAfter) << c.what;
  }
}

}  // namespace
}  // namespace tabsift

// The accumulators where the differential statistics test does not reach
// (float scopes beyond 2^24 values, int truncation, numeric helpers at their
// boundaries), then calculation requests on stores filled by hand: shapes the
// reader never makes, a second request on the results of the first (only the
// fuzz targets make one), and results only, which leaves the table with its
// record of the inputs.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
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

TEST(NumericHelpersTest, IntegerSquareRootAndRounding) {
  using U = unsigned __int128;
  const U k32 = 4294967295u, k64 = UINT64_MAX;
  // clang-format off
  const std::pair<U, U> roots[] = {{0, 0}, {3, 1}, {4, 2}, {k32 * k32, k32},
      {k32 * k32 - 1, k32 - 1}, {k64 * k64, k64}, {k64 * k64 - 1, k64 - 1}};
  // clang-format on
  for (const auto& [n, root] : roots) EXPECT_TRUE(integerSquareRoot(n) == root);
  // Below half a step beyond DBL_MAX the nearest double is DBL_MAX.
  const long double kMax = DBL_MAX;
  EXPECT_EQ(roundToDouble(kMax + std::ldexp(1.0L, 960)), DBL_MAX);
  // The middle of two middle values halves first near the top.
  EXPECT_EQ(midpoint(DBL_MAX, DBL_MAX), DBL_MAX);
  EXPECT_EQ(intOutcome(INT_MIN), Outcome<int>::present(INT_MIN));
  EXPECT_EQ(intOutcome(__int128{INT_MAX} + 1), Outcome<int>::tooLarge());
}

using Store = DataOperations<double>;
using Rows = std::vector<std::vector<double>>;
constexpr double kAbsent = -999;  // stands for an absent cell

TEST(CalculateTest, RequestsOnStoresFilledByHand) {
  // clang-format off
  const struct {
    const char* what;
    bool col, join, results;
    std::vector<Rows> files;
    std::vector<const char*> requests;
    std::vector<Rows> after;
    std::vector<std::size_t> inputs = {}, inputsAfter = {};
  } cases[] = {
      {"second request, line mode", false, false, false, {{{1, 2}}}, {"s", "s"}, {{{1, 2, 3, 6}}}},
      {"second request, results only", false, false, true, {{{1, 2, 3}, {4, 5, 9}}},
       {"s,a", "s,a"}, {{{8, 4}, {24, 12}}}},
      {"second request, column results", true, false, true, {{{1, 2}, {3, 4}, {5, 6}}},
       {"a,d,m", "c,s"}, {{{3, 3}, {3 + 2 + 3, 4 + 2 + 4}}}},
      {"no files, joined columns", true, true, false, {}, {"s,c"}, {}},
      // Joined columns give nothing when the first file has no lines, except
      // that count leaves an empty line at the end of the last file.
      {"first file empty, joined", true, true, false, {{}, {{1}}}, {"s,c"}, {{}, {{1}, {}}}},
      {"first file empty, columns", true, false, false, {{}, {{1}}}, {"s"}, {{}, {{1}, {1}}}},
      {"wider later line", true, false, false, {{{1}, {2, 5}}}, {"s"}, {{{1}, {2, 5}, {3, 5}}}},
      {"empty files leave, line mode", false, false, true, {{}, {{1, 2}}, {}, {{3, 4}}}, {"s"},
       {{{3}}, {{7}}}, {0, 2, 3, 5}, {2, 5}},
      {"empty files leave, column mode", true, false, true, {{}, {{1, 2}}, {}, {{3, 4}}},
       {"s"}, {{{1, 2}}, {{3, 4}}}, {0, 2, 3, 5}, {2, 5}},
      {"joined columns keep the last file", true, true, true, {{{1, 2}}, {{3, 4}, {5, 6}}},
       {"s"}, {{{9, 12}}}, {0, 4}, {4}},
  };
  // clang-format on
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

// The request grammar with its percentile items; percentiles where the
// statistics differential does not look (ranks among zeros of both signs,
// the ends of the double and int ranges, subnormals, many decimals of N).
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "stats/accumulators.h"
#include "stats/request.h"

namespace tabsift {
namespace {

// Each item keeps its text, which names its results; N is kept exactly.
TEST(RequestTest, ItemsAndPercents) {
  const auto items = parseCalculateRequest("p90,b,p007.50,p100.000,p0,s,");
  ASSERT_TRUE(items);
  std::vector<std::string> texts;
  std::vector<Percent> percents;
  for (const RequestItem& item : *items) {
    texts.push_back(item.text);
    if (item.statistic == Statistic::kPercentile) {
      percents.push_back(item.percent);
    }
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"p90", "b", "p007.50", "p100.000",
                                             "p0", "s"}));
  EXPECT_EQ(percents,
            (std::vector<Percent>{{90, 0}, {75, 1}, {100, 0}, {0, 0}}));
  // 17 decimals at most: the denominator then still fits in 64 bits.
  const auto longest = parseCalculateRequest("p99.99999999999999999");
  ASSERT_TRUE(longest);
  EXPECT_EQ(longest->front().percent.denominator(), 10000000000000000000u);
  EXPECT_FALSE(parseCalculateRequest("p0.000000000000000001"));
}

template <typename T>
Outcome<T> percentile(std::vector<T> values, Percent percent) {
  PercentileAccumulator<T> accumulator(percent);
  for (T x : values) accumulator.take(x);
  accumulator.endPass();
  return accumulator.finish(ScopeKind::kLine);
}

template <typename T>
bool same(T a, T b) {
  return std::isnan(a) ? std::isnan(b) && !std::signbit(b)
                       : a == b && std::signbit(a) == std::signbit(b);
}

TEST(PercentileTest, DoubleRanksAndInterpolation) {
  const double inf = HUGE_VAL;
  const double nan = NAN;
  const double tiny = 5e-324;
  const struct {
    std::vector<double> values;
    Percent percent;
    double want;
  } cases[] = {
      {{0.0, -0.0, 0.0}, {0, 0}, -0.0},
      {{-0.0, 0.0, -0.0}, {100, 0}, 0.0},
      {{0.0, -0.0, -0.0, 0.0}, {50, 0}, 0.0},
      {{-0.0, -0.0}, {30, 0}, -0.0},
      {{-0.0, 0.0, -0.0, 0.0}, {10, 0}, -0.0},
      {{-0.0, 0.0}, {30, 0}, 0.0},
      {{1, -0.0, -1, 0.0, 2}, {25, 0}, -0.0},
      {{1, -0.0, -1, 0.0, 2}, {50, 0}, 0.0},
      {{7, -3}, {30, 0}, 0.0},  // exactly 0, not a rounding residue
      {{0.7, 0.1, 0.3}, {90, 0}, 0.62},
      {{-DBL_MAX, DBL_MAX}, {25, 0}, -DBL_MAX / 2},
      {{DBL_MAX, DBL_MAX / 2}, {90, 0}, 1.7078084781191998e+308},
      {{tiny, 4 * tiny}, {50, 0}, 2 * tiny},
      {{0, tiny}, {60, 0}, tiny},
      {{0, 1}, {9999999999999999999u, 17}, 1},
      {{0, 1}, {1, 17}, 1e-19},
      {{inf, -inf}, {90, 0}, nan},
      {{-nan, 2}, {0, 0}, 2},
  };
  for (const auto& c : cases) {
    const Outcome<double> got = percentile(c.values, c.percent);
    EXPECT_EQ(got.kind, Outcome<double>::kPresent);
    EXPECT_TRUE(same(got.value, c.want))
        << c.values.size() << " values, p" << c.percent.numerator << ": "
        << got.value << " instead of " << c.want;
  }
  EXPECT_EQ(percentile<double>({}, {50, 0}), Outcome<double>::absent());
}

// Weights of 64 bits on values of 32: the exact sum needs more than 64.
TEST(PercentileTest, IntCellsAtTheLimits) {
  EXPECT_EQ(percentile<int>({INT_MAX, INT_MIN}, {1, 17}),
            Outcome<int>::present(INT_MIN + 1));  // toward zero
  EXPECT_EQ(percentile<int>({INT_MAX, INT_MIN}, {9999999999999999999u, 17}),
            Outcome<int>::present(INT_MAX - 1));
}

}  // namespace
}  // namespace tabsift

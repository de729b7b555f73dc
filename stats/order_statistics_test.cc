// The request grammar with its percentile items; percentiles where the
// statistics differential does not look (ranks among zeros of both signs,
// infinities, the ends of the double range, subnormals, many decimals of
// N); the 50th percentile against the median on every kind of value; the
// blocked standard error's short, equal and alternating scopes; and the
// sign of NaN results.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "stats/accumulators.h"
#include "stats/blocking.h"
#include "stats/request.h"

namespace tabsift {
namespace {

TEST(RequestTest, ItemsAndPercents) {
  const struct {
    const char* request;
    std::vector<const char*> texts;
    Percent last;
  } accepted[] = {
      {"", {}, {}},
      {"s,", {"s"}, {}},
      {"p90,b", {"p90", "b"}, {}},
      {"m,p2.5", {"m", "p2.5"}, {25, 1}},
      {"p0", {"p0"}, {0, 0}},
      {"p100.000", {"p100.000"}, {100, 0}},
      {"p007.50", {"p007.50"}, {75, 1}},
      {"p99.99999999999999999",
       {"p99.99999999999999999"},
       {9999999999999999999u, 17}},
  };
  for (const auto& c : accepted) {
    const auto items = parseCalculateRequest(c.request);
    ASSERT_TRUE(items) << c.request;
    ASSERT_EQ(items->size(), c.texts.size()) << c.request;
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
      EXPECT_EQ((*items)[i].text, c.texts[i]);
    }
    if (!items->empty() && items->back().statistic == Statistic::kPercentile) {
      EXPECT_EQ(items->back().percent, c.last) << c.request;
    }
  }
  for (const char* request :
       {"p", "p-1", "p101", "p100.5", "p1e2", "px", "p,", "p.5", "p5.", "p 5",
        "p+5", "p5,,", "P5", "p9x", "bb", "b1", "p0.000000000000000001"}) {
    EXPECT_FALSE(parseCalculateRequest(request)) << request;
  }
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
      {{-inf, 5}, {90, 0}, -inf},
      {{5, inf}, {10, 0}, inf},
      {{inf, -inf}, {90, 0}, nan},
      {{-inf, inf}, {0, 0}, -inf},
      {{1, nan, 2}, {0, 0}, 1},
      {{1, nan, 2}, {75, 0}, nan},
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

TEST(PercentileTest, FloatAndIntCells) {
  EXPECT_EQ(percentile<float>({FLT_MAX, -FLT_MAX}, {75, 0}).value, FLT_MAX / 2);
  EXPECT_EQ(percentile<float>({1, 2}, {10, 0}).value, 1.1f);
  const struct {
    std::vector<int> values;
    Percent percent;
    int want;
  } cases[] = {
      {{-2, -1}, {10, 0}, -1},  // -1.9 toward zero
      {{1, 2}, {90, 0}, 1},
      {{INT_MIN, INT_MAX}, {50, 0}, 0},
      {{INT_MAX, INT_MAX - 1}, {50, 0}, INT_MAX - 1},
      {{INT_MIN, INT_MAX}, {100, 0}, INT_MAX},
      {{INT_MIN, INT_MAX}, {1, 17}, INT_MIN + 1},
      {{0, 10, 20, 30, 40}, {625, 1}, 25},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(percentile(c.values, c.percent), Outcome<int>::present(c.want))
        << c.values.size() << " values, p" << c.percent.numerator;
  }
}

// The 50th percentile is the median: both select among the same values,
// one through the percentile's rank arithmetic.
template <typename T>
void expectMedianEqualsP50(std::vector<T> pool) {
  std::mt19937 random(11);
  for (int round = 0; round < 4000; ++round) {
    std::vector<T> values(1 + random() % 8);
    for (T& x : values) x = pool[random() % pool.size()];
    MedianAccumulator<T> median;
    for (T x : values) median.take(x);
    const Outcome<T> m = median.finish(ScopeKind::kLine);
    const Outcome<T> p = percentile(values, {50, 0});
    ASSERT_TRUE(m.kind == p.kind && same(m.value, p.value))
        << values.size() << " values: " << m.value << " and " << p.value;
  }
}

TEST(PercentileTest, FiftiethIsTheMedian) {
  expectMedianEqualsP50<double>({-0.0, 0.0, 1, -1, 0.1, 3, DBL_MAX, -DBL_MAX,
                                 5e-324, HUGE_VAL, -HUGE_VAL, NAN, -NAN});
  expectMedianEqualsP50<float>({-0.0f, 0.0f, 1, 0.1f, FLT_MAX, -FLT_MAX, 1e-45f,
                                INFINITY, -INFINITY, NAN});
  expectMedianEqualsP50<int>({INT_MIN, INT_MAX, -1, 0, 1, 2, -7});
}

// NaN results carry no sign, wherever the NaN came from; sums keep it.
TEST(NanSignTest, OnlySumsAndAveragesKeepTheSign) {
  const double nan = NAN;
  const std::vector<double> minusFirst{-nan, 1, nan};
  const std::vector<double> infinities{-HUGE_VAL, 5, -HUGE_VAL};
  const std::vector<double> bothInfinities{-HUGE_VAL, HUGE_VAL};
  auto finish = [](auto accumulator, const std::vector<double>& values) {
    for (int pass = 0; pass < decltype(accumulator)::kPasses; ++pass) {
      for (double x : values) accumulator.take(x);
      accumulator.endPass();
    }
    return accumulator.finish(ScopeKind::kLine).value;
  };
  EXPECT_TRUE(std::signbit(finish(SumAccumulator<double>(), minusFirst)));
  EXPECT_TRUE(std::signbit(finish(AverageAccumulator<double>(), minusFirst)));
  const std::vector<double> unsignedNans = {
      finish(DeviationAccumulator<double>(), minusFirst),
      finish(DeviationAccumulator<double>(), infinities),
      finish(StandardErrorAccumulator<double>(), infinities),
      finish(StandardErrorAccumulator<double>(), bothInfinities),
      finish(MedianAccumulator<double>(), minusFirst),
      finish(MedianAccumulator<double>(), bothInfinities),
      finish(PercentileAccumulator<double>({50, 0}), bothInfinities),
      finish(PercentileAccumulator<double>({30, 0}), bothInfinities),
      finish(LowestAccumulator<double>(), minusFirst)};
  for (double x : unsignedNans) {
    EXPECT_TRUE(std::isnan(x) && !std::signbit(x)) << x;
  }
}

template <typename T>
Outcome<T> blocked(const std::vector<T>& values) {
  BlockedErrorAccumulator<T> accumulator;
  for (int pass = 0; pass < 2; ++pass) {
    for (T x : values) accumulator.take(x);
    accumulator.endPass();
  }
  return accumulator.finish(ScopeKind::kColumn);
}

TEST(BlockedErrorTest, ShortEqualAndAlternatingScopes) {
  std::vector<double> alternating(64);
  std::vector<double> step(64);
  for (std::size_t i = 0; i < alternating.size(); ++i) {
    alternating[i] = i % 2 ? 1.5 : -2.5;
    step[i] = i < 32 ? 0 : 1;
  }
  std::vector<double> withNan(40, 1.0);
  withNan[7] = -NAN;
  EXPECT_EQ(blocked<double>({}), Outcome<double>::absent());
  EXPECT_EQ(blocked(std::vector<double>(15, 2.0)), Outcome<double>::tooShort());
  EXPECT_EQ(blocked(std::vector<double>(16, 0.1)), Outcome<double>::present(0));
  EXPECT_EQ(blocked(std::vector<int>(1000, INT_MIN)), Outcome<int>::present(0));
  EXPECT_EQ(blocked(std::vector<float>(17, 0.3f)), Outcome<float>::present(0));
  // Pairs average to one value: the error of the average is 0 from level 1.
  EXPECT_EQ(blocked(alternating), Outcome<double>::present(0));
  // One step: the error grows with every level that has blocks enough.
  EXPECT_EQ(blocked(step), Outcome<double>::tooShort());
  const Outcome<double> nan = blocked(withNan);
  EXPECT_TRUE(std::isnan(nan.value) && !std::signbit(nan.value));
}

}  // namespace
}  // namespace tabsift

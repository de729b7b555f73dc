// The exact sum against IEEE arithmetic, which rounds one addition or
// division correctly: the sum of two doubles (or floats) and a double (or
// float, or long double) divided by a count must come out as the hardware
// gives it, over random bit patterns of every exponent, near cancellation
// and subnormals; then sums of more values that no single operation gives.
#include "stats/exact_sum.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace tabsift {
namespace {

// a is b, or NaN as b is.
template <typename T>
bool same(T a, T b) {
  return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b);
}

// Any double; every exponent about as likely, and a few near neighbours.
double anyDouble(std::mt19937_64& random) {
  return std::bit_cast<double>(random());
}

// A float with the leading bits of x and any exponent of the float range,
// subnormals and infinity included.
float anyFloat(double x, std::mt19937_64& random) {
  int exponent;
  const double fraction = std::isfinite(x) ? std::frexp(x, &exponent) : x;
  return static_cast<float>(std::ldexp(fraction, static_cast<int>(random() % 300) - 150));
}

// An exact zero is +0, where IEEE gives -0 for -0 + -0 and -0 / n; a
// negative quotient too small for the format is -0 in both.
template <typename T>
T positiveZero(T x) {
  return x == 0 ? T(0) : x;
}

TEST(ExactSumTest, TwoValuesAndQuotientsAsTheHardwareRoundsThem) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    double x = anyDouble(random);
    double y = anyDouble(random);
    if (i % 4 == 1) y = -x * (1 + std::ldexp(static_cast<double>(random() % 64), -52));
    if (i % 4 == 2) y = std::ldexp(x, -static_cast<int>(random() % 120));
    float fx = anyFloat(x, random);
    const float fy = i % 3 ? anyFloat(y, random) : -fx * 0.75f;
    ExactSum sum, floats, one, f;
    sum.add(x);
    sum.add(y);
    ASSERT_TRUE(same(sum.rounded(kDoubleFormat), positiveZero(x + y))) << x << " + " << y;
    floats.add(fx);
    floats.add(fy);
    ASSERT_TRUE(same(static_cast<float>(floats.rounded(kFloatFormat)), positiveZero(fx + fy)))
        << fx << " + " << fy;

    std::uint64_t n = 1 + random() % (i % 2 ? 1000 : (std::uint64_t{1} << 53));
    std::uint64_t small = 1 + random() % (std::uint64_t{1} << 24);
    if (i % 8 == 3) {
      // A power of two over a count of 11 bits (8 for floats): the quotient
      // is one bit longer than a double, and only the remainder tells a tie
      // from a value just above it.
      x = std::ldexp(1.0, static_cast<int>(random() % 2000) - 1000);
      fx = std::ldexp(1.0f, static_cast<int>(random() % 200) - 100);
      n = 1025 + random() % 1023;
      small = 129 + random() % 127;
    }
    one.add(positiveZero(x));
    ASSERT_TRUE(same(one.rounded(kDoubleFormat, n), positiveZero(x) / static_cast<double>(n)))
        << x << " / " << n;
    ASSERT_TRUE(same(one.roundedWide(n), positiveZero(x) / static_cast<long double>(n)))
        << x << " / " << n;
    f.add(positiveZero(fx));
    ASSERT_TRUE(same(static_cast<float>(f.rounded(kFloatFormat, small)),
                     positiveZero(fx) / static_cast<float>(small)))
        << fx << " / " << small;
  }
}

// 1, then n times the largest double below 2^33.
std::vector<double> manyAfterOne(std::size_t n) {
  std::vector<double> values(n + 1, std::nextafter(8589934592.0, 0.0));
  values[0] = 1;
  return values;
}

TEST(ExactSumTest, ManyValues) {
  const double kTie = std::ldexp(1.0, -53);  // half a unit of 1 in the last place
  // clang-format off
  const struct {
    std::vector<double> values;
    double sum;
    BinaryFormat format = kDoubleFormat;
  } cases[] = {
      {{1e20, 1, -1e20}, 1},
      // 1500 values at the top of the window that 1 opens: it must go into
      // the chunks before it overflows (in reverse, 1 goes to the chunks).
      {manyAfterOne(1500), 12884901888000.998},
      {std::vector<double>(10, 0.1), 1},
      {std::vector<double>(1000000, 0.1), 100000},
      {{1, kTie, std::ldexp(1.0, -80)}, 1 + 2 * kTie},  // past the tie by a little
      {{1, kTie, -std::ldexp(1.0, -80)}, 1},
      {{DBL_MAX, std::ldexp(1.0, 970), -std::ldexp(1.0, 900)}, DBL_MAX},
      {{DBL_MAX, DBL_MAX, -DBL_MAX}, DBL_MAX},
      {{1e308, 1e308, 1e308, -1e308, -1e308}, 1e308},
      {{-DBL_MAX, -DBL_MAX}, -HUGE_VAL},
      {{HUGE_VAL, 1, -DBL_MAX}, HUGE_VAL},
      {{HUGE_VAL, -HUGE_VAL}, NAN},
      {{-HUGE_VAL, NAN}, NAN},
      {{5e-324, 5e-324, -1e-323, 0.0}, 0},
      // Straight to float: through a double 1 + 2^-24 would be a tie and
      // round to 1.
      {{1, std::ldexp(1.0, -24), std::ldexp(1.0, -60)}, 1 + std::ldexp(1.0, -23), kFloatFormat},
      {{1, std::ldexp(1.0, -24), -std::ldexp(1.0, -60)}, 1, kFloatFormat},
      {{FLT_MAX, FLT_MAX, -FLT_MAX}, FLT_MAX, kFloatFormat},
      {{1e30, 1, -1e30}, 1, kFloatFormat},
      {{std::ldexp(1.0, -149), std::ldexp(1.0, -150)}, std::ldexp(1.0, -148), kFloatFormat},
  };
  // clang-format on
  for (const auto& c : cases) {
    ExactSum sum;
    for (double x : c.values) sum.add(x);
    EXPECT_TRUE(same(sum.rounded(c.format), c.sum)) << c.values.size() << " values, " << c.sum;
    // Emptied, it sums the same again in reverse order.
    sum.reset();
    EXPECT_EQ(sum.rounded(c.format), 0);
    for (auto x = c.values.rbegin(); x != c.values.rend(); ++x) sum.add(*x);
    EXPECT_TRUE(same(sum.rounded(c.format), c.sum)) << c.values.size() << " reversed";
  }
}

}  // namespace
}  // namespace tabsift

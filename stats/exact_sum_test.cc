// The exact sum at the edges of its chunks and of its window, against a
// reference kept apart from it: a plain two's complement integer with one
// addition per value, rounded bit by bit to nearest, ties to even.
#include "stats/exact_sum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace tabsift {
namespace {

// The exact sum of doubles as a two's complement integer of 64-bit limbs in
// units of 2^-kBelow: 128 bits below the smallest double, so that a
// quotient of it keeps more bits than a long double and its round bit, and
// room above the largest double for far more values than a test adds.
class Reference {
 public:
  void add(double x) {
    if (x == 0) return;
    int exponent;
    const double fraction = std::frexp(x, &exponent);
    // x is significand * 2^(exponent - 53), with |significand| below 2^53.
    const auto significand =
        static_cast<std::int64_t>(std::ldexp(fraction, 53));
    const int at = exponent - 53 + kBelow;
    const unsigned __int128 placed =
        static_cast<unsigned __int128>(static_cast<__int128>(significand))
        << (at % 64);
    const std::uint64_t fill = significand < 0 ? ~std::uint64_t{0} : 0;
    unsigned __int128 carry = 0;
    for (int i = at / 64; i < kLimbs; ++i) {
      // Past the placed bits, a carry that matches the sign changes nothing.
      if (i > at / 64 + 1 && (carry != 0) == (fill != 0)) break;
      std::uint64_t part = fill;
      if (i == at / 64) part = static_cast<std::uint64_t>(placed);
      if (i == at / 64 + 1) part = static_cast<std::uint64_t>(placed >> 64);
      const unsigned __int128 t = limbs_[i] + carry + part;
      limbs_[i] = static_cast<std::uint64_t>(t);
      carry = t >> 64;
    }
  }

  // The sum over `divisor` rounded once to `precision` bits, below
  // 2^minExponent to the fixed quantum 2^(minExponent - precision + 1), and
  // without an upper exponent limit; infinity beyond the long double range.
  long double rounded(BinaryFormat format, std::uint64_t divisor) const {
    std::array<std::uint64_t, kLimbs> m = limbs_;
    const bool negative = m.back() >> 63;
    if (negative) {
      bool carry = true;
      for (std::uint64_t& limb : m) {
        limb = ~limb + carry;
        carry = carry && limb == 0;
      }
    }
    unsigned __int128 remainder = 0;
    for (int i = kLimbs - 1; i >= 0; --i) {
      const unsigned __int128 current = remainder << 64 | m[i];
      m[i] = static_cast<std::uint64_t>(current / divisor);
      remainder = current % divisor;
    }
    const auto bit = [&m](int i) { return (m[i / 64] >> (i % 64)) & 1; };
    int top = kLimbs * 64 - 1;
    while (top >= 0 && !bit(top)) --top;
    if (top < 0) return 0;
    const int quantum =
        std::max(top - kBelow, format.minExponent) - (format.precision - 1);
    const int cut = quantum + kBelow;  // the bit worth one quantum
    unsigned __int128 kept = 0;
    for (int i = top; i >= cut; --i) kept = kept << 1 | bit(i);
    bool sticky = remainder != 0;
    for (int i = 0; i < cut - 1; ++i) sticky = sticky || bit(i);
    if (bit(cut - 1) && (sticky || (kept & 1))) ++kept;
    const long double magnitude =
        std::ldexp(static_cast<long double>(kept), quantum);
    return negative ? -magnitude : magnitude;
  }

 private:
  static constexpr int kBelow = 1074 + 128;
  static constexpr int kLimbs = 40;
  std::array<std::uint64_t, kLimbs> limbs_{};
};

bool same(long double a, long double b) {
  return a == b && std::signbit(a) == std::signbit(b);
}

// The sum of `values`, and the sum over their number and over 3, rounded to
// float, double and long double, as the reference gives them.
void expectAsReference(const std::vector<double>& values) {
  ExactSum sum;
  Reference reference;
  for (double x : values) {
    sum.add(x);
    reference.add(x);
  }
  const std::uint64_t n = values.size();
  for (const std::uint64_t divisor : {std::uint64_t{1}, n, std::uint64_t{3}}) {
    for (const BinaryFormat format : {kFloatFormat, kDoubleFormat}) {
      const long double want = reference.rounded(format, divisor);
      // A double result beyond the double range is infinity.
      const long double clipped = std::fabs(want) > 0x1.fffffffffffffp1023L
                                      ? std::copysign(HUGE_VALL, want)
                                      : want;
      ASSERT_TRUE(same(sum.rounded(format, divisor), clipped))
          << values.size() << " values from " << values[0] << ", precision "
          << format.precision << ", over " << divisor << ": "
          << sum.rounded(format, divisor) << " instead of " << clipped;
    }
    ASSERT_TRUE(same(sum.roundedWide(divisor),
                     reference.rounded(kLongDoubleFormat, divisor)))
        << values.size() << " values from " << values[0] << ", over "
        << divisor;
  }
}

// 2^e for any e, limited to the finite doubles.
double power(int e) {
  return std::ldexp(1.0, std::clamp(e, -1074, 1023));
}

// Bit 0 of chunk j of the exact sum is worth 2^(32 j - 1074); the last
// edge lies above the largest double.
constexpr int kEdges = 66;
int edge(int j) {
  return 32 * j - 1074;
}

// 2^k values of 2^(e - k), one sign, reach the chunk edge 2^e exactly. The
// chunk their bits land in is the top one the sum touched; negative, the
// sum is minus a power of two above it, a carry of -1 over zero digits.
// An opening pair that cancels sets the window far below them, so that
// they go into the chunks; without it they go into the window.
TEST(ExactSumTest, PowersOfTwoFillingAChunkToItsEdge) {
  for (int j = 1; j <= kEdges; ++j) {
    for (const double sign : {1.0, -1.0}) {
      for (const int k : {12, 13}) {
        for (const int below : {0, 33, 65}) {
          const double x = sign * power(edge(j) - k);
          std::vector<double> values;
          if (below != 0) {
            const double opening = power(edge(j) - k - below);
            values = {opening, -opening};
          }
          values.insert(values.end(), std::size_t{1} << k, x);
          expectAsReference(values);
        }
      }
    }
  }
}

// Random sums of powers of two, some with a full significand, at and near
// every chunk edge, both signs mostly and mixed: some values cancel, carry
// or borrow across a chunk edge, land just inside or just outside the
// window opened by the first value (32 bits below it to 32 above it), or
// come in runs long enough to fill the window (1024 values) or a chunk.
TEST(ExactSumTest, RandomSumsNearEveryChunkEdge) {
  std::mt19937_64 random(25);
  const auto pick = [&random](int low, int high) {
    return low + static_cast<int>(random() % (high - low + 1));
  };
  const int runs[] = {1, 1, 1, 2, 3, 1023, 1024, 1025, 4096, 5000};
  for (int j = 0; j <= kEdges; ++j) {
    for (int trial = 0; trial < 24; ++trial) {
      const double sign = trial % 2 ? -1.0 : 1.0;
      const int first = edge(j) + pick(-70, 40);
      std::vector<double> values = {(random() % 4 ? sign : -sign) *
                                    power(first)};
      for (int group = pick(1, 6); group > 0; --group) {
        int e = edge(j) + pick(-14, 3);
        if (random() % 3 == 0) {
          e = random() % 2 ? first + 32 + pick(0, 1) : first - 32 - pick(0, 1);
        }
        if (random() % 4 == 0) e = edge(j) + pick(-70, 40);
        double x = (random() % 4 ? sign : -sign) * power(e);
        if (random() % 3 == 0) {
          x *= 1 + static_cast<double>(random() >> 12) * 0x1p-52;
        }
        values.insert(values.end(), runs[random() % std::size(runs)], x);
      }
      expectAsReference(values);
    }
  }
}

}  // namespace
}  // namespace tabsift

// Number text checked against a standard output stream (and printf beyond
// the digits a double holds) over many values at every precision.
#include "output/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

namespace {

using tabsift::numberToString;

// What a stream writes with the writers' settings: its defaults below
// precision 1, otherwise showpoint and `precision`.
std::string streamText(double value, int precision) {
  std::ostringstream out;
  if (precision >= 1) {
    out.setf(std::ios::showpoint);
    out.precision(precision);
  }
  out << value;
  return out.str();
}

// Exact ties, carries into the next power of ten, powers of ten and their
// neighbours, the limits of both floating types, signed zeros, infinities,
// NaNs, random bit patterns of doubles and floats, random magnitudes, short
// decimals and decimal midpoints of 6 and 7 digits.
std::vector<double> sampleValues() {
  using L = std::numeric_limits<double>;
  const double inf = L::infinity(), nan = L::quiet_NaN();
  // clang-format off
  std::vector<double> v = {
      0.0, -0.0, 1, 5, 2.5, 0.125, 9.5, 99.5, 9.96, 0.15, 999999.5, 9999995,
      999.5e3, 9.9999e-6, 1e-5, 0.0001234, 1e21, 1e23, 123456, 1234567, 5e10,
      0.1, 1.0 / 3, 1234.5, 2.5e7, 100, 12345.678, -0.00012345678, L::max(),
      L::min(), L::denorm_min(), -L::denorm_min(), L::min() / 3, L::lowest(),
      double(std::numeric_limits<float>::max()),
      double(std::numeric_limits<float>::denorm_min()), inf, -inf, nan, -nan};
  // clang-format on
  for (int e = -310; e <= 310; ++e) {
    const double p = std::pow(10.0, e);
    v.insert(v.end(),
             {p, std::nextafter(p, 0.0), std::nextafter(p, inf), -9.5 * p});
  }
  std::mt19937_64 rng(20240611);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 12), digits(100000, 999999);
  for (int i = 0; i < 3000; ++i) {
    const std::uint64_t bits = rng();
    double d;
    float f;
    std::memcpy(&d, &bits, sizeof d);
    std::memcpy(&f, &bits, sizeof f);
    const double midpoint = digits(rng) * 10.0 + 5;
    v.insert(
        v.end(),
        {d, f, mantissa(rng) * std::pow(10.0, exponent(rng)),
         std::round(mantissa(rng) * 1e5) / std::pow(10.0, exponent(rng) + 12),
         midpoint / std::pow(10.0, exponent(rng) + 6),
         -(midpoint * 10 + 5) / std::pow(10.0, exponent(rng) + 7)});
  }
  return v;
}

// Up to 17 digits every value; longer precisions every seventh value.
TEST(NumberFormat, MatchesTheStreamAtEveryPrecision) {
  const std::vector<double> values = sampleValues();
  for (int precision : {0,  -3, 1,  2,  3,  4,  5,  6,  7,  8,  9,   10,
                        11, 12, 13, 14, 15, 16, 17, 18, 25, 40, 120, 400}) {
    int mismatches = 0;
    for (std::size_t i = 0; i<values.size(); i += precision> 17 ? 7 : 1) {
      const std::string expected = streamText(values[i], precision);
      const std::string actual = numberToString(values[i], precision);
      if (expected != actual && ++mismatches <= 5) {
        ADD_FAILURE() << "precision " << precision << " value "
                      << streamText(values[i], 17) << ": stream '" << expected
                      << "', formatter '" << actual << "'";
      }
    }
    EXPECT_EQ(mismatches, 0) << "precision " << precision;
  }
}

// Far beyond the digits a double holds the formatter leaves the zeros to
// the caller instead of building huge texts.
TEST(NumberFormat, HugePrecisionsMatchPrintf) {
  for (int precision : {760, 800, 801, 5000}) {
    for (double v :
         {1.0 / 3, -2.5e-300, 4.9e-324, 1.7976931348623157e308, 12345.0, 0.0}) {
      std::vector<char> expected(static_cast<std::size_t>(precision) + 400);
      std::snprintf(expected.data(), expected.size(), "%#.*g", precision, v);
      EXPECT_EQ(numberToString(v, precision), std::string(expected.data()))
          << precision;
    }
  }
  char room[tabsift::numberRoom(100000)];
  const tabsift::NumberText text = tabsift::formatDouble(0.5, 100000, room);
  EXPECT_EQ(text.padZeros, 100000u - tabsift::kExactDigits);
  EXPECT_LE(text.length, sizeof room);
}

}  // namespace

#include "output/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ios>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

namespace {

using tabsift::numberToString;

// What a standard output stream writes for the value with the writers'
// settings: defaults below 1, otherwise showpoint and `precision`.
template <typename V>
std::string streamText(V value, int precision) {
  std::ostringstream out;
  if (precision >= 1) {
    out.setf(std::ios::showpoint);
    out.precision(precision);
  }
  out << value;
  return out.str();
}

// Values that stress the formatter: exact ties, powers of ten and their
// neighbours, the limits of both floating types, signed zeros, infinities
// and NaNs of both signs, plus random bit patterns and random magnitudes.
std::vector<double> sampleValues() {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> v = {
      0.0, -0.0, 1.0, -1.0, 2.5, 0.5, 0.125, 1.5, 9.5, 99.5, 0.05, 0.15,
      999999.5, 9999995, 0.00001, 0.0001, 0.0001234, 1e-5, 1e5, 1e6, 1e15,
      1e16, 1e17, 1e21, 1e22, 1e23, 1e-300, 1e300, 123456, 1234567, 100000,
      999999, 9.99999e5, 9.999995e5, 0.1, 0.2, 0.3, 1.0 / 3, 2.0 / 3, 1234.5,
      2.5e7, 100, 12345.678, -0.00012345678,
      std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
      std::numeric_limits<double>::denorm_min(),
      -std::numeric_limits<double>::denorm_min(),
      std::numeric_limits<double>::min() / 3,
      std::numeric_limits<double>::lowest(),
      double(std::numeric_limits<float>::max()),
      double(std::numeric_limits<float>::denorm_min()), inf, -inf, nan,
      -nan, std::copysign(nan, -1.0)};
  for (int e = -310; e <= 310; ++e) {
    const double p = std::pow(10.0, e);
    v.push_back(p);
    v.push_back(std::nextafter(p, 0.0));
    v.push_back(std::nextafter(p, inf));
    v.push_back(-9.5 * p);
  }
  std::mt19937_64 rng(20240611);
  for (int i = 0; i < 3000; ++i) {
    std::uint64_t bits = rng();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    v.push_back(d);
  }
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 12);
  for (int i = 0; i < 3000; ++i) {
    v.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
    // Short decimals like the ones data files hold.
    v.push_back(std::round(mantissa(rng) * 1e5) / std::pow(10.0, exponent(rng) + 12));
  }
  // Decimal midpoints of 6 and 7 digits: the values nearest to them sit on
  // either side of the rounding boundary.
  std::uniform_int_distribution<int> digits(100000, 999999);
  for (int i = 0; i < 2000; ++i) {
    const double midpoint = digits(rng) * 10.0 + 5;
    v.push_back(midpoint / std::pow(10.0, exponent(rng) + 6));
    v.push_back(-(midpoint * 10 + 5) / std::pow(10.0, exponent(rng) + 7));
  }
  return v;
}

TEST(NumberFormat, DoublesMatchTheStreamAtEveryPrecision) {
  const std::vector<double> values = sampleValues();
  for (int precision : {0, -3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14,
                        15, 16, 17}) {
    int mismatches = 0;
    for (double v : values) {
      const std::string expected = streamText(v, precision);
      const std::string actual = numberToString(v, precision);
      if (expected != actual && ++mismatches <= 5) {
        ADD_FAILURE() << "precision " << precision << " value "
                      << streamText(v, 17) << ": stream '" << expected
                      << "', formatter '" << actual << "'";
      }
    }
    EXPECT_EQ(mismatches, 0) << "precision " << precision;
  }
}

TEST(NumberFormat, FloatsMatchTheStreamWidenedToDouble) {
  std::mt19937 rng(7);
  std::vector<float> values = {0.1f, -0.0f, 1e-45f, 3.4e38f, 16777217.0f,
                               std::numeric_limits<float>::quiet_NaN(),
                               -std::numeric_limits<float>::infinity()};
  for (int i = 0; i < 3000; ++i) {
    std::uint32_t bits = rng();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    values.push_back(f);
  }
  for (int precision = 0; precision <= 17; ++precision) {
    for (float f : values) {
      ASSERT_EQ(streamText(f, precision), numberToString(f, precision))
          << "precision " << precision;
    }
  }
}

TEST(NumberFormat, ExamplesOfTheTableLayout) {
  EXPECT_EQ(numberToString(1, 3), "1.00");
  EXPECT_EQ(numberToString(2.5, 3), "2.50");
  EXPECT_EQ(numberToString(100, 3), "100.");
  EXPECT_EQ(numberToString(1234.5, 3), "1.23e+03");
  EXPECT_EQ(numberToString(0.0001234, 3), "0.000123");
  EXPECT_EQ(numberToString(1, 0), "1");
  EXPECT_EQ(numberToString(2.5, 0), "2.5");
  EXPECT_EQ(numberToString(2.5e7, 0), "2.5e+07");
  EXPECT_EQ(numberToString(0.00001, 0), "1e-05");
  EXPECT_EQ(numberToString(0.1f, 10), "0.1000000015");
  EXPECT_EQ(numberToString(-0.0, 0), "-0");
  EXPECT_EQ(numberToString(5, 1), "5.");
  EXPECT_EQ(numberToString(5e10, 1), "5.e+10");
  // Rounding that carries into the exponent form keeps the C library's
  // "1." mantissa; other carries keep their zeros.
  EXPECT_EQ(numberToString(99.5, 2), "1.e+02");
  EXPECT_EQ(numberToString(-999999.5, 6), "-1.e+06");
  EXPECT_EQ(numberToString(9.96, 2), "10.");
  EXPECT_EQ(numberToString(999.5e3, 3), "1.00e+06");
  EXPECT_EQ(numberToString(9.9999e-6, 2), "1.0e-05");
  EXPECT_EQ(numberToString(4.9406564584124654e-324, 0), "4.94066e-324");
}

TEST(NumberFormat, LongerPrecisionsMatchTheStream) {
  const std::vector<double> values = sampleValues();
  for (int precision : {18, 25, 40, 120, 400}) {
    for (std::size_t i = 0; i < values.size(); i += 7) {
      ASSERT_EQ(streamText(values[i], precision),
                numberToString(values[i], precision))
          << "precision " << precision;
    }
  }
}

// Far beyond the digits a double holds the stream writes zeros; the
// formatter leaves them to the caller instead of building huge texts.
TEST(NumberFormat, HugePrecisionsMatchPrintf) {
  for (int precision : {760, 800, 801, 1000, 5000}) {
    for (double v : {1.0 / 3, -2.5e-300, 4.9e-324, 1.7976931348623157e308,
                     12345.0, 0.0}) {
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

TEST(NumberFormat, IntsArePlain) {
  char out[11];
  for (int v : {0, 7, -7, 1000000, std::numeric_limits<int>::min(),
                std::numeric_limits<int>::max()}) {
    EXPECT_EQ(std::string(out, tabsift::formatInt(v, out)), std::to_string(v));
  }
}

}  // namespace

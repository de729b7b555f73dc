// Number text checked against a standard output stream.
#include "number/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

namespace {

using tabsift::numberToString;

std::string streamText(double value, int precision) {
  std::ostringstream out;
  if (precision >= 1) out << std::showpoint << std::setprecision(precision);
  out << value;
  return out.str();
}

// Limits, powers of ten and their neighbours, ties that carry, random bits,
// magnitudes and short decimals, decimal midpoints, exact binary ties.
std::vector<double> sampleValues() {
  using L = std::numeric_limits<double>;
  using F = std::numeric_limits<float>;
  const double inf = L::infinity(), nan = L::quiet_NaN();
  std::vector<double> v = {0.0,
                           -0.0,
                           inf,
                           -inf,
                           nan,
                           -nan,
                           L::max(),
                           L::lowest(),
                           L::min(),
                           L::min() / 3,
                           -L::denorm_min(),
                           F::max(),
                           F::denorm_min()};
  for (int e = -310; e <= 310; ++e) {
    const double p = std::pow(10.0, e);
    v.insert(v.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, inf),
                       -9.5 * p, p - 0.5});
  }
  std::mt19937_64 rng(20240611);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 12), digits(100000, 999999);
  for (int i = 0; i < 3000; ++i) {
    const std::uint64_t bits = rng();
    const double midpoint = digits(rng) * 10.0 + 5;
    v.insert(
        v.end(),
        {std::bit_cast<double>(bits), std::bit_cast<float>(std::uint32_t(bits)),
         mantissa(rng) * std::pow(10.0, exponent(rng)),
         std::round(mantissa(rng) * 1e5) / std::pow(10.0, exponent(rng) + 12),
         midpoint / std::pow(10.0, exponent(rng) + 6),
         -(midpoint * 10 + 5) / std::pow(10.0, exponent(rng) + 7),
         std::ldexp(static_cast<double>(bits >> 40 | 1), exponent(rng))});
  }
  return v;
}

// Up to 17 digits every value; longer precisions every seventh value.
TEST(NumberFormat, MatchesTheStreamAtEveryPrecision) {
  const std::vector<double> values = sampleValues();
  for (int precision :
       {0,  -3, 1,  2,  3,  4,  5,  6,  7,   8,   9,   10,  11,  12,
        13, 14, 15, 16, 17, 18, 25, 40, 120, 400, 760, 800, 801, 5000}) {
    const std::size_t step = precision > 17 ? 7 : 1;
    for (std::size_t i = 0; i < values.size(); i += step) {
      ASSERT_EQ(numberToString(values[i], precision),
                streamText(values[i], precision))
          << "precision " << precision << " value "
          << streamText(values[i], 17);
    }
  }
}

}  // namespace

// Reading tokens, checked against strtod: for adversarial and generated
// tokens each cell type must hold what strtod's value reduces to. Where the
// short-decimal path stops inside a line is checked by the line cells tests.
#include "table/token.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace tabsift {
namespace {

bool sameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The float nearest to a double, from FLT_MAX and the halfway point to 2^128
// rather than by a cast; NaN keeps its sign.
float referenceFloat(double x) {
  const double halfway =
      (static_cast<double>(FLT_MAX) + std::ldexp(1.0, 128)) / 2;
  if (std::isnan(x) || std::fabs(x) <= FLT_MAX) return static_cast<float>(x);
  return std::copysign(std::fabs(x) >= halfway ? INFINITY : FLT_MAX, x);
}

std::optional<int> referenceInt(double x) {
  const double t = std::trunc(x);
  if (!std::isfinite(x) || t < -2147483648.0 || t > 2147483647.0)
    return std::nullopt;
  return static_cast<int>(t);
}

void expectMatchesStrtod(const std::string& token) {
  SCOPED_TRACE("token \"" + token + "\"");
  char* end = nullptr;
  const double ref = std::strtod(token.c_str(), &end);
  const bool number = end != token.c_str();
  const std::optional<double> d = tokenToCell<double>(token);
  const std::optional<float> f = tokenToCell<float>(token);
  ASSERT_EQ(d.has_value(), number);
  ASSERT_EQ(f.has_value(), number);
  EXPECT_EQ(tokenToCell<int>(token), number ? referenceInt(ref) : std::nullopt);
  if (!number) return;
  EXPECT_TRUE(sameBits(*d, ref)) << *d << " vs " << ref;
  const float want = referenceFloat(ref);
  EXPECT_TRUE(std::isnan(want)
                  ? std::isnan(*f) && std::signbit(*f) == std::signbit(want)
                  : std::memcmp(&*f, &want, sizeof want) == 0)
      << *f << " vs " << want;
}

TEST(TokenTest, AdversarialTokensMatchStrtod) {
  const std::string zeros(400, '0');
  // clang-format off
  const std::vector<std::string> tokens = {
      "0", "-0", "+0", "00", ".0", "0.", "0e0", "-0.00", "0.0abc", "-0e-5",
      "0.5", "-0.7", "1.9", "-1.9", "1e-50", "1e-320", "4.9e-324",
      "2.4703282292062328e-324", "1e308", "1.8e308", "1e400", "-1e400", "-1e300",
      "3.4028235e38", "3.4028236e38", "3.40282357e38", "-3.5e38", "1e39",
      "2147483647.9", "2147483648", "-2147483648.9", "-2147483649", "-1e10",
      "2abc", "1,5", "1.5.5", "1e", "1e+", "1e-", "1e-x", "1.e5", ".e5", "e5",
      "-", "+", ".", "-.", "+.5", "--1", "+-1", "abc", "#", "", "0x", "0x1p3",
      "-0x1.8p1", "+0x10", "0xg", "0x.p1", "0x1p", "0x1P-1074", "00x1", "-0x",
      "0xffffffffffffffffffffp0", "inf", "-INF", "+Inf", "infinity", "infin",
      "iNfInItY", "nan", "-nan", "nan()", "nan(abc_1)", "-nan(0x7)", "nan(",
      "nan(a-b)", "na", "in", "\v1", "\f-2", "\v\f3.5", "\v", "\vabc", "\v+.5",
      " \t 300 K", "\r\n 0\r", " 1.5 P = 2", "   ", " = 1", std::string("7\0" "8", 3),
      std::string("\0" "1", 2), "\x80\xff", "1\x80", "123456789012345678901234567890",
      "0.000000000000000000000000000000000000000000001", "1" + zeros,
      "0." + zeros + "1", "9007199254740993", "9007199254740992.5000000001",
      "18014398509481985", "9999999999999999999", "99999999999999999999", "0.3",
      "1e22", "1e23", "1e-22", "1e-23", "123456789e-22", "1e99999999999",
      "1e-99999999999", "5e00000000000001", "1_000", "1e5e5", "0e", "٣"};
  // clang-format on
  for (const std::string& token : tokens) expectMatchesStrtod(token);
}

// Generated tokens: short decimals as data files hold them (up to 20 digits,
// exponents around the exactly representable powers of ten), longer ones
// among words and the pieces that end numbers early, random bytes, and
// doubles of random bits written with %.6g and %.17g.
std::string randomDecimal(std::mt19937_64& rng, unsigned maxDigits,
                          unsigned maxExponent) {
  std::string token;
  for (auto n = rng() % (maxDigits + 1); n > 0; --n)
    token += char('0' + rng() % 10);
  const std::size_t point = rng() % (token.size() + 2);
  if (point <= token.size()) token.insert(token.begin() + point, '.');
  if (rng() % 3 == 0) {
    token += "eE"[rng() % 2];
    if (rng() % 2) token += "+-"[rng() % 2];
    token += std::to_string(rng() % maxExponent);
  }
  return token;
}

std::string randomShortDecimal(std::mt19937_64& rng) {
  const char* sign = rng() % 2 ? "-" : "";
  return std::string(sign).append(randomDecimal(rng, 20, 40));
}

std::string randomWordOrNumber(std::mt19937_64& rng) {
  static const std::vector<std::string> leads = {"",  "",   "",  "-",
                                                 "+", "\v", "--"};
  // clang-format off
  static const std::vector<std::string> words = {
      "inf", "infinity", "Infinit", "NaN", "nan(12)", "nan(", "0x", "0X1",
      "0x1.8p", "0xAbC.dp-3", "e", "E+", "#", ",", "x", "."};
  // clang-format on
  static const std::string tails = "eE+-.,#xXpP0123456789abcdefinINF_()\x80";
  std::string token = leads[rng() % leads.size()];
  token +=
      rng() % 4 ? randomDecimal(rng, 40, 700) : words[rng() % words.size()];
  for (auto n = rng() % 4 == 0 ? rng() % 4 : 0; n > 0; --n)
    token += tails[rng() % tails.size()];
  return token;
}

std::string randomBytes(std::mt19937_64& rng) {
  std::string token;
  for (auto n = rng() % 9; n > 0; --n) token += static_cast<char>(rng());
  return token;
}

std::string randomDoubleText(std::mt19937_64& rng) {
  char text[64];
  const std::uint64_t bits = rng();
  double x;
  std::memcpy(&x, &bits, sizeof x);
  std::snprintf(text, sizeof text, bits % 2 ? "%.17g" : "%.6g", x);
  return text;
}

TEST(TokenTest, GeneratedTokensMatchStrtod) {
  std::mt19937_64 rng(20240611);
  for (auto generate : {randomWordOrNumber, randomShortDecimal, randomBytes,
                        randomDoubleText}) {
    for (int i = 0; i < 40000; ++i) {
      expectMatchesStrtod(generate(rng));
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tabsift

// Reading tokens, checked against strtod: for adversarial and generated
// tokens each cell type must hold what strtod's value reduces to. Where the
// short-decimal path stops inside a line is checked by the line cells tests.
#include "table/token.h"

#include <gtest/gtest.h>

#include <bit>
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
  // Boundaries: the smallest doubles, float overflow and its halfway point,
  // the int range, the exact fast path (2^53, 10^22, 19 digits), exponents
  // beyond int; hex, inf and nan forms; white space and NUL bytes.
  const std::vector<std::string> tokens = {
      "-0", "-0e-5", "1e-320", "4.9e-324", "2.4703282292062328e-324", "1.8e308",
      "-1e400", "3.4028235e38", "3.4028236e38", "3.40282357e38", "-3.5e38",
      "2147483647.9", "2147483648", "-2147483648.9", "-2147483649", "1.e5", ".e5",
      "+.5", "+-1", "0x1p3", "-0x1.8p1", "+0x10", "0xg", "0x.p1", "0x1P-1074", "00x1",
      "0xffffffffffffffffffffp0", "+Inf", "iNfInItY", "-nan", "nan()", "nan(abc_1)",
      "-nan(0x7)", "nan(a-b)", "\f-2", "\v\f3.5", "\v+.5", " \t 300 K", "\r\n 0\r",
      " 1.5 P = 2", "   ", " = 1", std::string("7\0" "8", 3), std::string("\0" "1", 2),
      "1" + zeros, "0." + zeros + "1", "9007199254740993", "9007199254740992.5000000001",
      "18014398509481985", "9999999999999999999", "99999999999999999999", "1e22",
      "1e23", "1e-22", "1e-23", "123456789e-22", "1e99999999999", "1e-99999999999",
      "5e00000000000001", "٣"};
  // clang-format on
  for (const std::string& token : tokens) expectMatchesStrtod(token);
}

// Generated tokens: short decimals as data files hold them (up to 20 digits,
// exponents around the exactly representable powers of ten), longer ones,
// words, random bytes and doubles of random bits written with %.6g or %.17g,
// after a lead that may stop the short-decimal reading and before pieces
// that may end a number early.
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

std::string randomToken(std::mt19937_64& rng) {
  // clang-format off
  static const std::vector<std::string> leads = {"", "", "", "", "-", "-", "+", "\v", "--"};
  static const std::vector<std::string> words = {
      "inf", "infinity", "Infinit", "NaN", "nan(12)", "nan(", "0x", "0X1",
      "0x1.8p", "0xAbC.dp-3", "e", "E+", "#", ",", "x", "."};
  // clang-format on
  static const std::string tails = "eE+-.,#xXpP0123456789abcdefinINF_():/\x80";
  std::string token = leads[rng() % leads.size()];
  char text[64];
  switch (rng() % 5) {
    case 0: token += randomDecimal(rng, 20, 40); break;
    case 1: token += randomDecimal(rng, 40, 700); break;
    case 2: token += words[rng() % words.size()]; break;
    case 3:
      for (auto n = rng() % 9; n > 0; --n) token += static_cast<char>(rng());
      break;
    default:
      const std::uint64_t bits = rng();
      std::snprintf(text, sizeof text, bits % 2 ? "%.17g" : "%.6g",
                    std::bit_cast<double>(bits));
      token += text;
  }
  for (auto n = rng() % 4 == 0 ? rng() % 4 : 0; n > 0; --n)
    token += tails[rng() % tails.size()];
  return token;
}

TEST(TokenTest, GeneratedTokensMatchStrtod) {
  std::mt19937_64 rng(20240611);
  for (int i = 0; i < 200000 && !HasFatalFailure(); ++i)
    expectMatchesStrtod(randomToken(rng));
}

}  // namespace
}  // namespace tabsift

#include "table/token.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace tabsift {
namespace {

// What atof gives and whether strtod consumed anything: the reference.
struct Reference {
  bool number;
  double value;
};

Reference strtodReading(const std::string& token) {
  char* end = nullptr;
  double value = std::strtod(token.c_str(), &end);
  return {end != token.c_str(), value};
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The float nearest to a double, found by comparing distances to the two
// floats around it rather than by a cast.
std::optional<float> referenceFloat(double x) {
  if (std::isnan(x) || std::isinf(x)) return static_cast<float>(x);
  if (std::fabs(x) <= FLT_MAX) return static_cast<float>(x);
  // Halfway between FLT_MAX and the next power of two 2^128 and beyond
  // rounds to infinity.
  const double halfway = (static_cast<double>(FLT_MAX) + std::ldexp(1.0, 128)) / 2;
  if (std::fabs(x) >= halfway) return std::copysign(INFINITY, x);
  return std::copysign(FLT_MAX, x);
}

std::optional<int> referenceInt(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  double t = std::trunc(x);
  if (t < -2147483648.0 || t > 2147483647.0) return std::nullopt;
  return static_cast<int>(t);
}

void expectMatchesStrtod(const std::string& token) {
  SCOPED_TRACE("token \"" + token + "\"");
  Reference ref = strtodReading(token);
  std::optional<double> d = tokenToCell<double>(token);
  ASSERT_EQ(d.has_value(), ref.number);
  if (!ref.number) {
    EXPECT_FALSE(tokenToCell<float>(token).has_value());
    EXPECT_FALSE(tokenToCell<int>(token).has_value());
    return;
  }
  EXPECT_TRUE(sameBits(*d, ref.value)) << *d << " vs " << ref.value;

  std::optional<float> f = tokenToCell<float>(token);
  ASSERT_TRUE(f.has_value());
  float expectedFloat = *referenceFloat(ref.value);
  if (std::isnan(expectedFloat)) {
    EXPECT_TRUE(std::isnan(*f));
    EXPECT_EQ(std::signbit(*f), std::signbit(expectedFloat));
  } else {
    EXPECT_TRUE(std::memcmp(&*f, &expectedFloat, sizeof(float)) == 0)
        << *f << " vs " << expectedFloat;
  }
  EXPECT_EQ(tokenToCell<int>(token), referenceInt(ref.value));
}

TEST(TokenTest, AdversarialTokensMatchStrtod) {
  const std::vector<std::string> tokens = {
      "0", "-0", "+0", "00", ".0", "0.", "0e0", "-0.0", "-0.00", "0.0abc",
      "0.05", "0.5", "-0.7", "1.9", "-1.9", "1e-50", "1e-320", "4.9e-324",
      "2.4703282292062328e-324", "1e308", "1.8e308", "1e400", "-1e400",
      "3.4028235e38", "3.4028236e38", "3.40282357e38", "-3.5e38", "1e39",
      "2147483647", "2147483647.9", "2147483648", "-2147483648",
      "-2147483648.9", "-2147483649", "1e10", "-1e10",
      "2abc", "1,5", "1.5.5", "1e", "1e+", "1e-", "1E5", "1.e5", ".e5",
      "e5", "E5", "-", "+", ".", "-.", "+.", "+.5", "-.5", "--1", "+-1",
      "-+1", "abc", "#", "", "0x", "0X", "0x1p3", "-0x1.8p1", "+0x10",
      "0xg", "0x.p1", "0x1p", "0x1P-1074", "0xffffffffffffffffffffp0",
      "inf", "INF", "-inf", "+Inf", "infinity", "-INFINITY", "infin",
      "infinit", "iNfInItY", "nan", "NaN", "-nan", "+NAN", "nan()",
      "nan(123)", "nan(abc_1)", "-nan(0x7)", "nan(", "nan(a", "nan(a-b)",
      "na", "in", "\v1", "\f-2", "\v\f3.5", "\v", "\f", "\vabc", "\v+.5",
      std::string("1\0" "2", 3), std::string("\0" "1", 2), "\x80\xff",
      "1\x80", "123456789012345678901234567890",
      "0.000000000000000000000000000000000000000000001",
      "1" + std::string(400, '0'), "0." + std::string(400, '0') + "1",
      "9007199254740993", "9007199254740992.5000000001", "-0e-5",
      "9007199254740992", "9007199254740994", "18014398509481985",
      "9999999999999999999", "99999999999999999999", "0.1", "0.3", "1e22",
      "1e23", "1e-22", "1e-23", "123456789e-22", "4.35e-1", "1.e5", "-.5e+2",
      "1e+", "1e-x", "1e99999999999", "1e-99999999999", "5e00000000000001",
      "1_000", "1e5e5", "0e", "00x1", "-0x", "٣"};
  for (const std::string& token : tokens) expectMatchesStrtod(token);
}

// Random tokens assembled from the pieces numbers are written with, and
// from the pieces that end them early.
std::string randomToken(std::mt19937& rng) {
  static const std::vector<std::string> leads = {"", "", "", "", "-", "+",
                                                 "\v", "\f", "--", "-+"};
  static const std::vector<std::string> words = {
      "inf", "INF", "infinity", "Infinit", "nan", "NaN", "nan(12)", "nan(",
      "0x", "0X1", "0x1.8p", "0xAbC.dp-3", "e", "E+", "#", ",", "x", "."};
  static const std::string digits = "0123456789";
  static const std::string tails = "eE+-.,#xXpP0123456789abcdefinINF_()\x80";
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  std::string token = leads[pick(leads.size())];
  switch (pick(4)) {
    case 0:
      token += words[pick(words.size())];
      break;
    default: {
      std::size_t intDigits = pick(24);
      for (std::size_t i = 0; i < intDigits; ++i) token += digits[pick(10)];
      if (pick(2)) {
        token += '.';
        std::size_t frac = pick(24);
        for (std::size_t i = 0; i < frac; ++i) token += digits[pick(10)];
      }
      if (pick(2)) {
        token += "eE"[pick(2)];
        if (pick(2)) token += "+-"[pick(2)];
        token += std::to_string(pick(700));
      }
    }
  }
  std::size_t tail = pick(4) == 0 ? pick(4) : 0;
  for (std::size_t i = 0; i < tail; ++i) token += tails[pick(tails.size())];
  return token;
}

TEST(TokenTest, RandomTokensMatchStrtod) {
  std::mt19937 rng(20240611);
  for (int i = 0; i < 100000; ++i) {
    expectMatchesStrtod(randomToken(rng));
    if (HasFatalFailure()) return;
  }
}

TEST(TokenTest, RandomBytesMatchStrtod) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 8);
  for (int i = 0; i < 20000; ++i) {
    std::string token;
    for (int n = length(rng); n > 0; --n) token += static_cast<char>(byte(rng));
    expectMatchesStrtod(token);
    if (HasFatalFailure()) return;
  }
}

// A short decimal as data files hold it: up to 20 digits, a point
// anywhere, exponents around the range where powers of ten are exact.
std::string randomShortDecimal(std::mt19937_64& rng) {
  auto below = [&](std::uint64_t n) { return rng() % n; };
  std::string digits;
  for (std::uint64_t n = 1 + below(20); n > 0; --n) digits += static_cast<char>('0' + below(10));
  std::string token = below(2) ? "-" : "";
  std::size_t point = below(digits.size() + 2);
  if (point <= digits.size()) {
    token += digits.substr(0, point) + "." + digits.substr(point);
  } else {
    token += digits;
  }
  if (below(3) == 0) {
    token += "eE"[below(2)];
    if (below(2)) token += "+-"[below(2)];
    token += std::to_string(below(40));
  }
  return token;
}

TEST(TokenTest, RandomShortDecimalsMatchStrtod) {
  std::mt19937_64 rng(5);
  for (int i = 0; i < 100000; ++i) {
    expectMatchesStrtod(randomShortDecimal(rng));
    if (HasFatalFailure()) return;
  }
}

// Whenever the short path stops at a delimiter, strtod stops there too with
// the same value; the reader relies on that to find the token's end.
TEST(TokenTest, ShortPathStopsWhereStrtodStops) {
  std::mt19937 rng(11);
  std::vector<std::string> tokens = {"1", "-2.5", "1e5", "1e", "1e+", "7E-3x",
                                     "0x1", ".5", "5.", "-0", "12abc", "3,5"};
  std::mt19937_64 rng64(13);
  for (int i = 0; i < 50000; ++i) {
    tokens.push_back(randomToken(rng));
    tokens.push_back(randomShortDecimal(rng64));
  }
  int taken = 0;
  for (const std::string& token : tokens) {
    SCOPED_TRACE("token \"" + token + "\"");
    // Text after the token, so that the short path sees whole eight-byte
    // words of it, and not only the padded end of the text.
    const std::string line = token + " 123456789";
    double value = 0;
    const char* stop = readShortDecimal(line.data(), line.data() + line.size(), &value);
    if (stop == nullptr || *stop != ' ') continue;
    ++taken;
    char* end = nullptr;
    const double expected = std::strtod(line.c_str(), &end);
    ASSERT_EQ(stop, end);
    ASSERT_TRUE(sameBits(value, expected)) << value << " vs " << expected;
  }
  EXPECT_GT(taken, 30000);
}

TEST(TokenTest, RandomDoublesRoundTrip) {
  std::mt19937_64 rng(99);
  char text[64];
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = rng();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    std::snprintf(text, sizeof text, (i % 2) ? "%.17g" : "%.6g", x);
    expectMatchesStrtod(text);
    if (HasFatalFailure()) return;
  }
}

// Zero written in any form is a number; only text that does not start with
// one is refused.
TEST(TokenTest, ZerosAreNumbers) {
  for (const char* token : {"0", "-0", "+0", "00", ".0", "0e0", "-0.0", "-0.00", "0.0abc"}) {
    SCOPED_TRACE(token);
    ASSERT_TRUE(tokenToCell<double>(token).has_value());
    EXPECT_EQ(*tokenToCell<double>(token), 0.0);
    EXPECT_EQ(tokenToCell<float>(token), 0.0f);
    EXPECT_EQ(tokenToCell<int>(token), 0);
  }
  EXPECT_TRUE(std::signbit(*tokenToCell<double>("-0")));
  for (const char* token : {"abc", "#", "-", ".", "e5", "", "+", "\v"}) {
    SCOPED_TRACE(token);
    EXPECT_FALSE(tokenToCell<double>(token).has_value());
    EXPECT_FALSE(tokenToCell<float>(token).has_value());
    EXPECT_FALSE(tokenToCell<int>(token).has_value());
  }
}

TEST(TokenTest, ReductionToCellTypes) {
  EXPECT_EQ(tokenToCell<int>("0.5"), 0);
  EXPECT_EQ(tokenToCell<int>("-0.7"), 0);
  EXPECT_EQ(tokenToCell<int>("1.9"), 1);
  EXPECT_EQ(tokenToCell<int>("-1.9"), -1);
  EXPECT_EQ(tokenToCell<int>("2abc"), 2);
  EXPECT_EQ(tokenToCell<double>("1,5"), 1.0);
  EXPECT_EQ(tokenToCell<int>("-2147483648"), INT_MIN);
  EXPECT_FALSE(tokenToCell<int>("2147483648").has_value());
  EXPECT_FALSE(tokenToCell<int>("nan").has_value());
  EXPECT_FALSE(tokenToCell<int>("-inf").has_value());
  EXPECT_EQ(tokenToCell<float>("1e-50"), 0.0f);
  EXPECT_EQ(tokenToCell<float>("1e39"), INFINITY);
  EXPECT_EQ(tokenToCell<float>("-1e300"), -INFINITY);
  EXPECT_TRUE(std::isnan(*tokenToCell<float>("nan")));
  EXPECT_EQ(tokenToCell<double>("0x1p3"), 8.0);
  EXPECT_EQ(tokenToCell<double>("\v+.5"), 0.5);
}

TEST(TokenTest, LeadingNumberSkipsWhiteSpaceAndStopsAtText) {
  EXPECT_EQ(leadingNumber(" \t 300 K"), 300.0);
  EXPECT_EQ(leadingNumber("\r\n 0\r"), 0.0);
  EXPECT_EQ(leadingNumber(" 1.5 P = 2"), 1.5);
  EXPECT_FALSE(leadingNumber("   ").has_value());
  EXPECT_FALSE(leadingNumber(" = 1").has_value());
  EXPECT_FALSE(leadingNumber(" zero").has_value());
  EXPECT_EQ(leadingNumber(std::string_view("7\0" "8", 3)), 7.0);
}

}  // namespace
}  // namespace tabsift

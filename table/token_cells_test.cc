// Tokens read into cells, token by token and through the line reading,
// checked against strtod for generated lines; absent and NaN cells.
#include "number/token.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "table/line_cells.h"

namespace tabsift {
namespace {

// The float nearest to a double, not by a cast beyond FLT_MAX.
float referenceFloat(double x) {
  const double halfway =
      (static_cast<double>(FLT_MAX) + std::ldexp(1.0, 128)) / 2;
  if (std::isnan(x) || std::fabs(x) <= FLT_MAX) return static_cast<float>(x);
  return std::copysign(std::fabs(x) >= halfway ? INFINITY : FLT_MAX, x);
}

// The cell of type T that strtod's reading of the token reduces to.
template <typename T>
Cell<T> referenceCell(const std::string& token) {
  char* end = nullptr;
  const double x = std::strtod(token.c_str(), &end);
  const double t = std::trunc(x);
  if (end == token.c_str()) return Cell<T>();
  if constexpr (std::is_same_v<T, int>) {
    if (!std::isfinite(x) || t < -2147483648.0 || t > 2147483647.0)
      return Cell<T>();
    return Cell<T>(static_cast<int>(t));
  } else {
    return Cell<T>(std::is_same_v<T, float> ? referenceFloat(x) : x);
  }
}

// Both absent, or both present with the same bits.
template <typename T>
bool sameCell(Cell<T> a, Cell<T> b) {
  const T x = a.value(), y = b.value();
  return a.present() == b.present() && std::memcmp(&x, &y, sizeof x) == 0;
}

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

// The halfway point between DBL_MAX and 2^1024, and just below it.
std::vector<std::string> doubleHalfway() {
  static_assert(LDBL_MANT_DIG >= 64, "2^1024 - 2^970 must be exact");
  char text[400];
  std::snprintf(text, sizeof text, "%.0Lf",
                std::ldexp(1.0L, 1024) - std::ldexp(1.0L, 970));
  std::string below = text;
  --below.back();  // a multiple of 2^970, so its last digit is not 0
  return {text, below, below + ".9e0"};
}

// Decimals, chosen words, random bytes and doubles, after a lead and before
// pieces that may end a number early.
std::string randomToken(std::mt19937_64& rng) {
  static const std::string zeros(400, '0');
  static const std::vector<std::string> halfway = doubleHalfway();
  static const std::vector<std::string> leads = {"",  "",  "",   "",   "-",
                                                 "-", "+", "\v", "\f", "--"};
  // Boundaries of each type and of the fast paths; hex, inf, nan; NUL bytes.
  static const std::vector<std::string> words = {
      "-0",
      "-0e-5",
      "1e-320",
      "4.9e-324",
      "2.4703282292062328e-324",
      "1.8e308",
      "-1e400",
      "3.4028235e38",
      "3.4028236e38",
      "3.40282357e38",
      "-3.5e38",
      "3.4028235677973366e38",
      "3.4028235677973362e38",
      halfway[0],
      halfway[1],
      halfway[2],
      "2147483647.9",
      "2147483648",
      "-2147483648.9",
      "-2147483649",
      "1.e5",
      ".e5",
      "+.5",
      "+-1",
      "0x1p3",
      "-0x1.8p1",
      "+0x10",
      "0xg",
      "0x.p1",
      "0x1P-1074",
      "00x1",
      "0xffffffffffffffffffffp0",
      "+Inf",
      "iNfInItY",
      "-nan",
      "nan()",
      "nan(abc_1)",
      "-nan(0x7)",
      "nan(a-b)",
      "\f-2",
      "\v\f3.5",
      "\v+.5",
      "=",
      std::string("7\0"
                  "8",
                  3),
      std::string("\0"
                  "1",
                  2),
      "1" + zeros,
      "0." + zeros + "1",
      "9007199254740993",
      "9007199254740992.5000000001",
      "18014398509481985",
      "9999999999999999999",
      "99999999999999999999",
      "18446744073709551616",
      "18446744073709551617",
      "36893488147419103233",
      "00000000000000000000000000007",
      "1e22",
      "1e23",
      "1e-22",
      "1e-23",
      "123456789e-22",
      "1e99999999999",
      "1e-99999999999",
      "5e00000000000001",
      "٣",
      "inf",
      "infinity",
      "Infinit",
      "NaN",
      "nan(12)",
      "nan(",
      "0x",
      "0X1",
      "0x1.8p",
      "0xAbC.dp-3",
      "e",
      "E+",
      "#",
      ",",
      "x",
      "."};
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

template <typename T>
void expectLineMatchesStrtod(const std::string& line,
                             const std::vector<std::string>& tokens) {
  std::vector<Cell<T>> cells;
  const std::size_t invalid = appendLineCells<T>(line, cells);
  ASSERT_EQ(cells.size(), tokens.size()) << line;
  std::size_t absent = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Cell<T> want = referenceCell<T>(tokens[i]);
    const std::optional<T> number = tokenToCell<T>(tokens[i]);
    EXPECT_TRUE(sameCell(cells[i], want) &&
                sameCell(number ? Cell<T>(*number) : Cell<T>(), want))
        << "token \"" << tokens[i] << "\" in " << line;
    absent += !want.present();
  }
  EXPECT_EQ(invalid, absent) << line;
}

TEST(TokenTest, GeneratedLinesMatchStrtod) {
  std::mt19937_64 rng(20240611);
  const std::string delimiters[] = {"", " ", "\t", "\r", " \t\r "};
  for (int i = 0; i < 60000 && !HasFailure(); ++i) {
    std::string line = delimiters[rng() % 5];
    for (auto n = rng() % 6; n > 0; --n)
      line += randomToken(rng) + delimiters[rng() % 5];
    std::vector<std::string> tokens;
    for (std::size_t p = 0;
         (p = line.find_first_not_of(" \t\r\n", p)) != std::string::npos;) {
      const std::size_t q = line.find_first_of(" \t\r\n", p);  // or npos
      tokens.push_back(line.substr(p, q - p));
      p = q;
    }
    expectLineMatchesStrtod<double>(line, tokens);
    expectLineMatchesStrtod<float>(line, tokens);
    expectLineMatchesStrtod<int>(line, tokens);
  }
}

// NaN patterns (the absent one's too) stay present NaNs of their sign.
template <typename T, typename Bits>
void expectCells(std::initializer_list<Bits> nanPatterns) {
  EXPECT_TRUE(!Cell<T>().present() && Cell<T>().value() == T(0) &&
              Cell<T>(T(0)).present());
  for (Bits bits : nanPatterns) {
    const Cell<T> cell(std::bit_cast<T>(bits));
    EXPECT_TRUE(cell.present() && std::isnan(cell.value()) &&
                std::signbit(cell.value()) == bits >> (8 * sizeof bits - 1))
        << std::hex << bits;
  }
}

TEST(CellTest, AbsentAndPresentCells) {
  expectCells<int, std::uint32_t>({});
  expectCells<double, std::uint64_t>(
      {0x7ff8'0000'0000'0a5eULL, 0xfff8'0000'0000'0a5eULL,
       0x7ff0'0000'0000'0001ULL, 0xffff'ffff'ffff'ffffULL});
  expectCells<float, std::uint32_t>({0x7fc0'0a5eU, 0xffc0'0a5eU, 0x7f80'0001U});
}

}  // namespace
}  // namespace tabsift

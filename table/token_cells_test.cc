// Tokens read into cells, token by token and through the line reading,
// checked against strtod for generated lines; absent and NaN cells.
#include "number/token.h"

#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <random>
#include <regex>
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

// Fortran's exponents, as regular expressions that match whole tokens: a D
// or Q for the E after a decimal mantissa, and a bare signed exponent of one
// to three digits that ends the token, or stands before white space, after
// a mantissa with a point. Group 1 is the mantissa, group 3 the exponent.
const std::regex kLetterExponent(
    R"(([ \t\n\v\f\r]*[+-]?(\d+\.?\d*|\.\d+))[DdQq]([+-]?\d+)[^]*)");
const std::regex kSignExponent(
    R"(([ \t\n\v\f\r]*[+-]?(\d+\.\d*|\.\d+))([+-]\d{1,3})([ \t\n\v\f\r][^]*)?)");

// The number that strtod reads from the token, or from its Fortran spelling
// with an E, and how many bytes of the token that took (0: no number).
double referenceNumber(const std::string& token, std::size_t* length) {
  // Only a D, Q or sign right after a digit or point can start one.
  bool candidate = false;
  for (std::size_t i = 1; i < token.size() && !candidate; ++i) {
    candidate = std::strchr("DdQq+-", token[i]) != nullptr && token[i] != 0 &&
                (std::isdigit(static_cast<unsigned char>(token[i - 1])) ||
                 token[i - 1] == '.');
  }
  std::smatch m;
  if (candidate && (std::regex_match(token, m, kLetterExponent) ||
                    std::regex_match(token, m, kSignExponent))) {
    *length = static_cast<std::size_t>(m.position(3) + m.length(3));
    return std::strtod((m.str(1) + "e" + m.str(3)).c_str(), nullptr);
  }
  char* end = nullptr;
  const double x = std::strtod(token.c_str(), &end);
  *length = static_cast<std::size_t>(end - token.c_str());
  return x;
}

// The cell of type T that the reference number x reduces to (none when no
// number was read).
template <typename T>
Cell<T> referenceCell(double x, std::size_t length) {
  const double t = std::trunc(x);
  if (length == 0) return Cell<T>();
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

// A mantissa followed by a Fortran exponent or something near one: a D or
// Q, or a bare sign, and zero to five digits.
std::string randomFortran(std::mt19937_64& rng) {
  std::string token = randomDecimal(rng, 6, 1);
  if (!token.empty() && token.back() == '.' && rng() % 2) token.pop_back();
  if (rng() % 2) {
    token += "DdQq"[rng() % 4];
    if (rng() % 2) token += "+-"[rng() % 2];
  } else {
    token += "+-"[rng() % 2];
  }
  for (auto n = rng() % 6; n > 0; --n) token += char('0' + rng() % 10);
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
  switch (rng() % 6) {
    case 0: token += randomDecimal(rng, 20, 40); break;
    case 5: token += randomFortran(rng); break;
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

// A token and its reference reading.
struct Reference {
  std::string token;
  double number;
  std::size_t length;
};

// The cells of the line, the count of invalid tokens and the first token
// read only in part, each as the reference reading gives them.
template <typename T>
void expectLineMatchesStrtod(const std::string& line,
                             const std::vector<Reference>& tokens) {
  std::vector<Cell<T>> cells;
  PartialToken partial;
  const std::size_t invalid = appendLineCells<T>(line, cells, &partial);
  ASSERT_EQ(cells.size(), tokens.size()) << line;
  std::size_t absent = 0;
  PartialToken want;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Reference& r = tokens[i];
    const Cell<T> cell = referenceCell<T>(r.number, r.length);
    const std::optional<T> number = tokenToCell<T>(r.token);
    EXPECT_TRUE(sameCell(cells[i], cell) &&
                sameCell(number ? Cell<T>(*number) : Cell<T>(), cell))
        << "token \"" << r.token << "\" in " << line;
    absent += !cell.present();
    if (cell.present() && r.length < r.token.size() && !want.found) {
      want = {true, r.token, r.length, i};
    }
  }
  EXPECT_EQ(invalid, absent) << line;
  EXPECT_TRUE(partial.found == want.found && partial.token == want.token &&
              partial.length == want.length && partial.column == want.column)
      << "first partial token \"" << want.token << "\" in " << line;
}

TEST(TokenTest, GeneratedLinesMatchStrtod) {
  std::mt19937_64 rng(20240611);
  const std::string delimiters[] = {"", " ", "\t", "\r", " \t\r "};
  for (int i = 0; i < 60000 && !HasFailure(); ++i) {
    std::string line = delimiters[rng() % 5];
    for (auto n = rng() % 6; n > 0; --n)
      line += randomToken(rng) + delimiters[rng() % 5];
    std::vector<Reference> tokens;
    for (std::size_t p = 0;
         (p = line.find_first_not_of(" \t\r\n", p)) != std::string::npos;) {
      const std::size_t q = line.find_first_of(" \t\r\n", p);  // or npos
      Reference r{line.substr(p, q - p), 0, 0};
      r.number = referenceNumber(r.token, &r.length);
      tokens.push_back(r);
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

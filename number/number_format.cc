#include "number/number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <system_error>

#include "base/check.h"
#include "number/powers_of_ten.h"

namespace tabsift {
namespace {

// The stream's default precision.
constexpr int kDefaultDigits = 6;

// The writers below may write up to kSlack characters past the end of the
// text (the room numberRoom gives), and read as many past the digits of a
// Scientific, so that short pieces are moved with fixed-size copies, which
// the compiler turns into a few register moves.
constexpr int kSlack = 16;

// A number in scientific form as std::to_chars writes it: sign, significant
// digits (without the point) and the decimal exponent.
struct Scientific {
  bool negative = false;
  char digits[kExactDigits + 1 + kSlack];
  int count = 0;
  int exponent = 0;
};

// Splits the text "[-]d[.ddd]e(+|-)xx" of std::to_chars.
void splitScientific(const char* begin, const char* end, Scientific& s) {
  const char* p = begin;
  s.negative = *p == '-';
  if (s.negative) ++p;
  s.count = 0;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.') s.digits[s.count++] = *p;
  }
  ++p;  // 'e'
  const bool negativeExponent = *p == '-';
  ++p;
  int exponent = 0;
  for (; p < end; ++p) exponent = exponent * 10 + (*p - '0');
  s.exponent = negativeExponent ? -exponent : exponent;
}

char* putZeros(char* out, int n) {
  if (n <= 0) return out;
  if (n <= kSlack) {
    std::memset(out, '0', kSlack);
  } else {
    std::memset(out, '0', static_cast<std::size_t>(n));
  }
  return out + n;
}

char* putDigits(char* out, const char* digits, int n) {
  if (n <= 0) return out;
  if (n <= kSlack) {
    std::memcpy(out, digits, kSlack);
  } else {
    std::memcpy(out, digits, static_cast<std::size_t>(n));
  }
  return out + n;
}

char* putExponent(char* out, int exponent) {
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude >= 100) {
    *out++ = static_cast<char>('0' + magnitude / 100);
  }
  *out++ = static_cast<char>('0' + magnitude / 10 % 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

// printf's %#.Pg from the significant digits (s.count of them; any further
// ones up to `precision` are zeros left to the caller): the point is always
// written and trailing zeros are kept. The C library the streams write
// through differs in one case, which is copied: when rounding carries a
// number just below 10^P up to 10^P, so that it switches from the fixed to
// the exponent form, the mantissa is written as "1." without its zeros
// (99.5 with precision 2 gives 1.e+02, not 1.0e+02).
NumberText layoutShowpoint(const Scientific& s, int precision,
                           bool carriedIntoExponent, char* begin) {
  char* out = begin;
  const int x = s.exponent;
  NumberText text;
  text.padZeros = static_cast<std::size_t>(precision - s.count);
  if (s.negative) *out++ = '-';
  if (x < -4 || x >= precision) {
    *out++ = s.digits[0];
    *out++ = '.';
    if (carriedIntoExponent) {
      text.padZeros = 0;
    } else {
      out = putDigits(out, s.digits + 1, s.count - 1);
    }
    text.padAt = static_cast<std::size_t>(out - begin);
    out = putExponent(out, x);
  } else if (x < 0) {
    *out++ = '0';
    *out++ = '.';
    out = putZeros(out, -x - 1);
    out = putDigits(out, s.digits, s.count);
    text.padAt = static_cast<std::size_t>(out - begin);
  } else {
    // x < precision and x <= 308, so the whole part lies within the digits.
    const int whole = x + 1;
    out = putDigits(out, s.digits, whole);
    *out++ = '.';
    out = putDigits(out, s.digits + whole, s.count - whole);
    text.padAt = static_cast<std::size_t>(out - begin);
  }
  text.length = static_cast<std::size_t>(out - begin);
  return text;
}

NumberText formatNonFinite(double value, char* out) {
  const char* end = std::to_chars(out, out + 8, value).ptr;
  NumberText text;
  text.length = static_cast<std::size_t>(end - out);
  text.padAt = text.length;
  return text;
}

// The most significant digits the quick rounding below serves.
constexpr int kQuickDigits = 15;

// The value scaled by 10^k: one correctly rounded operation on exact
// operands, so within half a unit in the last place of the exact product.
double scaled(double value, int k) {
  return k >= 0 ? value * kExactPowersOfTen[k] : value / kExactPowersOfTen[-k];
}

// The eight decimal digits of n (below 10^8) as text in one word, the
// first digit in the lowest byte: n is split into halves of four digits,
// those into pairs and the pairs into digits, each split done in all lanes
// at once by a multiplication with a reciprocal.
std::uint64_t eightDigits(std::uint64_t n) {
  const std::uint64_t merged = (n / 10000) | ((n % 10000) << 32);
  const std::uint64_t hundreds =
      ((merged * 10486) >> 20) & ((std::uint64_t{0x7f} << 32) | 0x7f);
  const std::uint64_t pairs = ((merged - 100 * hundreds) << 16) + hundreds;
  std::uint64_t tens = ((pairs * 103) >> 10) & 0x000f000f000f000fULL;
  tens += (pairs - 10 * tens) << 8;
  return tens + 0x3030303030303030ULL;
}

void storeWord(char* out, std::uint64_t word) {
  if constexpr (std::endian::native == std::endian::big) {
    word = __builtin_bswap64(word);
  }
  std::memcpy(out, &word, 8);
}

// Writes n (below 10^count, count from 1 to 16) as exactly `count` digits,
// leading zeros included, followed by kSlack zeros.
void writeDigits(std::uint64_t n, int count, char* out) {
  if (count <= 8) {
    storeWord(out, eightDigits(n) >> (8 * (8 - count)));
  } else {
    storeWord(out, eightDigits(n / 100000000) >> (8 * (16 - count)));
    storeWord(out + count - 8, eightDigits(n % 100000000));
  }
  std::memset(out + count, '0', kSlack);
}

// The doubles nearest to 10^-23 .. 10^37, for the first guess of a
// decimal exponent in the range the quick rounding serves.
constexpr int kLowestGuessPower = -23;
constexpr double kGuessPowers[] = {
    1e-23, 1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13,
    1e-12, 1e-11, 1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,
    1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,
    1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,
    1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27,  1e28,  1e29,  1e30,  1e31,
    1e32,  1e33,  1e34,  1e35,  1e36,  1e37};

// The quick rounding of a finite nonzero value: its significant digits as
// one integer `whole` of exactly `digits` digits (at most kQuickDigits) and
// its decimal exponent, in plain double arithmetic: the value is scaled into
// [10^(digits-1), 10^digits) and rounded to an integer. The scaling errs by
// at most half a unit in the last place, so the result is exact unless the
// scaled value lies within that error of a rounding midpoint or of the
// range's ends, or rounding carries into the next power of ten; in those
// rare cases, and for subnormal or far-off magnitudes, it gives up (false)
// and the caller rounds exactly.
[[gnu::always_inline]] inline bool quickRound(double value, int digits,
                                              std::uint64_t& whole,
                                              int& exponent) {
  const double magnitude = std::fabs(value);
  if (magnitude < std::numeric_limits<double>::min()) return false;
  const double low = kExactPowersOfTen[digits - 1];
  const double high = kExactPowersOfTen[digits];
  // floor(log10(magnitude)) from the binary exponent, at most one too low,
  // then raised by a comparison; a guess still off by one (the powers below
  // 1 are not exact) is corrected by the loop.
  const int binaryExponent =
      static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) &
                       0x7ff) -
      1023;
  exponent = (binaryExponent * 1233) >> 12;
  const int guess = exponent + 1 - kLowestGuessPower;
  if (guess >= 0 && guess < static_cast<int>(std::size(kGuessPowers))) {
    exponent += magnitude >= kGuessPowers[guess];
  }
  double m = 0;
  for (int attempt = 0;; ++attempt) {
    const int k = digits - 1 - exponent;
    if (k > kLargestExactPowerOfTen || k < -kLargestExactPowerOfTen ||
        attempt == 3) {
      return false;
    }
    m = scaled(magnitude, k);
    if (m < low) {
      --exponent;
    } else if (m >= high) {
      ++exponent;
    } else {
      break;
    }
  }
  const double margin = m * 0x1p-50;
  if (m - low < margin) return false;
  // m < 10^15, so the conversion truncates exactly.
  whole = static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
  const double fraction = m - static_cast<double>(whole);
  if (std::fabs(fraction - 0.5) <= margin) return false;
  whole += fraction > 0.5;
  return static_cast<double>(whole) < high;
}

bool quickDigits(double value, int digits, Scientific& s) {
  s.negative = std::signbit(value);
  s.count = digits;
  if (value == 0) {
    std::memset(s.digits, '0', kQuickDigits + kSlack);
    s.exponent = 0;
    return true;
  }
  std::uint64_t whole;
  if (!quickRound(value, digits, whole, s.exponent)) return false;
  writeDigits(whole, digits, s.digits);
  return true;
}

// printf's %g (six significant digits) of a value whose quick rounding gave
// `whole` and `exponent`, laid out in one or two words: the six digits sit
// in the low bytes of a word, a point is put in by shifting the digits after
// it, and the text is stored whole, its length counted without branches
// where the data make them unpredictable.
[[gnu::always_inline]] inline char* layoutSix(bool negative,
                                              std::uint64_t whole, int exponent,
                                              char* out) {
  *out = '-';
  out += negative;
  const std::uint64_t text = eightDigits(whole) >> 16;  // six digits
  // Significant digits: the trailing '0' digits are the high zero bytes of
  // the digit values.
  const std::uint64_t values = text - 0x0000303030303030ULL;
  const int count = 8 - (std::countl_zero(values) >> 3);
  if (exponent >= 0 && exponent < kDefaultDigits) {
    const int before = exponent + 1;
    const std::uint64_t below = (std::uint64_t{1} << (8 * before)) - 1;
    const std::uint64_t pointed = (text & below) |
                                  (std::uint64_t{'.'} << (8 * before)) |
                                  ((text & ~below) << 8);
    const bool fraction = count > before;
    storeWord(out, fraction ? pointed : text);
    return out + (fraction ? count + 1 : before);
  }
  if (exponent < 0 && exponent >= -4) {
    storeWord(out, 0x303030303030'2e30ULL);  // "0.000000"
    out += 1 - exponent;
    storeWord(out, text);
    return out + count;
  }
  storeWord(out, (text & 0xff) | (std::uint64_t{'.'} << 8) |
                     ((text & ~std::uint64_t{0xff}) << 8));
  out += count > 1 ? count + 1 : 1;
  return putExponent(out, exponent);
}

// Rounds exactly to `digits` significant digits with std::to_chars.
void exactDigits(double value, int digits, Scientific& s) {
  TABSIFT_ASSERT(digits >= 1 && digits <= kExactDigits);
  char buffer[kExactDigits + 32];
  const std::to_chars_result written =
      std::to_chars(buffer, buffer + sizeof buffer, value,
                    std::chars_format::scientific, digits - 1);
  TABSIFT_ASSERT(written.ec == std::errc());
  splitScientific(buffer, written.ptr, s);
}

// True when rounding to `s`'s digits carried the value up to the power of
// ten 10^s.exponent from below.
bool roundingCarried(double value, const Scientific& s) {
  if (s.digits[0] != '1') return false;
  for (int i = 1; i < s.count; ++i) {
    if (s.digits[i] != '0') return false;
  }
  Scientific exact;
  exactDigits(value, kExactDigits, exact);
  return exact.exponent < s.exponent;
}

// printf's %g, which std::to_chars writes as it is: the stream's default
// layout of the values the quick rounding does not serve (zeros, subnormal
// and far-off magnitudes, values near a rounding midpoint, NaN and the
// infinities).
[[gnu::noinline]] NumberText formatPlain(double value, char* out) {
  const std::to_chars_result written =
      std::to_chars(out, out + numberRoom(0), value, std::chars_format::general,
                    kDefaultDigits);
  TABSIFT_ASSERT(written.ec == std::errc());
  NumberText text;
  text.length = static_cast<std::size_t>(written.ptr - out);
  text.padAt = text.length;
  return text;
}

// printf's %#.Pg of any value: the quick rounding where it serves,
// otherwise exact rounding, laid out through a Scientific. std::to_chars
// has no form that keeps the point and the trailing zeros.
[[gnu::noinline]] NumberText formatShowpoint(double value, int precision,
                                             char* out) {
  if (!std::isfinite(value)) return formatNonFinite(value, out);
  const int digits = precision < kExactDigits ? precision : kExactDigits;
  Scientific s;
  const bool quick = digits <= kQuickDigits && quickDigits(value, digits, s);
  if (!quick) exactDigits(value, digits, s);
  const bool carried =
      !quick && s.exponent == precision && roundingCarried(value, s);
  return layoutShowpoint(s, precision, carried, out);
}

}  // namespace

NumberText formatDouble(double value, int precision, char* out) {
  if (precision >= 1) {
    const NumberText text = formatShowpoint(value, precision, out);
    // The text, without the zeros left to pad, fits the promised room.
    TABSIFT_ASSERT(text.length <= numberRoom(precision));
    TABSIFT_ASSERT(text.padAt <= text.length);
    return text;
  }
  // The stream's default layout of a common value takes the short way.
  std::uint64_t whole;
  int exponent;
  if (value != 0 && std::isfinite(value) &&
      quickRound(value, kDefaultDigits, whole, exponent)) {
    NumberText text;
    text.length = static_cast<std::size_t>(
        layoutSix(std::signbit(value), whole, exponent, out) - out);
    text.padAt = text.length;
    return text;
  }
  return formatPlain(value, out);
}

char* formatInt(int value, char* out) {
  const std::to_chars_result written = std::to_chars(out, out + 11, value);
  TABSIFT_ASSERT(written.ec == std::errc());
  return written.ptr;
}

std::string numberToString(double value, int precision) {
  std::string room(numberRoom(precision), '\0');
  const NumberText text = formatDouble(value, precision, room.data());
  std::string result(room.data(), text.padAt);
  result.append(text.padZeros, '0');
  result.append(room.data() + text.padAt, text.length - text.padAt);
  return result;
}

}  // namespace tabsift

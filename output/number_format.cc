#include "output/number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "table/powers_of_ten.h"

namespace tabsift {
namespace {

// The stream's default precision.
constexpr int kDefaultDigits = 6;

// A number in scientific form as std::to_chars writes it: sign, significant
// digits (without the point) and the decimal exponent.
struct Scientific {
  bool negative = false;
  char digits[kExactDigits + 1];
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
  if (n > 0) {
    std::memset(out, '0', static_cast<std::size_t>(n));
    out += n;
  }
  return out;
}

char* putExponent(char* out, int exponent) {
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) *out++ = '0';
  return std::to_chars(out, out + 4, magnitude).ptr;
}

// printf's %.Pg from the significant digits: trailing zeros and a bare point
// are dropped.
char* layoutPlain(const Scientific& s, int precision, char* out) {
  int count = s.count;
  while (count > 1 && s.digits[count - 1] == '0') --count;
  const int x = s.exponent;
  if (s.negative) *out++ = '-';
  if (x < -4 || x >= precision) {
    *out++ = s.digits[0];
    if (count > 1) {
      *out++ = '.';
      std::memcpy(out, s.digits + 1, static_cast<std::size_t>(count - 1));
      out += count - 1;
    }
    return putExponent(out, x);
  }
  if (x < 0) {
    *out++ = '0';
    *out++ = '.';
    out = putZeros(out, -x - 1);
    std::memcpy(out, s.digits, static_cast<std::size_t>(count));
    return out + count;
  }
  const int whole = x + 1;
  const int shown = count < whole ? count : whole;
  std::memcpy(out, s.digits, static_cast<std::size_t>(shown));
  out = putZeros(out + shown, whole - shown);
  if (count > whole) {
    *out++ = '.';
    std::memcpy(out, s.digits + whole, static_cast<std::size_t>(count - whole));
    out += count - whole;
  }
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
      std::memcpy(out, s.digits + 1, static_cast<std::size_t>(s.count - 1));
      out += s.count - 1;
    }
    text.padAt = static_cast<std::size_t>(out - begin);
    out = putExponent(out, x);
  } else if (x < 0) {
    *out++ = '0';
    *out++ = '.';
    out = putZeros(out, -x - 1);
    std::memcpy(out, s.digits, static_cast<std::size_t>(s.count));
    out += s.count;
    text.padAt = static_cast<std::size_t>(out - begin);
  } else {
    // x < precision and x <= 308, so the whole part lies within the digits.
    const int whole = x + 1;
    std::memcpy(out, s.digits, static_cast<std::size_t>(whole));
    out += whole;
    *out++ = '.';
    std::memcpy(out, s.digits + whole, static_cast<std::size_t>(s.count - whole));
    out += s.count - whole;
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
  return k >= 0 ? value * kExactPowersOfTen[k]
                : value / kExactPowersOfTen[-k];
}

// Rounds a finite value to `digits` significant digits (at most
// kQuickDigits) in plain double arithmetic: the value is scaled into
// [10^(digits-1), 10^digits) and rounded to an integer. The scaling errs by
// at most half a unit in the last place, so the result is exact unless the
// scaled value lies within that error of a rounding midpoint or of the
// range's ends, or rounding carries into the next power of ten; in those
// rare cases, and for subnormal or far-off magnitudes, it gives up (false)
// and the caller rounds exactly.
bool quickDigits(double value, int digits, Scientific& s) {
  s.negative = std::signbit(value);
  s.count = digits;
  if (value == 0) {
    std::memset(s.digits, '0', static_cast<std::size_t>(digits));
    s.exponent = 0;
    return true;
  }
  const double magnitude = std::fabs(value);
  if (magnitude < std::numeric_limits<double>::min()) return false;
  const double low = kExactPowersOfTen[digits - 1];
  const double high = kExactPowersOfTen[digits];
  // floor(log10(magnitude)) from the binary exponent, possibly one off;
  // corrected below.
  const int binaryExponent =
      static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) -
      1023;
  int exponent = (binaryExponent * 1233) >> 12;
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
  std::uint64_t whole = static_cast<std::uint64_t>(m);
  const double fraction = m - static_cast<double>(whole);
  if (std::fabs(fraction - 0.5) <= margin) return false;
  if (fraction > 0.5) ++whole;
  if (static_cast<double>(whole) >= high) return false;
  std::to_chars(s.digits, s.digits + digits, whole);
  s.exponent = exponent;
  return true;
}

// Rounds exactly to `digits` significant digits with std::to_chars.
void exactDigits(double value, int digits, Scientific& s) {
  char buffer[kExactDigits + 32];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                  std::chars_format::scientific, digits - 1)
                        .ptr;
  splitScientific(buffer, end, s);
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

}  // namespace

NumberText formatDouble(double value, int precision, char* out) {
  if (!std::isfinite(value)) return formatNonFinite(value, out);
  const int digits = precision < 1            ? kDefaultDigits
                     : precision < kExactDigits ? precision
                                                : kExactDigits;
  Scientific s;
  const bool quick = digits <= kQuickDigits && quickDigits(value, digits, s);
  if (!quick) exactDigits(value, digits, s);
  if (precision < 1) {
    NumberText text;
    text.length = static_cast<std::size_t>(layoutPlain(s, digits, out) - out);
    text.padAt = text.length;
    return text;
  }
  const bool carried =
      !quick && s.exponent == precision && roundingCarried(value, s);
  return layoutShowpoint(s, precision, carried, out);
}

char* formatInt(int value, char* out) {
  return std::to_chars(out, out + 11, value).ptr;
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

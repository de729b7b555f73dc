#include "output/number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

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

}  // namespace

NumberText formatDouble(double value, int precision, char* out) {
  if (!std::isfinite(value)) return formatNonFinite(value, out);
  char buffer[kExactDigits + 32];
  char* const limit = buffer + sizeof buffer;
  Scientific s;
  if (precision < 1) {
    // When the shortest text that reads back as a normal value has at most 6
    // significant digits, rounding the exact value to 6 digits gives those
    // same digits (the two differ by far less than half a unit in the 6th
    // digit); otherwise, and for subnormal values, whose shortest text can
    // be far from their exact value, round to 6 digits explicitly.
    const char* end =
        std::to_chars(buffer, limit, value, std::chars_format::scientific).ptr;
    splitScientific(buffer, end, s);
    if (s.count > kDefaultDigits ||
        (value != 0 && std::fabs(value) < std::numeric_limits<double>::min())) {
      end = std::to_chars(buffer, limit, value, std::chars_format::scientific,
                          kDefaultDigits - 1)
                .ptr;
      splitScientific(buffer, end, s);
    }
    NumberText text;
    text.length = static_cast<std::size_t>(
        layoutPlain(s, kDefaultDigits, out) - out);
    text.padAt = text.length;
    return text;
  }
  const int digits = precision < kExactDigits ? precision : kExactDigits;
  const char* end = std::to_chars(buffer, limit, value,
                                  std::chars_format::scientific, digits - 1)
                        .ptr;
  splitScientific(buffer, end, s);
  bool carried = false;
  if (s.exponent == precision && s.digits[0] == '1') {
    // Rounded up to 10^P: find the exponent of the exact value.
    Scientific exact;
    end = std::to_chars(buffer, limit, value, std::chars_format::scientific,
                        kExactDigits - 1)
              .ptr;
    splitScientific(buffer, end, exact);
    carried = exact.exponent < s.exponent;
  }
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

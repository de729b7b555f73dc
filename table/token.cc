#include "table/token.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include <fast_float/fast_float.h>

namespace tabsift {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// White space as isspace classifies it in the C locale.
bool isCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

// True when fast_float reads `text` exactly as strtod does: an optional '-'
// then a digit or '.', and not a hexadecimal constant. Everything else
// (leading '+', leading white space, inf, nan, hex, words) goes to strtod.
bool plainDecimal(std::string_view text) {
  std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
  if (i >= text.size()) return false;
  char c = text[i];
  if (c == '.') return true;
  if (!isDigit(c)) return false;
  return !(c == '0' && i + 1 < text.size() &&
           (text[i + 1] == 'x' || text[i + 1] == 'X'));
}

// The common short decimal, such as "-813.514" or "2.5e-3", read directly:
// at most 19 digits whose value fits in 53 bits and a power of ten of at
// most 22, so one exact integer and one correctly rounded multiplication or
// division give the nearest double (Clinger's fast path). Returns false for
// anything else, leaving it to the general parsers.
bool readShortDecimal(std::string_view text, double* out) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int exponent = 0;
  while (p < end && isDigit(*p)) {
    if (++digits > 19) return false;
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    ++p;
  }
  if (p < end && *p == '.') {
    ++p;
    while (p < end && isDigit(*p)) {
      if (++digits > 19) return false;
      mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
      --exponent;
      ++p;
    }
  }
  if (digits == 0) return false;
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool negativeExponent = false;
    if (q < end && (*q == '+' || *q == '-')) negativeExponent = *q++ == '-';
    if (q < end && isDigit(*q)) {
      int written = 0;
      while (q < end && isDigit(*q)) {
        if (written > 1000) return false;
        written = written * 10 + (*q - '0');
        ++q;
      }
      exponent += negativeExponent ? -written : written;
    }
  }
  static constexpr double kPowers[] = {
      1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (mantissa > (std::uint64_t{1} << 53) || exponent < -22 || exponent > 22) {
    return false;
  }
  double value = static_cast<double>(mantissa);
  value = exponent < 0 ? value / kPowers[-exponent] : value * kPowers[exponent];
  *out = negative ? -value : value;
  return true;
}

std::optional<double> readWithStrtod(std::string_view text) {
  // strtod needs a terminated string. Nothing it accepts contains white
  // space or a NUL after the leading white space, so the copy can stop at
  // the first of them.
  std::size_t start = 0;
  while (start < text.size() && isCSpace(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && text[end] != '\0' && !isCSpace(text[end])) ++end;
  if (end == start) return std::nullopt;
  std::string copy(text.substr(start, end - start));
  char* stop = nullptr;
  double value = std::strtod(copy.c_str(), &stop);
  if (stop == copy.c_str()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> leadingNumber(std::string_view text) {
  if (plainDecimal(text)) {
    double value = 0;
    if (readShortDecimal(text, &value)) return value;
    const char* first = text.data();
    auto result = fast_float::from_chars(first, first + text.size(), value);
    if (result.ec == std::errc() && result.ptr != first) return value;
  }
  return readWithStrtod(text);
}

}  // namespace tabsift

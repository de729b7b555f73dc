#include "table/token.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include <fast_float/fast_float.h>

#include "table/c_locale.h"
#include "table/powers_of_ten.h"

namespace tabsift {
namespace {

// True when fast_float reads `text` exactly as strtod does: an optional '-'
// then a digit or '.', and not a hexadecimal constant. Everything else
// (leading '+', leading white space, inf, nan, hex, words) goes to strtod.
bool plainDecimal(std::string_view text) {
  std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
  if (i >= text.size()) return false;
  char c = text[i];
  if (c == '.') return true;
  if (!isDecimalDigit(c)) return false;
  return !(c == '0' && i + 1 < text.size() &&
           (text[i + 1] == 'x' || text[i + 1] == 'X'));
}

}  // namespace

const char* readShortDecimal(const char* first, const char* last,
                             double* out) {
  const char* p = first;
  const char* const end = last;
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int exponent = 0;
  while (p < end && isDecimalDigit(*p)) {
    if (++digits > 19) return nullptr;
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    ++p;
  }
  if (p < end && *p == '.') {
    ++p;
    while (p < end && isDecimalDigit(*p)) {
      if (++digits > 19) return nullptr;
      mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
      --exponent;
      ++p;
    }
  }
  if (digits == 0) return nullptr;
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool negativeExponent = false;
    if (q < end && (*q == '+' || *q == '-')) negativeExponent = *q++ == '-';
    if (q < end && isDecimalDigit(*q)) {
      int written = 0;
      while (q < end && isDecimalDigit(*q)) {
        if (written > 1000) return nullptr;
        written = written * 10 + (*q - '0');
        ++q;
      }
      exponent += negativeExponent ? -written : written;
      p = q;
    }
  }
  if (mantissa > (std::uint64_t{1} << 53) || exponent < -22 || exponent > 22) {
    return nullptr;
  }
  double value = static_cast<double>(mantissa);
  value = exponent < 0 ? value / kExactPowersOfTen[-exponent]
                       : value * kExactPowersOfTen[exponent];
  *out = negative ? -value : value;
  return p;
}

namespace {

bool readWithStrtod(std::string_view text, double* out) {
  // strtod needs a terminated string. Nothing it accepts contains white
  // space or a NUL after the leading white space, so the copy can stop at
  // the first of them.
  std::size_t start = 0;
  while (start < text.size() && isCSpace(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && text[end] != '\0' && !isCSpace(text[end])) ++end;
  if (end == start) return false;
  std::string copy(text.substr(start, end - start));
  char* stop = nullptr;
  double value = std::strtod(copy.c_str(), &stop);
  if (stop == copy.c_str()) return false;
  *out = value;
  return true;
}

}  // namespace

bool readLeadingNumber(std::string_view text, double* value) {
  if (plainDecimal(text)) {
    if (readShortDecimal(text.data(), text.data() + text.size(), value)) {
      return true;
    }
    const char* first = text.data();
    double parsed = 0;
    auto result = fast_float::from_chars(first, first + text.size(), parsed);
    if (result.ec == std::errc() && result.ptr != first) {
      *value = parsed;
      return true;
    }
  }
  return readWithStrtod(text, value);
}

}  // namespace tabsift

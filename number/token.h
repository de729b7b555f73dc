// Reading a number from text exactly as the C library's atof reads it in the
// C locale, and judging whether the text held a number at all: a token is a
// number when that reading consumes at least one character of it. Data cells
// and parameter values are both read this way.
#pragma once

#include <optional>
#include <string_view>

#include "number/cell_convert.h"

namespace tabsift {

// The number at the start of `text` as strtod reads it (leading white space
// skipped; sign, decimal or hexadecimal digits, exponent, inf, infinity, nan
// and nan(...) in any case; reading stops at the first character that cannot
// continue the number, or at a NUL byte). False, leaving *value alone, when
// strtod would consume no character, i.e. when the text does not begin with
// a number.
bool readLeadingNumber(std::string_view text, double* value);

inline std::optional<double> leadingNumber(std::string_view text) {
  double value;
  if (!readLeadingNumber(text, &value)) return std::nullopt;
  return value;
}

// The common short decimal, such as "-813.514" or "2.5e-3", read directly
// from the start of [first, last): at most 19 digits whose value fits in 53
// bits and a power of ten of at most 22, so that one exact integer and one
// correctly rounded multiplication or division give the nearest double
// (Clinger's fast path). Returns the end of the number, or nullptr for any
// other text, which the general reading then handles. A number that ends at
// a delimiter is the whole leading number of its token.
const char* readShortDecimal(const char* first, const char* last,
                             double* value);

// The cell of type T for one data token: its leading number reduced to T, or
// nothing when the token is not a number or its value has no T (an int cell
// for NaN, infinity or a value outside the 32-bit range).
template <typename T>
std::optional<T> tokenToCell(std::string_view token) {
  double number;
  if (!readLeadingNumber(token, &number)) return std::nullopt;
  return cellFromDouble<T>(number);
}

}  // namespace tabsift

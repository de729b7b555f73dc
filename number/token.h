// Reading a number from text as the C library's atof reads it in the C
// locale, with the exponents that Fortran programs write, and judging whether
// the text held a number at all: a token is a number when that reading
// consumes at least one character of it, and was read only in part when the
// reading stops before its end. Data cells and parameter values are both
// read this way.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "number/cell_convert.h"

namespace tabsift {

// The number at the start of `text` as strtod reads it (leading white space
// skipped; sign, decimal or hexadecimal digits, exponent, inf, infinity, nan
// and nan(...) in any case; reading stops at the first character that cannot
// continue the number, or at a NUL byte), and Fortran's exponents: after a
// decimal mantissa (a sign, digits and at most one point, no exponent), a D,
// d, Q or q stands for the E ("1.0D+03" is 1000, "-2.5d-4" is -0.00025);
// and after a mantissa with a point, a sign followed by one to three digits
// that end the text or stand before white space is the exponent ("0.14-270"
// is 0.14e-270, "1.5+100" is 1.5e100).
//
// With `decimalComma` the comma is the decimal point and the point is a
// character like any other: "1,5" is 1.5, "0,14-270" and "1,0D+03" as
// above, while "1.5" is read as 1 followed by the text ".5".
//
// Returns how many bytes of `text` the number took, leading white space
// included; 0, leaving *value alone, when the text does not begin with a
// number.
std::size_t readLeadingNumber(std::string_view text, double* value,
                              bool decimalComma = false);

inline std::optional<double> leadingNumber(std::string_view text,
                                           bool decimalComma = false) {
  double value;
  if (readLeadingNumber(text, &value, decimalComma) == 0) return std::nullopt;
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
// for NaN, infinity or a value outside the 32-bit range). `length`, when
// given, receives how many bytes of the token the number took.
template <typename T>
std::optional<T> tokenToCell(std::string_view token,
                             std::size_t* length = nullptr,
                             bool decimalComma = false) {
  double number;
  const std::size_t taken = readLeadingNumber(token, &number, decimalComma);
  if (length != nullptr) *length = taken;
  if (taken == 0) return std::nullopt;
  return cellFromDouble<T>(number);
}

}  // namespace tabsift

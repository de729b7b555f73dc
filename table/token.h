// Reading a number from text exactly as the C library's atof reads it in the
// C locale, and judging whether the text held a number at all: a token is a
// number when that reading consumes at least one character of it. Data cells
// and parameter values are both read this way.
#pragma once

#include <optional>
#include <string_view>

#include "table/cell_convert.h"

namespace tabsift {

// The number at the start of `text` as strtod reads it (leading white space
// skipped; sign, decimal or hexadecimal digits, exponent, inf, infinity, nan
// and nan(...) in any case; reading stops at the first character that cannot
// continue the number, or at a NUL byte). Nothing when strtod would consume
// no character, i.e. when the text does not begin with a number.
std::optional<double> leadingNumber(std::string_view text);

// The cell of type T for one data token: its leading number reduced to T, or
// nothing when the token is not a number or its value has no T (an int cell
// for NaN, infinity or a value outside the 32-bit range).
template <typename T>
std::optional<T> tokenToCell(std::string_view token) {
  std::optional<double> number = leadingNumber(token);
  if (!number) return std::nullopt;
  return cellFromDouble<T>(*number);
}

}  // namespace tabsift

// Character classes of the C locale, as the C library's number readers (atof,
// atoi, strtod, scanf) apply them to operation arguments and data tokens.
#pragma once

namespace tabsift {

// White space as isspace classifies it in the C locale.
inline bool isCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

inline bool isDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace tabsift

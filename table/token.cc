#include "table/token.h"

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
    const char* first = text.data();
    auto result = fast_float::from_chars(first, first + text.size(), value);
    if (result.ec == std::errc() && result.ptr != first) return value;
  }
  return readWithStrtod(text);
}

}  // namespace tabsift

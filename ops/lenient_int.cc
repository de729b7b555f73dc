#include "ops/lenient_int.h"

#include <climits>

#include "number/c_locale.h"

namespace tabsift {

std::optional<ScannedInt> scanInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isCSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos >= text.size() || !isDecimalDigit(text[pos])) return std::nullopt;
  // Accumulate the magnitude, stopping growth once it exceeds every int.
  constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  while (pos < text.size() && isDecimalDigit(text[pos])) {
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[pos] - '0');
    ++pos;
  }
  long long value = negative ? -magnitude : magnitude;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return ScannedInt{static_cast<int>(value), pos};
}

int lenientInt(std::string_view text) {
  std::optional<ScannedInt> scanned = scanInt(text);
  return scanned ? scanned->value : 0;
}

}  // namespace tabsift

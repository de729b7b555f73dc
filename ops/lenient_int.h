// Lenient reading of whole numbers in operation arguments: the reading of the
// C library's atoi and of the scanf conversion %d (leading white space, an
// optional sign, decimal digits, the rest ignored), without their undefined
// behaviour on overflow: a number beyond the int range saturates at INT_MAX
// or INT_MIN, which as a column or file number lies beyond every table.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tabsift {

// An integer scanned from the front of a text and the number of characters
// it took (white space and sign included).
struct ScannedInt {
  int value = 0;
  std::size_t length = 0;
};

// Scans white space, an optional sign and at least one decimal digit from the
// front of `text`. Nothing when no digit follows the white space and sign.
std::optional<ScannedInt> scanInt(std::string_view text);

// The integer at the front of `text` as atoi reads it: 0 when there is none.
int lenientInt(std::string_view text);

// The 0-based index of the 1-based number n, widened with its sign: 0 and
// negative numbers give an index beyond every line or file.
inline std::size_t indexFromNumber(int n) {
  return static_cast<std::size_t>(static_cast<long long>(n) - 1);
}

}  // namespace tabsift

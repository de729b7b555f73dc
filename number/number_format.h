// Number text of the table writers. Cells are written exactly as a standard
// C++ output stream in the "C" locale writes them:
//  - precision below 1: the stream's defaults, i.e. printf's %g (6 significant
//    digits, trailing zeros and a bare trailing point dropped);
//  - precision P of 1 or more: showpoint with P significant digits, i.e.
//    printf's %#.Pg (trailing zeros kept, the point always written);
//  - float cells as their value widened to double;
//  - int cells as plain decimal integers, whatever the precision.
// The text is built with std::to_chars, never through a stream, because
// formatting is one of the two hot paths of a run.
#pragma once

#include <cstddef>
#include <string>

namespace tabsift {

// No double has more significant decimal digits than this (the exact value of
// the widest one has 767), so digits requested beyond it are all zeros.
inline constexpr int kExactDigits = 800;

// Characters that formatDouble may write for the given precision: the
// text, and beyond it the slack that lets short pieces be copied in whole
// words.
constexpr std::size_t numberRoom(int precision) {
  return static_cast<std::size_t>(precision > kExactDigits ? kExactDigits
                                  : precision > 6          ? precision
                                                           : 6) +
         48;
}

// Where a formatted number needs zeros that were not written: the full text
// is out[0, length) with `padZeros` '0' characters inserted at `padAt`.
// padZeros is 0 unless the precision exceeds kExactDigits.
struct NumberText {
  std::size_t length = 0;
  std::size_t padAt = 0;
  std::size_t padZeros = 0;
};

// Writes `value` into `out`, which must have room for numberRoom(precision)
// characters.
NumberText formatDouble(double value, int precision, char* out);

// Writes `value` as a plain decimal integer; `out` needs room for 11
// characters. Returns the end of the text.
char* formatInt(int value, char* out);

// The whole text of one number, zeros included (for tests and rare paths).
std::string numberToString(double value, int precision);

}  // namespace tabsift

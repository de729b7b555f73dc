#include "number/token.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fast_float/fast_float.h>

#include "number/c_locale.h"
#include "number/powers_of_ten.h"

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

constexpr std::uint64_t kPowersOfTen[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// The eight bytes at p, or the bytes up to `last` followed by blanks when
// fewer remain; the first byte is the lowest one.
inline std::uint64_t loadEight(const char* p, const char* last) {
  std::uint64_t word;
  if (last - p >= 8) {
    std::memcpy(&word, p, 8);
  } else {
    unsigned char bytes[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    for (int i = 0; p + i < last; ++i)
      bytes[i] = static_cast<unsigned char>(p[i]);
    std::memcpy(&word, bytes, 8);
  }
  if constexpr (std::endian::native == std::endian::big) {
    word = __builtin_bswap64(word);
  }
  return word;
}

// How many of the word's bytes, from the first, are decimal digits (0 to 8).
// For the bytes up to the first non-digit the two sums below neither carry
// nor borrow, so that byte is the lowest whose high bit is set: a byte above
// '9' reaches 0x80 or more when 0x46 is added, one below '0' or above 0xB9
// wraps or stays high when 0x30 is subtracted.
inline int leadingDigits(std::uint64_t word) {
  const std::uint64_t notDigit =
      ((word + 0x4646464646464646ULL) | (word - 0x3030303030303030ULL)) &
      0x8080808080808080ULL;
  return notDigit == 0 ? 8 : std::countr_zero(notDigit) >> 3;
}

// The value of the word's first n digits (n from 1 to 8): they are moved to
// the top of the word, zeros below them standing for leading zeros, and
// combined in pairs, fours and eights by three multiplications.
inline std::uint64_t digitsValue(std::uint64_t word, int n) {
  std::uint64_t v = (word - 0x3030303030303030ULL) << (8 * (8 - n));
  v = v * 10 + (v >> 8);
  v = ((v & 0x000000FF000000FFULL) * 0x000F424000000064ULL +
       ((v >> 16) & 0x000000FF000000FFULL) * 0x0000271000000001ULL) >>
      32;
  return v;
}

// Reads the run of decimal digits at p into `mantissa`, eight at a time,
// counting them in `digits`. Returns the end of the run, or nullptr once
// more than 19 digits have been read (they might not fit in 64 bits).
inline const char* readDigits(const char* p, const char* last,
                              std::uint64_t& mantissa, int& digits) {
  while (p < last) {
    const std::uint64_t word = loadEight(p, last);
    const int n = leadingDigits(word);
    if (n == 0) break;
    digits += n;
    if (digits > 19) return nullptr;
    mantissa = mantissa * kPowersOfTen[n] + digitsValue(word, n);
    p += n;
    if (n < 8) break;
  }
  return p;
}

// The end of a short decimal whose digits have been read: an exponent, if
// one follows, then the value when it is exact in one operation.
inline const char* finishShortDecimal(const char* p, const char* end,
                                      bool negative, std::uint64_t mantissa,
                                      int digits, int exponent, double* out) {
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
  if (mantissa > (std::uint64_t{1} << 53) ||
      exponent < -kLargestExactPowerOfTen ||
      exponent > kLargestExactPowerOfTen) {
    return nullptr;
  }
  double value = static_cast<double>(mantissa);
  value = exponent < 0 ? value / kExactPowersOfTen[-exponent]
                       : value * kExactPowersOfTen[exponent];
  // The sign is set without a branch: signs vary at random in real data.
  *out = std::bit_cast<double>(std::bit_cast<std::uint64_t>(value) |
                               (static_cast<std::uint64_t>(negative) << 63));
  return p;
}

}  // namespace

const char* readShortDecimal(const char* first, const char* last, double* out) {
  const char* p = first;
  const char* const end = last;
  const bool negative = p < end && *p == '-';
  p += negative;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int exponent = 0;
  // The usual token, such as "813.514" or "4096", lies within one word: its
  // point is taken out by joining the digits before it to those after it,
  // and all of them are read at once. Longer ones are read word by word.
  const std::uint64_t word = loadEight(p, end);
  const int whole = leadingDigits(word);
  if (whole < 7 && static_cast<char>(word >> (8 * whole)) == '.') {
    const std::uint64_t low = (std::uint64_t{1} << (8 * whole)) - 1;
    const std::uint64_t joined = (word & low) | ((word >> 8) & ~low);
    const int all = leadingDigits(joined);
    // The top byte of the joined word is 0, never a digit, so all < 8.
    if (all > 0 && all < 7) {
      mantissa = digitsValue(joined, all);
      digits = all;
      exponent = whole - all;
      p += all + 1;
      return finishShortDecimal(p, end, negative, mantissa, digits, exponent,
                                out);
    }
  } else if (whole > 0 && whole < 8 &&
             static_cast<char>(word >> (8 * whole)) != '.') {
    // An integer, or digits followed by an exponent or text.
    return finishShortDecimal(p + whole, end, negative,
                              digitsValue(word, whole), whole, 0, out);
  }
  p = readDigits(p, end, mantissa, digits);
  if (p == nullptr) return nullptr;
  if (p < end && *p == '.') {
    const int whole = digits;
    p = readDigits(p + 1, end, mantissa, digits);
    if (p == nullptr) return nullptr;
    exponent = whole - digits;
  }
  return finishShortDecimal(p, end, negative, mantissa, digits, exponent, out);
}

namespace {

// The end of the number that strtod reads at the start of `text`, or
// nullptr when it reads none.
const char* readWithStrtod(std::string_view text, double* out) {
  // strtod needs a terminated string. Nothing it accepts contains white
  // space or a NUL after the leading white space, so the copy can stop at
  // the first of them.
  std::size_t start = 0;
  while (start < text.size() && isCSpace(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && text[end] != '\0' && !isCSpace(text[end])) ++end;
  if (end == start) return nullptr;
  std::string copy(text.substr(start, end - start));
  char* stop = nullptr;
  double value = std::strtod(copy.c_str(), &stop);
  if (stop == copy.c_str()) return nullptr;
  *out = value;
  return text.data() + start + (stop - copy.c_str());
}

// The end of the number that the C library reads at the start of `text`.
const char* readCNumber(std::string_view text, double* value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (plainDecimal(text)) {
    if (const char* stop = readShortDecimal(first, last, value)) return stop;
    double parsed = 0;
    auto result = fast_float::from_chars(first, last, parsed);
    if (result.ec == std::errc() && result.ptr != first) {
      *value = parsed;
      return result.ptr;
    }
  }
  return readWithStrtod(text, value);
}

// Whether [first, stop) is a decimal mantissa without an exponent: white
// space, a sign, then digits with at most one point, at least one digit.
// *point tells whether it has the point.
bool decimalMantissa(const char* first, const char* stop, bool* point) {
  while (first < stop && isCSpace(*first)) ++first;
  if (first < stop && (*first == '+' || *first == '-')) ++first;
  bool digit = false;
  *point = false;
  for (; first < stop; ++first) {
    if (isDecimalDigit(*first)) {
      digit = true;
    } else if (*first == '.' && !*point) {
      *point = true;
    } else {
      return false;
    }
  }
  return digit;
}

// A Fortran exponent at `stop`, right after the mantissa [first, stop) that
// the C reading took (see readLeadingNumber): the end of the exponent, with
// the number it makes in *value; nullptr when the text has none there.
const char* readFortranExponent(const char* first, const char* stop,
                                const char* last, double* value) {
  if (stop == last) return nullptr;
  const char c = *stop;
  const bool letter = c == 'D' || c == 'd' || c == 'Q' || c == 'q';
  if (!letter && c != '+' && c != '-') return nullptr;
  bool point = false;
  if (!decimalMantissa(first, stop, &point)) return nullptr;
  const char* exponent = letter ? stop + 1 : stop;
  const char* digits = exponent;
  if (digits < last && (*digits == '+' || *digits == '-')) ++digits;
  const char* end = digits;
  while (end < last && isDecimalDigit(*end)) ++end;
  if (end == digits) return nullptr;
  if (!letter &&
      (!point || end - digits > 3 || (end < last && !isCSpace(*end)))) {
    return nullptr;
  }
  std::string number(first, stop);
  number += 'e';
  number.append(exponent, end);
  *value = std::strtod(number.c_str(), nullptr);
  return end;
}

// readLeadingNumber with the comma as the decimal point: the token (up to
// the first white space after the leading one, where any reading stops) is
// read with its commas and points swapped.
std::size_t readWithDecimalComma(std::string_view text, double* value) {
  std::size_t start = 0;
  while (start < text.size() && isCSpace(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && !isCSpace(text[end])) ++end;
  std::string swapped(text.substr(start, end - start));
  for (char& c : swapped) {
    if (c == ',') {
      c = '.';
    } else if (c == '.') {
      c = ',';
    }
  }
  const std::size_t taken = readLeadingNumber(swapped, value);
  return taken == 0 ? 0 : start + taken;
}

}  // namespace

std::size_t readLeadingNumber(std::string_view text, double* value,
                              bool decimalComma) {
  if (decimalComma) return readWithDecimalComma(text, value);
  double number;
  const char* stop = readCNumber(text, &number);
  if (stop == nullptr) return 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (const char* end = readFortranExponent(first, stop, last, &number)) {
    stop = end;
  }
  *value = number;
  return static_cast<std::size_t>(stop - first);
}

}  // namespace tabsift

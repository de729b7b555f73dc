#include "stats/exact_sum.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "base/check.h"

namespace tabsift {
namespace {

// Stores the kept bits, rounded at the place of `quantum`, in `rounding`:
// a carry out of the format's precision moves the point by one.
template <typename Rounding>
void setKept(Rounding& rounding, unsigned __int128 kept, int quantum,
             BinaryFormat format) {
  rounding.exponent = quantum;
  if (kept >> format.precision) {  // rounded up to the next power of two
    kept >>= 1;
    ++rounding.exponent;
  }
  rounding.kept = static_cast<std::uint64_t>(kept);
}

// Digits of 32 bits, least significant first, read beyond their end as 0.
struct Digits {
  std::uint32_t* digit;
  int count;

  std::uint32_t at(int i) const { return i < count ? digit[i] : 0; }

  // The 64 bits from bit `from` on.
  std::uint64_t bitsFrom(int from) const {
    const int d = from / 32;
    const unsigned __int128 window =
        at(d) | static_cast<unsigned __int128>(at(d + 1)) << 32 |
        static_cast<unsigned __int128>(at(d + 2)) << 64;
    return static_cast<std::uint64_t>(window >> (from % 32));
  }

  bool bit(int i) const { return (at(i / 32) >> (i % 32)) & 1; }

  bool anyBelow(int i) const {
    for (int d = 0; d < std::min(i / 32, count); ++d) {
      if (digit[d] != 0) return true;
    }
    return (at(i / 32) & ((std::uint32_t{1} << (i % 32)) - 1)) != 0;
  }

  // Divides in place; the result says whether a remainder was left.
  bool divideBy(std::uint64_t divisor) {
    unsigned __int128 remainder = 0;
    for (int i = count - 1; i >= 0; --i) {
      const unsigned __int128 current = remainder << 32 | digit[i];
      if (divisor <= 0xffffffffu) {
        // Both fit in 64 bits: a much cheaper division.
        const auto narrow = static_cast<std::uint64_t>(current);
        digit[i] = static_cast<std::uint32_t>(narrow / divisor);
        remainder = narrow % divisor;
      } else {
        digit[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
      }
    }
    return remainder != 0;
  }

  // Appends the chunks low to high with their carries settled, as the
  // magnitude of their sum: whether that sum is negative.
  bool settle(const std::int64_t* chunks, int low, int high) {
    std::int64_t carry = 0;
    for (int i = low; i <= high; ++i) {
      const std::int64_t v = chunks[i] + carry;
      digit[count++] = static_cast<std::uint32_t>(v);
      carry = v >> 32;
    }
    while (carry != 0 && carry != -1) {
      digit[count++] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    // carry -1: the digits hold 2^(32 count) minus the magnitude. When they
    // are all zero, the magnitude is 2^(32 count) itself, one digit more.
    if (carry == -1 && negate()) digit[count++] = 1;
    return carry == -1;
  }

  // Replaces the digits by 2^(32 count) minus them; the result says whether
  // that carried out of the top digit (the digits were all zero).
  bool negate() {
    std::uint64_t carry = 1;
    for (int i = 0; i < count; ++i) {
      const std::uint64_t v =
          std::uint64_t{static_cast<std::uint32_t>(~digit[i])} + carry;
      digit[i] = static_cast<std::uint32_t>(v);
      carry = v >> 32;
    }
    return carry != 0;
  }
};

// 2^e as a double, for e from -1074 (the smallest subnormal) to 1023.
double powerOfTwo(int e) {
  const std::uint64_t bits = e >= -1022
                                 ? static_cast<std::uint64_t>(e + 1023) << 52
                                 : std::uint64_t{1} << (e + 1074);
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

}  // namespace

void ExactSum::placeWindow(std::int64_t* chunks, int& low, int& high) const {
  TABSIFT_ASSERT(windowBit_ >= 0);
  const bool negative = static_cast<__int128>(window_) < 0;
  const unsigned __int128 magnitude = negative ? -window_ : window_;
  const std::int64_t mask = negative ? -1 : 0;
  place(chunks, low, high, windowBit_, static_cast<std::uint64_t>(magnitude),
        mask);
  place(chunks, low, high, windowBit_ + 64,
        static_cast<std::uint64_t>(magnitude >> 64), mask);
}

void ExactSum::flushWindow() {
  if (window_ != 0) {
    if (chunks_.empty()) chunks_.assign(kChunks, 0);
    placeWindow(chunks_.data(), low_, high_);
    adds_ += 2;
    if (adds_ >= kCarryEvery) settleCarries();
  }
  window_ = 0;
  windowAdds_ = 0;
}

void ExactSum::reset() {
  if (high_ >= low_) {
    std::fill(chunks_.begin() + low_, chunks_.begin() + high_ + 1, 0);
  }
  low_ = kChunks;
  high_ = -1;
  adds_ = 0;
  window_ = 0;
  windowBit_ = -1;
  windowAdds_ = 0;
  nan_ = plusInfinity_ = minusInfinity_ = false;
}

std::optional<double> ExactSum::special() const {
  if (nan_) {
    return std::copysign(std::numeric_limits<double>::quiet_NaN(),
                         negativeNan_ ? -1.0 : 1.0);
  }
  if (plusInfinity_ && minusInfinity_) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (plusInfinity_) return HUGE_VAL;
  if (minusInfinity_) return -HUGE_VAL;
  return std::nullopt;
}

ExactSum::Rounding ExactSum::round(BinaryFormat format,
                                   std::uint64_t divisor) const {
  if (high_ < low_) {
    if (const std::optional<Rounding> rounding = roundWindow(format, divisor))
      return *rounding;
  }
  if (window_ == 0) {
    return roundChunks(chunks_.data(), low_, high_, format, divisor);
  }
  // The chunks and the window together, in a copy.
  std::int64_t all[kChunks] = {};
  int low = low_, high = high_;
  if (high >= low) {
    std::copy(chunks_.begin() + low, chunks_.begin() + high + 1, all + low);
  }
  placeWindow(all, low, high);
  return roundChunks(all, low, high, format, divisor);
}

std::optional<ExactSum::Rounding> ExactSum::roundWindow(
    BinaryFormat format, std::uint64_t divisor) const {
  const bool negative = static_cast<__int128>(window_) < 0;
  const unsigned __int128 magnitude = negative ? -window_ : window_;
  const int base = windowBit_ - 1074;  // the exponent of bit 0
  if (divisor == 1)
    return roundMagnitude(negative, magnitude, base, false, format);
  // The quotient with 64 more bits below the point, when that fits in 128
  // bits; otherwise its whole part has bits enough.
  const unsigned __int128 whole = magnitude / divisor;
  const unsigned __int128 remainder = magnitude % divisor;
  if (whole >> 64)
    return roundMagnitude(negative, whole, base, remainder != 0, format);
  const unsigned __int128 low = (remainder << 64) / divisor;
  return roundMagnitude(negative, whole << 64 | low, base - 64,
                        (remainder << 64) % divisor != 0, format);
}

std::optional<ExactSum::Rounding> ExactSum::roundMagnitude(
    bool negative, unsigned __int128 magnitude, int base, bool sticky,
    BinaryFormat format) {
  Rounding rounding;
  rounding.negative = negative;
  if (magnitude == 0) {
    if (sticky) return std::nullopt;
    rounding.negative = false;
    return rounding;
  }
  const auto high = static_cast<std::uint64_t>(magnitude >> 64);
  const int top =
      high != 0 ? 127 - std::countl_zero(high)
                : 63 - std::countl_zero(static_cast<std::uint64_t>(magnitude));
  const int quantum =
      std::max(top + base, format.minExponent) - (format.precision - 1);
  const int shift = quantum - base;
  if (shift >= 128 || (shift <= 0 && sticky)) return std::nullopt;
  if (shift <= 0) {
    // Fewer bits than the format holds: exact.
    rounding.kept = static_cast<std::uint64_t>(magnitude);
    rounding.exponent = base;
    return rounding;
  }
  unsigned __int128 kept = magnitude >> shift;
  const unsigned __int128 below =
      magnitude & ((static_cast<unsigned __int128>(1) << shift) - 1);
  const unsigned __int128 half = static_cast<unsigned __int128>(1)
                                 << (shift - 1);
  if (below > half || (below == half && (sticky || (kept & 1)))) ++kept;
  setKept(rounding, kept, quantum, format);
  return rounding;
}

ExactSum::Rounding ExactSum::roundChunks(const std::int64_t* chunks, int low,
                                         int high, BinaryFormat format,
                                         std::uint64_t divisor) {
  if (high < low) return {};
  // A quotient keeps enough zero digits below the point that it has more
  // bits than the format, and so a round bit and the remainder as sticky.
  const int pad =
      divisor > 1 ? (format.precision + std::bit_width(divisor) + 31) / 32 : 0;
  std::uint32_t storage[kChunks + 8];
  Digits digits{storage, 0};
  for (int i = 0; i < pad; ++i) storage[digits.count++] = 0;
  Rounding rounding;
  rounding.negative = digits.settle(chunks, low, high);
  TABSIFT_ASSERT(digits.count <= kChunks + 8);
  const bool remainder = divisor > 1 && digits.divideBy(divisor);
  while (digits.count > 0 && storage[digits.count - 1] == 0) --digits.count;
  if (digits.count == 0) return {};

  const int base = 32 * (low - pad) - 1074;  // the exponent of bit 0
  const int top = 32 * (digits.count - 1) +
                  (31 - std::countl_zero(storage[digits.count - 1]));
  const int quantum =
      std::max(top + base, format.minExponent) - (format.precision - 1);
  const int shift = quantum - base;
  if (shift <= 0) {
    // Fewer bits than the format holds, and no remainder: exact.
    rounding.kept = digits.bitsFrom(0);
    rounding.exponent = base;
    return rounding;
  }
  unsigned __int128 kept = digits.bitsFrom(shift);
  const bool sticky = remainder || digits.anyBelow(shift - 1);
  if (digits.bit(shift - 1) && (sticky || (kept & 1))) ++kept;
  setKept(rounding, kept, quantum, format);
  return rounding;
}

double ExactSum::rounded(BinaryFormat format, std::uint64_t divisor) const {
  TABSIFT_ASSERT(divisor >= 1);
  if (const std::optional<double> value = special()) return *value;
  const Rounding r = round(format, divisor);
  // At most 53 bits times a power of two whose product the format holds:
  // exact, or infinity beyond the double range.
  const double magnitude = static_cast<double>(r.kept) * powerOfTwo(r.exponent);
  return r.negative ? -magnitude : magnitude;
}

long double ExactSum::roundedWide(std::uint64_t divisor) const {
  TABSIFT_ASSERT(divisor >= 1);
  if (const std::optional<double> value = special()) return *value;
  const Rounding r = round(kLongDoubleFormat, divisor);
  const long double magnitude =
      std::ldexp(static_cast<long double>(r.kept), r.exponent);
  return r.negative ? -magnitude : magnitude;
}

}  // namespace tabsift

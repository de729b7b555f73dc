// The exact sum of any number of doubles (float cells are doubles too), kept
// as a fixed-point integer wide enough for every finite double: one 64-bit
// chunk per 32 bits of place value, from 2^-1074 up past the largest sum of
// 2^64 doubles. Adding a value adds its 53-bit significand, split at the
// chunk borders, into three chunks; carries are left in the chunks and
// settled only every 2^30 additions, which the 64-bit chunks leave room for.
// Only the chunks a scope touched are cleared or read. Most values of a
// scope lie near its first one: those (from 2^-32 to 2^32 times it) go into
// a 128-bit window instead, one addition in registers, which moves into the
// chunks every 1024 values or when the result needs them.
//
// The result is the exact sum, or the exact sum divided by a count, rounded
// once (to nearest, ties to even) to the precision and exponent range asked
// for, so a float result is never rounded twice. Infinities and NaN are
// kept apart: a NaN gives the first NaN of the scope, with its sign, as a
// chain of additions passes it on; both infinities give NaN; one infinity
// gives itself.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "base/check.h"

namespace tabsift {

// A binary floating-point format: significant bits, and the exponent of its
// smallest normal number (below it the format loses precision).
struct BinaryFormat {
  int precision;
  int minExponent;
};
inline constexpr BinaryFormat kFloatFormat{24, -126};
inline constexpr BinaryFormat kDoubleFormat{53, -1022};
inline constexpr BinaryFormat kLongDoubleFormat{64, -16382};

class ExactSum {
 public:
  void add(double x) {
    std::uint64_t significand;
    unsigned position;
    std::int64_t mask;
    if (!split(x, significand, position, mask)) return;
    // A value near the first one of the scope goes into the window, in
    // registers; the others into the chunks.
    if (windowBit_ < 0) {
      windowBit_ = position > kWindowBelow ? position - kWindowBelow : 0;
    }
    const unsigned offset = position - static_cast<unsigned>(windowBit_);
    if (offset <= kWindowSpan) {
      TABSIFT_ASSERT(windowAdds_ < kWindowAdds);
      const auto wideMask =
          static_cast<unsigned __int128>(static_cast<__int128>(mask));
      window_ +=
          ((static_cast<unsigned __int128>(significand) << offset) ^ wideMask) -
          wideMask;
      if (++windowAdds_ == kWindowAdds) flushWindow();
      return;
    }
    addToChunks(static_cast<int>(position), significand, mask);
  }

  // Adds x times `factor` exactly (the weighted values of an interpolation);
  // an infinity or NaN counts as added once.
  void addScaled(double x, std::uint64_t factor) {
    std::uint64_t significand;
    unsigned position;
    std::int64_t mask;
    if (!split(x, significand, position, mask) || factor == 0) return;
    // 53 bits times 64: the low 64 bits of the product, then the rest.
    const unsigned __int128 product =
        static_cast<unsigned __int128>(significand) * factor;
    addToChunks(static_cast<int>(position), static_cast<std::uint64_t>(product),
                mask);
    addToChunks(static_cast<int>(position) + 64,
                static_cast<std::uint64_t>(product >> 64), mask);
  }

  // Ready for another scope; clears only the chunks that were touched.
  void reset();

  // The exact sum divided by `divisor` (at least 1), rounded once to
  // `format` (float or double) without its upper exponent limit, as a
  // double: infinity only beyond the double range (the caller brings a
  // float result into the float range). A zero sum is +0.
  double rounded(BinaryFormat format, std::uint64_t divisor = 1) const;

  // The same rounded to long double precision.
  long double roundedWide(std::uint64_t divisor) const;

 private:
  // Splits x for adding: its significand with the hidden bit, the place of
  // its lowest bit (bit 0 of chunk 0 is worth 2^-1074, the unit of the
  // smallest double) and its sign as a mask, all ones when negative, so
  // that (part ^ mask) - mask negates without a branch (signs in a column
  // are rarely predictable). False for a zero, which adds nothing, and for
  // an infinity or NaN, which it has counted.
  bool split(double x, std::uint64_t& significand, unsigned& position,
             std::int64_t& mask) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const unsigned exponent = static_cast<unsigned>(bits >> 52) & 0x7ff;
    significand = bits & ((std::uint64_t{1} << 52) - 1);
    if (exponent == 0x7ff) {
      addSpecial(significand != 0, bits >> 63);
      return false;
    }
    position = 0;
    if (exponent != 0) {
      significand |= std::uint64_t{1} << 52;
      position = exponent - 1;
    } else if (significand == 0) {
      return false;
    }
    mask = -static_cast<std::int64_t>(bits >> 63);
    return true;
  }

  // 2^-1074 up to 2^1024 * 2^64, and the sign beyond.
  static constexpr int kChunks = 72;
  static constexpr std::uint32_t kCarryEvery = std::uint32_t{1} << 30;
  // The window starts 32 bits below the first value and takes values whose
  // lowest bit lies up to 64 bits above its start: 53 + 64 bits each, so
  // 2^10 of them stay below 2^127 before the window goes into the chunks.
  static constexpr unsigned kWindowBelow = 32, kWindowSpan = 64;
  static constexpr std::uint32_t kWindowAdds = std::uint32_t{1} << 10;
  static_assert(53 + kWindowSpan + std::bit_width(kWindowAdds) - 1 <= 127);
  // Between two settlings a chunk, from [-2^31, 2^32), takes at most
  // kCarryEvery + 2 parts below 2^32 each.
  static_assert(((std::uint64_t{kCarryEvery} + 3) << 32) < (1ull << 63));
  // The lowest bit of the largest double is bit 2045; a window opened near
  // it reaches 64 bits higher, plus three chunks, and settling adds one.
  static_assert(((2045 - kWindowBelow + kWindowSpan) >> 5) + 3 < kChunks);

  // Adds `bits` (below 2^64) times 2^(position - 1074), negated when `mask`
  // is all ones, to the three of `chunks` it spans, widening [low, high].
  static void place(std::int64_t* chunks, int& low, int& high, int position,
                    std::uint64_t bits, std::int64_t mask) {
    TABSIFT_ASSERT(position >= 0 && (position >> 5) + 2 < kChunks);
    const int chunk = position >> 5;
    const unsigned __int128 placed = static_cast<unsigned __int128>(bits)
                                     << (position & 31);
    const auto withSign = [mask](unsigned __int128 part) {
      return (static_cast<std::int64_t>(part) ^ mask) - mask;
    };
    chunks[chunk] += withSign(placed & 0xffffffffu);
    chunks[chunk + 1] += withSign((placed >> 32) & 0xffffffffu);
    chunks[chunk + 2] += withSign(placed >> 64);
    low = std::min(low, chunk);
    high = std::max(high, chunk + 2);
  }

  // The chunks exist only once a value needs them, so that a scope whose
  // values all fit the window (most columns of a wide table) stays small.
  void addToChunks(int position, std::uint64_t bits, std::int64_t mask) {
    if (chunks_.empty()) chunks_.assign(kChunks, 0);
    place(chunks_.data(), low_, high_, position, bits, mask);
    if (++adds_ >= kCarryEvery) settleCarries();
  }

  // Adds the window's total to `chunks`, widening [low, high].
  void placeWindow(std::int64_t* chunks, int& low, int& high) const;
  // Moves the window's total into the chunks.
  void flushWindow();

  // A finite result as its sign, significand and exponent: the value is
  // kept * 2^exponent (0 for a zero sum).
  struct Rounding {
    bool negative = false;
    std::uint64_t kept = 0;
    int exponent = 0;
  };
  Rounding round(BinaryFormat format, std::uint64_t divisor) const;
  // The same from `chunks` [low, high] alone.
  static Rounding roundChunks(const std::int64_t* chunks, int low, int high,
                              BinaryFormat format, std::uint64_t divisor);
  // The window alone (the chunks untouched) over `divisor`, rounded; nothing
  // when that needs the chunks' way.
  std::optional<Rounding> roundWindow(BinaryFormat format,
                                      std::uint64_t divisor) const;
  // `magnitude` times 2^base, with `sticky` for anything nonzero below it,
  // rounded; nothing when its bits are too few or too far below.
  static std::optional<Rounding> roundMagnitude(bool negative,
                                                unsigned __int128 magnitude,
                                                int base, bool sticky,
                                                BinaryFormat format);
  // NaN or an infinity, when one was added.
  std::optional<double> special() const;
  void addSpecial(bool nan, bool negative) {
    if (nan) {
      if (!nan_) negativeNan_ = negative;
      nan_ = true;
    } else if (negative) {
      minusInfinity_ = true;
    } else {
      plusInfinity_ = true;
    }
  }
  // Leaves every touched chunk but the top one in [0, 2^32); the top one, in
  // [-2^31, 2^31), takes the sign.
  void settleCarries() {
    std::int64_t carry = 0;
    for (int i = low_; i < high_; ++i) {
      const std::int64_t v = chunks_[i] + carry;
      chunks_[i] = v & 0xffffffff;
      carry = v >> 32;
    }
    std::int64_t top = chunks_[high_] + carry;
    while (top < INT32_MIN || top > INT32_MAX) {
      chunks_[high_++] = top & 0xffffffff;
      top >>= 32;
    }
    chunks_[high_] = top;
    adds_ = 0;
  }

  std::vector<std::int64_t> chunks_;  // kChunks of them, or none yet
  int low_ = kChunks, high_ = -1;     // the chunks touched since the last reset
  std::uint32_t adds_ = 0;
  unsigned __int128 window_ =
      0;                // two's complement, worth 2^(windowBit_ - 1074)
  int windowBit_ = -1;  // -1: no value yet
  std::uint32_t windowAdds_ = 0;
  bool nan_ = false, plusInfinity_ = false, minusInfinity_ = false;
  bool negativeNan_ = false;  // the sign of the first NaN added
};

// A column of a wide table holds one accumulator per column: the exact sum
// keeps its chunks out of line until a value needs them.
static_assert(sizeof(ExactSum) <= 96);

}  // namespace tabsift

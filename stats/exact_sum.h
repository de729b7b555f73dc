// The exact sum of any number of doubles (float cells are doubles too), kept
// as a fixed-point integer wide enough for every finite double: one 64-bit
// chunk per 32 bits of place value, from 2^-1074 up past the largest sum of
// 2^64 doubles. Adding a value adds its 53-bit significand, split at the
// chunk borders, into three chunks; carries are left in the chunks and
// settled only every 2^30 additions, which the 64-bit chunks leave room for.
// Only the chunks a scope touched are cleared or read.
//
// The result is the exact sum, or the exact sum divided by a count, rounded
// once (to nearest, ties to even) to the precision and exponent range asked
// for, so a float result is never rounded twice. Infinities and NaN are
// kept apart: NaN, or both infinities, give NaN; one infinity gives itself.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

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
  ExactSum() { std::fill(chunks_, chunks_ + kChunks, 0); }

  void add(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const unsigned exponent = static_cast<unsigned>(bits >> 52) & 0x7ff;
    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    if (exponent == 0x7ff) {
      addSpecial(significand != 0, bits >> 63);
      return;
    }
    // Bit 0 of chunk 0 is worth 2^-1074, the unit of the smallest double.
    unsigned position = 0;
    if (exponent != 0) {
      significand |= std::uint64_t{1} << 52;
      position = exponent - 1;
    }
    const int chunk = static_cast<int>(position >> 5);
    const unsigned __int128 placed =
        static_cast<unsigned __int128>(significand) << (position & 31);
    std::int64_t parts[3] = {static_cast<std::int64_t>(placed & 0xffffffffu),
                             static_cast<std::int64_t>((placed >> 32) & 0xffffffffu),
                             static_cast<std::int64_t>(placed >> 64)};
    if (bits >> 63) {
      for (std::int64_t& part : parts) part = -part;
    }
    chunks_[chunk] += parts[0];
    chunks_[chunk + 1] += parts[1];
    chunks_[chunk + 2] += parts[2];
    low_ = std::min(low_, chunk);
    high_ = std::max(high_, chunk + 2);
    if (++adds_ == kCarryEvery) settleCarries();
  }

  // Ready for another scope; clears only the chunks that were touched.
  void reset();

  // The exact sum divided by `divisor` (at least 1), rounded once to
  // `format`, without an upper exponent limit (the caller brings the result
  // into its cell type). A zero sum is +0.
  long double rounded(BinaryFormat format, std::uint64_t divisor = 1) const;

 private:
  // 2^-1074 up to 2^1024 * 2^64, and the sign beyond.
  static constexpr int kChunks = 72;
  static constexpr std::uint32_t kCarryEvery = std::uint32_t{1} << 30;

  void addSpecial(bool nan, bool negative);
  void settleCarries();

  std::int64_t chunks_[kChunks];
  int low_ = kChunks, high_ = -1;  // the chunks touched since the last reset
  std::uint32_t adds_ = 0;
  bool nan_ = false, plusInfinity_ = false, minusInfinity_ = false;
};

}  // namespace tabsift

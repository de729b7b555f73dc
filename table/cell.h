// One cell of the table: a number of the cell type, or an absent cell.
// A float or double cell is the number alone, 4 or 8 bytes: an absent cell
// holds one NaN bit pattern (quiet, with a payload) that no present cell can
// hold, because every present cell's NaN is stored as the plain quiet NaN of
// its sign when the cell is made. An int cell has no spare pattern (every
// 32-bit value can be read from a token), so it keeps a presence flag beside
// the number, 8 bytes in all.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace tabsift {

template <typename T>
struct AbsentPattern;

template <>
struct AbsentPattern<double> {
  using Bits = std::uint64_t;
  static constexpr Bits kBits = 0x7ff8'0000'0000'0a5eULL;
};

template <>
struct AbsentPattern<float> {
  using Bits = std::uint32_t;
  static constexpr Bits kBits = 0x7fc0'0a5eU;
};

template <typename T>
class Cell {
  static_assert(std::is_floating_point_v<T>);
  using Bits = typename AbsentPattern<T>::Bits;

 public:
  // An absent cell.
  Cell() : value_(std::bit_cast<T>(AbsentPattern<T>::kBits)) {}
  // A present cell holding v; a NaN keeps its sign and loses its payload.
  explicit Cell(T v)
      : value_(v == v ? v
                      : std::copysign(std::numeric_limits<T>::quiet_NaN(), v)) {
  }

  bool present() const {
    return std::bit_cast<Bits>(value_) != AbsentPattern<T>::kBits;
  }
  // The number; 0 in an absent cell.
  T value() const { return present() ? value_ : T(0); }

 private:
  T value_;
};

template <>
class Cell<int> {
 public:
  Cell() = default;
  explicit Cell(int v) : value_(v), present_(true) {}

  bool present() const { return present_; }
  int value() const { return value_; }

 private:
  int value_ = 0;
  bool present_ = false;
};

static_assert(sizeof(Cell<double>) == 8);
static_assert(sizeof(Cell<float>) == 4);
static_assert(sizeof(Cell<int>) == 8);

}  // namespace tabsift

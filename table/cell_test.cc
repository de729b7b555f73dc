// The cell layout: absent cells, and NaNs of every payload as present cells.
#include "table/cell.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tabsift {
namespace {

TEST(CellTest, AbsentCellsHoldZero) {
  EXPECT_FALSE(Cell<double>().present());
  EXPECT_FALSE(Cell<float>().present());
  EXPECT_FALSE(Cell<int>().present());
  EXPECT_EQ(Cell<double>().value(), 0.0);
  EXPECT_EQ(Cell<float>().value(), 0.0f);
  EXPECT_EQ(Cell<int>().value(), 0);
}

TEST(CellTest, EveryNumberIsPresent) {
  for (double v : {0.0, -0.0, 1.5, -1e308, 5e-324, HUGE_VAL, -HUGE_VAL}) {
    const Cell<double> d(v);
    ASSERT_TRUE(d.present()) << v;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(d.value()), std::bit_cast<std::uint64_t>(v));
    const Cell<float> f(static_cast<float>(v));
    ASSERT_TRUE(f.present()) << v;
    EXPECT_EQ(f.value(), static_cast<float>(v));
  }
  for (int v : {0, -1, 2147483647, -2147483647 - 1}) {
    EXPECT_TRUE(Cell<int>(v).present());
    EXPECT_EQ(Cell<int>(v).value(), v);
  }
}

// A NaN of any payload, the absent pattern's own included, is a present
// NaN of its sign.
TEST(CellTest, NaNsArePresentAndKeepTheirSign) {
  const struct {
    std::uint64_t bits;
    bool negative;
  } doubles[] = {
      {0x7ff8'0000'0000'0a5eULL, false},  // the absent pattern
      {0xfff8'0000'0000'0a5eULL, true},
      {0x7ff0'0000'0000'0001ULL, false},  // signalling
      {0x7fff'ffff'ffff'ffffULL, false},
      {0xfff8'0000'0000'0000ULL, true},
  };
  for (const auto& c : doubles) {
    const Cell<double> cell(std::bit_cast<double>(c.bits));
    ASSERT_TRUE(cell.present()) << std::hex << c.bits;
    EXPECT_TRUE(std::isnan(cell.value()));
    EXPECT_EQ(std::signbit(cell.value()), c.negative);
  }
  for (std::uint32_t bits : {0x7fc0'0a5eU, 0xffc0'0a5eU, 0x7f80'0001U}) {
    const Cell<float> cell(std::bit_cast<float>(bits));
    ASSERT_TRUE(cell.present()) << std::hex << bits;
    EXPECT_TRUE(std::isnan(cell.value()));
    EXPECT_EQ(std::signbit(cell.value()), (bits >> 31) != 0);
  }
  // The payload that strtod gives to "nan(0xa5e)" is the absent pattern's.
  EXPECT_TRUE(Cell<double>(std::strtod("nan(0xa5e)", nullptr)).present());
  EXPECT_TRUE(Cell<float>(std::strtof("nan(0xa5e)", nullptr)).present());
}

}  // namespace
}  // namespace tabsift

#include "ops/lenient_int.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace tabsift {
namespace {

TEST(LenientIntTest, ReadsLikeAtoi) {
  EXPECT_EQ(lenientInt("2"), 2);
  EXPECT_EQ(lenientInt("2x"), 2);
  EXPECT_EQ(lenientInt("  \t-17,3"), -17);
  EXPECT_EQ(lenientInt("+4"), 4);
  EXPECT_EQ(lenientInt("007"), 7);
  EXPECT_EQ(lenientInt("x2"), 0);
  EXPECT_EQ(lenientInt(""), 0);
  EXPECT_EQ(lenientInt("-"), 0);
  EXPECT_EQ(lenientInt("+-3"), 0);
  EXPECT_EQ(lenientInt("- 3"), 0);
  EXPECT_EQ(lenientInt("0.05"), 0);
  EXPECT_EQ(lenientInt("2.9"), 2);
}

TEST(LenientIntTest, SaturatesBeyondTheIntRange) {
  EXPECT_EQ(lenientInt("2147483647"), INT_MAX);
  EXPECT_EQ(lenientInt("2147483648"), INT_MAX);
  EXPECT_EQ(lenientInt("99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(lenientInt("-2147483648"), INT_MIN);
  EXPECT_EQ(lenientInt("-2147483649"), INT_MIN);
  EXPECT_EQ(lenientInt("-99999999999999999999999999"), INT_MIN);
}

TEST(ScanIntTest, ReportsLengthAndFailure) {
  auto scanned = scanInt(" -12,rest");
  ASSERT_TRUE(scanned);
  EXPECT_EQ(scanned->value, -12);
  EXPECT_EQ(scanned->length, 4u);
  auto huge = scanInt("123456789012345678901234567890x");
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->value, INT_MAX);
  EXPECT_EQ(huge->length, 30u);
  EXPECT_FALSE(scanInt("  "));
  EXPECT_FALSE(scanInt("abc"));
  EXPECT_FALSE(scanInt("+"));
}

TEST(IndexFromNumberTest, ZeroAndNegativeLieBeyondEveryLine) {
  EXPECT_EQ(indexFromNumber(1), 0u);
  EXPECT_EQ(indexFromNumber(3), 2u);
  EXPECT_EQ(indexFromNumber(0), SIZE_MAX);
  EXPECT_EQ(indexFromNumber(-1), SIZE_MAX - 1);
  EXPECT_GT(indexFromNumber(INT_MIN), static_cast<std::size_t>(INT_MAX));
  EXPECT_EQ(indexFromNumber(INT_MAX), static_cast<std::size_t>(INT_MAX) - 1);
}

}  // namespace
}  // namespace tabsift

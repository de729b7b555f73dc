#include "ops/lenient_int.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <utility>

namespace tabsift {
namespace {

TEST(LenientIntTest, ReadsLikeAtoiAndSaturates) {
  const std::pair<const char*, int> cases[] = {
      {"2x", 2},
      {"  \t-17,3", -17},
      {"+4", 4},
      {"x2", 0},
      {"", 0},
      {"+-3", 0},
      {"- 3", 0},
      {"2.9", 2},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483649", INT_MIN},
      {"-99999999999999999999999999", INT_MIN}};
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(lenientInt(text), value) << '"' << text << '"';
  }
}

TEST(ScanIntTest, ReportsLengthAndFailure) {
  auto scanned = scanInt(" -12,rest");
  ASSERT_TRUE(scanned);
  EXPECT_EQ(scanned->value, -12);
  EXPECT_EQ(scanned->length, 4u);
  EXPECT_EQ(scanInt("123456789012345678901234567890x")->length, 30u);
  EXPECT_FALSE(scanInt("  "));
  EXPECT_FALSE(scanInt("+"));
}

TEST(IndexFromNumberTest, ZeroAndNegativeLieBeyondEveryLine) {
  EXPECT_EQ(indexFromNumber(3), 2u);
  EXPECT_EQ(indexFromNumber(0), SIZE_MAX);
  EXPECT_GT(indexFromNumber(INT_MIN), static_cast<std::size_t>(INT_MAX));
}

}  // namespace
}  // namespace tabsift

#include "ops/swap_args.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tabsift {
namespace {

// "a b file" with 0-based indexes, "*" for every file.
std::string describe(const char* argument) {
  const SwapRequest r = parseSwapRequest(argument);
  return std::to_string(r.columnA) + ' ' + std::to_string(r.columnB) + ' ' +
         (r.oneFile ? std::to_string(r.file) : "*");
}

TEST(SwapArgsTest, ColumnsThenTheFileAfterTheLastComma) {
  const std::string beyond = std::to_string(SIZE_MAX);
  EXPECT_EQ(describe("1,2,3"), "0 1 2");
  EXPECT_EQ(describe("2,1"), "1 0 *");
  EXPECT_EQ(describe("1"), "0 0 *");
  EXPECT_EQ(describe("1,2,9,1"), "0 1 0");
  EXPECT_EQ(describe(" 2x, 3y,+1z"), "1 2 0");
  EXPECT_EQ(describe("x,2,"), beyond + " 1 " + beyond);
  EXPECT_EQ(describe("-1,x"),
            std::to_string(SIZE_MAX - 1) + ' ' + beyond + " *");
}

}  // namespace
}  // namespace tabsift

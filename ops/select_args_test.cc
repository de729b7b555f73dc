#include "ops/select_args.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tabsift {
namespace {

std::string describe(const char* argument) {
  auto items = parseSelection(argument);
  if (!items) return "rejected";
  std::string text;
  for (const SelectItem& item : *items) {
    if (!text.empty()) text += ' ';
    if (item.isColumn) {
      text += 'c';
      text += std::to_string(item.column);
    } else {
      text += "p:";
      text += item.name;
    }
  }
  return text;
}

TEST(SelectArgsTest, ColumnsAndParametersInOrder) {
  EXPECT_EQ(describe("2,1"), "c1 c0");
  EXPECT_EQ(describe("1,2,E"), "c0 c1 p:E");
  EXPECT_EQ(describe("E,1"), "p:E c0");
  EXPECT_EQ(describe("E,F"), "p:E p:F");
  EXPECT_EQ(describe("1,1"), "c0 c0");
}

TEST(SelectArgsTest, ItemsReadAsAtoi) {
  EXPECT_EQ(describe("2x"), "c1");
  EXPECT_EQ(describe("X2"), "p:X2");
  EXPECT_EQ(describe(" 3"), "c2");
  EXPECT_EQ(describe("-1"), 'c' + std::to_string(SIZE_MAX - 1));
  // Items are kept as written, blanks included.
  EXPECT_EQ(describe(" T"), "p: T");
  EXPECT_EQ(describe("00"), "p:00");
}

TEST(SelectArgsTest, TrailingCommaAndEmptyArgument) {
  EXPECT_EQ(describe("1,2,"), "c0 c1");
  EXPECT_EQ(describe(""), "");
}

TEST(SelectArgsTest, MalformedItemsRejected) {
  for (const char* bad : {"1,,2", ",1", "0", "0.0", "0.05", "1,0", "E,,F",
                          ",", "1,0.0x"}) {
    EXPECT_EQ(describe(bad), "rejected") << bad;
  }
}

}  // namespace
}  // namespace tabsift

#include "table/name_list.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

using Names = std::vector<std::string>;

TEST(SplitNameListTest, SplitsAtEveryComma) {
  EXPECT_EQ(splitNameList("a.dat,b.dat"), (Names{"a.dat", "b.dat"}));
  EXPECT_EQ(splitNameList("one"), (Names{"one"}));
  EXPECT_EQ(splitNameList(" a , b"), (Names{" a ", " b"}));
}

TEST(SplitNameListTest, EmptyPiecesAndTrailingComma) {
  EXPECT_EQ(splitNameList(""), Names{});
  EXPECT_EQ(splitNameList("a,,b"), (Names{"a", "", "b"}));
  EXPECT_EQ(splitNameList(",a"), (Names{"", "a"}));
  EXPECT_EQ(splitNameList("a,b,"), (Names{"a", "b"}));
  EXPECT_EQ(splitNameList(","), (Names{""}));
  EXPECT_EQ(splitNameList(",,"), (Names{"", ""}));
}

}  // namespace
}  // namespace tabsift

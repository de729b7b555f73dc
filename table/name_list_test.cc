// Splitting the comma-separated name lists of the command line.
#include "table/name_list.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

using Names = std::vector<std::string>;

// Pieces kept as written; empty pieces are names; a trailing comma adds none.
TEST(SplitNameListTest, SplitsAtEveryComma) {
  // clang-format off
  const std::pair<const char*, Names> cases[] = {
      {"a.dat,b.dat", {"a.dat", "b.dat"}}, {" a , b", {" a ", " b"}}, {"", {}},
      {"a,,b", {"a", "", "b"}}, {",a", {"", "a"}}, {"a,b,", {"a", "b"}}, {",,", {"", ""}}};
  // clang-format on
  for (const auto& [list, names] : cases)
    EXPECT_EQ(splitNameList(list), names) << list;
}

}  // namespace
}  // namespace tabsift

#include "ops/group_args.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

// The end-to-end table covers "f", "2x", "0", "x", "F" and "-1".
TEST(GroupArgsTest, FileModeForExactlyF) {
  EXPECT_TRUE(parseGroupRequest("f")->byFiles);
  EXPECT_EQ(parseGroupRequest(" 3")->column, 2u);
  for (const char* bad : {" f", "ff", "", "x2"}) {
    EXPECT_FALSE(parseGroupRequest(bad)) << bad;
  }
}

}  // namespace
}  // namespace tabsift

// Checked assumptions end the run in checking builds and cost nothing,
// condition included, in Release builds.
#include "base/check.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

TEST(CheckTest, AssumptionsAreCheckedOnlyInCheckingBuilds) {
  int evaluated = 0;
#if defined(TABSIFT_CHECKED)
  EXPECT_DEATH(TABSIFT_ASSERT(++evaluated == 5),
               "assumption failed: \\+\\+evaluated == 5");
  TABSIFT_ASSERT(++evaluated == 1);
  EXPECT_EQ(evaluated, 1);
#else
  TABSIFT_ASSERT(++evaluated == 5);
  EXPECT_EQ(evaluated, 0);
#endif
}

}  // namespace
}  // namespace tabsift

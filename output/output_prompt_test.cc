// The answers at the output question are in the end-to-end table; one case
// needs a standard input that still holds text after the table was read
// from it (a terminal), which only a test can give.
#include "output/output_prompt.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(OutputPrompt, InputUsedUpByTheTableMeansStandardOutput) {
  std::istringstream in("2\n");
  std::ostringstream out;
  EXPECT_EQ(tabsift::askOutputChoice(in, out, /*inputUsedUp=*/true),
            tabsift::OutputChoice::kStandardOutput);
  EXPECT_EQ(out.str(), tabsift::kOutputPrompt);
}

}  // namespace

// The diagnostics channel: lines of every level in the order said, the
// prefix on warnings and failures only, notices written out at once, the
// failure mark set by failures alone, and exhausted memory reported once per
// run. (The order of many messages beside the table is shown end to end.)
#include "base/diagnostics.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

TEST(DiagnosticsTest, LevelsInOrderWithThePrefixOnWarningsAndFailures) {
  resetDiagnostics();
  testing::internal::CaptureStderr();
  say("read from stdin");
  notice("Using Float as data type");
  // A notice wrote out what went before it, and itself.
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "read from stdin\nUsing Float as data type\n");
  testing::internal::CaptureStderr();
  say("Invalid value detected in data file: ", 2);
  warn("sum does not fit in an int cell; written as absent");
  EXPECT_FALSE(failureSeen());
  reportFailure("cannot open input file 'a': No such file or directory");
  EXPECT_TRUE(failureSeen());
  say("last");
  flushDiagnostics();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Invalid value detected in data file: 2\n"
            "tabsift: sum does not fit in an int cell; written as absent\n"
            "tabsift: cannot open input file 'a': No such file or directory\n"
            "last\n");
  resetDiagnostics();
}

TEST(DiagnosticsTest, MemoryExhaustionIsSaidOnce) {
  resetDiagnostics();
  testing::internal::CaptureStderr();
  say("Invalid value of parameter x in data file: 3");
  reportMemoryExhausted("reading input file 'big.dat'");
  reportMemoryExhausted("reading the input");
  flushDiagnostics();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Invalid value of parameter x in data file: 3\n"
            "tabsift: memory exhausted while reading input file 'big.dat'\n");
  EXPECT_TRUE(failureSeen());
  resetDiagnostics();
}

TEST(DiagnosticsTest, InputLabels) {
  const std::string name = "r 1.dat";
  EXPECT_EQ(inputLabel(&name), "input file 'r 1.dat'");
  EXPECT_EQ(inputLabel(nullptr), "standard input");
}

}  // namespace
}  // namespace tabsift

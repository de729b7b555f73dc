// The diagnostics channel: lines of every level in the order said, the
// prefix on warnings and failures only, a notice written out at once with
// what went before it, the failure mark set by failures alone, and exhausted
// memory reported once per run.
#include "base/diagnostics.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

TEST(DiagnosticsTest, LevelsInOrderAndMemoryExhaustionOnce) {
  resetDiagnostics();
  testing::internal::CaptureStderr();
  say("read from stdin");
  notice("Using Float as data type");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "read from stdin\nUsing Float as data type\n");
  testing::internal::CaptureStderr();
  say("Invalid value detected in data file: ", 2);
  warn("sum does not fit in an int cell; written as absent");
  EXPECT_FALSE(failureSeen());
  reportMemoryExhausted("reading input file 'big.dat'");
  EXPECT_TRUE(failureSeen());
  reportMemoryExhausted("reading the input");
  reportFailure("cannot write output file 'o': No space left on device");
  flushDiagnostics();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Invalid value detected in data file: 2\n"
            "tabsift: sum does not fit in an int cell; written as absent\n"
            "tabsift: memory exhausted while reading input file 'big.dat'\n"
            "tabsift: cannot write output file 'o': No space left on device\n");
  resetDiagnostics();
  EXPECT_FALSE(failureSeen());
}

}  // namespace
}  // namespace tabsift

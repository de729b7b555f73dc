#include "table/diagnostics.h"

#include <gtest/gtest.h>

#include <string>

namespace tabsift {
namespace {

// Whoever meets exhausted memory first names the step; the program entry,
// which sees the same exhaustion afterwards, adds nothing.
TEST(DiagnosticsTest, MemoryExhaustionIsReportedOncePerRun) {
  flushDiagnostics();  // whatever earlier tests left
  testing::internal::CaptureStderr();
  say("Invalid value detected in data file: ", 2);
  reportMemoryExhausted("reading input file 'big.dat'");
  reportMemoryExhausted("reading the input");
  flushDiagnostics();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Invalid value detected in data file: 2\n"
            "tabsift: memory exhausted while reading input file 'big.dat'\n");
  EXPECT_TRUE(failureSeen());
}

}  // namespace
}  // namespace tabsift

// The diagnostics channel: a notice is written out at once with what went
// before it, and exhausted memory is reported once per run.
#include "base/diagnostics.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

TEST(DiagnosticsTest, NoticeAtOnceAndMemoryExhaustionOnce) {
  resetDiagnostics();
  testing::internal::CaptureStderr();
  say("read from stdin");
  notice("Using Float as data type");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "read from stdin\nUsing Float as data type\n");
  testing::internal::CaptureStderr();
  reportMemoryExhausted("reading input file 'big.dat'");
  reportMemoryExhausted("reading the input");
  flushDiagnostics();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "tabsift: memory exhausted while reading input file 'big.dat'\n");
  resetDiagnostics();
}

}  // namespace
}  // namespace tabsift

// The diagnostics channel reports exhausted memory once per run, after the
// messages said before it. (Messages keep their order however many there
// are: the end-to-end cases check that with a hundred thousand of them.)
#include "table/diagnostics.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

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
  resetDiagnostics();
}

}  // namespace
}  // namespace tabsift

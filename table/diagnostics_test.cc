// The diagnostics channel: messages keep their order however many there are,
// and exhausted memory is reported once per run.
#include "table/diagnostics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tabsift {
namespace {

TEST(DiagnosticsTest, MessagesStayInOrderAndMemoryExhaustionIsSaidOnce) {
  resetDiagnostics();
  testing::internal::CaptureStderr();
  std::string expected;
  for (std::size_t i = 0; i < 20000; ++i) {  // beyond the buffer's size
    say("Invalid value detected in data file: ", i % 3);
    expected +=
        "Invalid value detected in data file: " + std::to_string(i % 3) + "\n";
  }
  reportFailure("cannot open input file '': No such file or directory");
  say("Invalid value of parameter x in data file: 3");
  reportMemoryExhausted("reading input file 'big.dat'");
  reportMemoryExhausted("reading the input");
  flushDiagnostics();
  const std::string err = testing::internal::GetCapturedStderr();
  // The long part compared as a whole, so that a failure is not a huge diff.
  EXPECT_TRUE(err.compare(0, expected.size(), expected) == 0);
  EXPECT_EQ(err.substr(std::min(expected.size(), err.size())),
            "tabsift: cannot open input file '': No such file or directory\n"
            "Invalid value of parameter x in data file: 3\n"
            "tabsift: memory exhausted while reading input file 'big.dat'\n");
  resetDiagnostics();
}

}  // namespace
}  // namespace tabsift

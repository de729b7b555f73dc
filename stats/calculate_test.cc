// The statistics on a store filled by hand: tables the reader never makes,
// a second request and int overflow in every statistic at once.
#include <gtest/gtest.h>

#include <string>

#include "ops/table_test_util.h"
#include "table/data_operations.h"
#include "table/diagnostics.h"

namespace tabsift::testing {
namespace {

// The table after the requests, shown as in the transforms' tests.
template <typename T = double>
std::string run(const std::vector<LinesText>& files,
                std::vector<std::string> requests, bool col = false,
                bool join = false) {
  DataOperations<T> store;
  store.data = table<T>(files);
  if (col) store.col();
  if (join) store.join();
  for (const std::string& request : requests) store.calculate(request);
  return show(store.data);
}

TEST(CalculateTest, SecondRequestTakesEarlierResults) {
  EXPECT_EQ(run({{{1, 2}}}, {"s", "s"}), "1 2 3 6");
}

TEST(CalculateTest, EmptyTablesAndEmptyFirstFile) {
  EXPECT_EQ(run({}, {"s,c"}, true), "");
  EXPECT_EQ(run({}, {"s,c"}, true, true), "");
  EXPECT_EQ(run({}, {"s,c"}), "");
  // A first file without lines: joined columns give nothing, except that
  // count leaves an empty line at the end of the last file.
  EXPECT_EQ(run({{}, {{1}}}, {"s,c"}, true, true), " | 1; ");
  EXPECT_EQ(run({{}, {{1}}}, {"s"}, true), " | 1; 1");
}

TEST(CalculateTest, LineWiderThanTheFirstKeepsItsCells) {
  EXPECT_EQ(run({{{1}, {2, 5}}}, {"s"}, true), "1; 2 5; 3 5");
}

TEST(CalculateTest, IntResultsTooLargeAreAbsentWithOneLineEach) {
  ::testing::internal::CaptureStderr();
  const std::string got = run<int>(
      {{{2147483647, 2147483647}, {2147483647, 2147483647}, {-2147483648, 1}}},
      {"s,a,m,d"}, true);
  flushDiagnostics();
  EXPECT_EQ(got,
            "2147483647 2147483647; 2147483647 2147483647; -2147483648 1; "
            "2147483646 --; "
            "715827882 1431655765; 2147483647 2147483647; -- 1239850261");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "tabsift: sum does not fit in an int cell; written as absent\n"
            "tabsift: standard deviation does not fit in an int cell; written "
            "as absent\n");
}

}  // namespace
}  // namespace tabsift::testing

// The operations' transforms on small literal tables.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ops/file_numbers.h"
#include "ops/filter_lines.h"
#include "ops/gather.h"
#include "ops/group_lines.h"
#include "ops/select_lines.h"
#include "ops/swap_columns.h"
#include "ops/table_test_util.h"

namespace tabsift::testing {
namespace {

const LinesText kSample = {{1, 10, 100},       {2, 20, 200},      {3, 30, 300},
                           {kAbsent, 40, 400}, {5, kAbsent, 500}, {}};

template <typename T = double>
std::string filtered(FilterRule<T> rule, const LinesText& lines = kSample) {
  auto data = table<T>({lines});
  keepPassingLines(data, rule);
  return show(data);
}

FilterRule<double> rule(std::size_t column, std::vector<Condition> conditions,
                        char logic = '0', std::vector<std::size_t> keep = {}) {
  return {column, std::move(conditions), logic, 0.0, std::move(keep)};
}

TEST(FilterLinesTest, AbsentOrMissingTestCellFailsEveryCondition) {
  const Condition gt2{Comparison::kGt, 2};
  const Condition lt9{Comparison::kLt, 9};
  EXPECT_EQ(filtered(rule(0, {gt2})), "3 30 300; 5 -- 500");
  EXPECT_EQ(filtered(rule(0, {lt9, gt2}, 'o')),
            "1 10 100; 2 20 200; 3 30 300; 5 -- 500");
  EXPECT_EQ(filtered(rule(0, {lt9, gt2}, 'a')), "3 30 300; 5 -- 500");
  EXPECT_EQ(filtered(rule(1, {gt2})),
            "1 10 100; 2 20 200; 3 30 300; -- 40 400");
  EXPECT_EQ(filtered(rule(std::size_t(-1), {gt2})), "");
  // List entries in order, repeated, and skipped beyond a line.
  EXPECT_EQ(filtered(rule(0, {gt2}, '0', {2, 2, 9, std::size_t(-2), 1})),
            "300 300 30; 500 500 --");
}

TEST(GatherTest, FilesMoveIntoTheFirstStandingForInputZero) {
  auto data = table({{{1}, {2}}, {}, {{3}}});
  std::vector<std::size_t> inputs{1, 2, 4};
  gatherIntoOneFile(data, inputs);
  EXPECT_EQ(show(data), "1; 2; 3");
  EXPECT_EQ(inputs, (std::vector<std::size_t>{0}));
  auto none = table({});
  gatherIntoOneFile(none, inputs);
  EXPECT_EQ(none.size(), 1u);
}

TEST(GroupLinesTest, SideBySideKeepsEveryLine) {
  auto three = table({{{1}, {2}, {3}}, {{4}, {5}}, {{6}, {7}, {8}, {9}}});
  EXPECT_EQ(showFile(sideBySide(three)), "1 4 6; 2 5 7; 3 8; 9");
  auto none = table({});
  EXPECT_TRUE(sideBySide(none).empty());
}

TEST(GroupLinesTest, KeysCompareExactlyAndSortNumerically) {
  auto data = table({{{0.1, 1}, {0.1000001, 2}, {kAbsent, 9}, {7}},
                     {{-5, 3, kAbsent}, {0.1, 4}}});
  EXPECT_TRUE(someLineReaches(data, 2));
  EXPECT_FALSE(someLineReaches(data, 3));
  EXPECT_EQ(showFile(groupByColumn(data, 0)), "-5 3 --; 0.1 1 4; 0.1 2; 7");
}

TEST(GroupLinesTest, NaNKeysFormOneGroupAfterEveryNumberAndZerosOne) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  auto data = table(
      {{{nan, 1}, {2, 2}, {-nan, 3}, {-INFINITY, 4}, {0.0, 5}, {-0.0, 6}}});
  auto lines = groupByColumn(data, 0);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(showFile(lines), "-inf 4; 0 5 6; 2 2; nan 1 3");
  EXPECT_FALSE(std::signbit(lines[1][0].value()));  // the first one seen
}

TEST(SelectLinesTest, ItemsInArgumentOrderWithEachFilesParameters) {
  auto data = table({{{1, 2}, {3}}, {{4, 5}}});
  const std::vector<SelectItem> items{
      {false, 0, "E"}, {true, 1, ""}, {true, std::size_t(-1), ""}};
  // Each file's cell per item: its E (absent in the second file), and
  // absent cells for the column items.
  const FileOf<CellOf<double>> perFile =
      table({{{7, kAbsent, kAbsent}, {kAbsent, kAbsent, kAbsent}}})[0];
  selectItems(data, items, perFile);
  EXPECT_EQ(show(data), "7 2 --; 7 -- -- | -- 5 --");
  EXPECT_EQ(showFile(parameterLines(items, perFile)), "7; --");
}

TEST(SwapColumnsTest, ChecksFirstLinesAndPassesOverEmptyFiles) {
  auto data = table({{}, {{1, 2, 3}, {4}}, {{5, 6}}});
  EXPECT_TRUE(swapFits(data, 0, 3, 0, 1));
  EXPECT_FALSE(swapFits(data, 0, 3, 0, 2));
  EXPECT_FALSE(swapFits(data, 1, 2, 1, 1));
  swapColumns(data, 1, 2, 2, 0);
  EXPECT_EQ(show(data), " | 3 2 1; 4 | 5 6");
}

TEST(FileNumbersTest, CountTheTablesFiles) {
  auto data = table<int>({{{5, 6}, {7}}, {}, {{9}}});
  tagWithFileNumbers(data);
  EXPECT_EQ(show(data), "1 5 6; 1 7 |  | 3 9");
}

}  // namespace
}  // namespace tabsift::testing

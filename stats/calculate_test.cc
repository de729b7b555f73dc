// The statistics on a store filled by hand: scopes, placement of results,
// the snapshot rule and the request errors.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "table/data_operations.h"

namespace {

// Cells written as numbers, std::nullopt for an absent cell.
using Cells = std::vector<std::optional<double>>;
using Lines = std::vector<Cells>;

template <typename T>
std::vector<typename DataOperations<T>::File> makeTable(
    const std::vector<Lines>& files) {
  std::vector<typename DataOperations<T>::File> table;
  for (const Lines& lines : files) {
    auto& file = table.emplace_back();
    for (const Cells& cells : lines) {
      auto& line = file.emplace_back();
      for (const auto& cell : cells) {
        line.push_back(cell ? typename DataOperations<T>::Value(static_cast<T>(*cell))
                            : typename DataOperations<T>::Value());
      }
    }
  }
  return table;
}

template <typename T>
std::vector<Lines> tableOf(const DataOperations<T>& store) {
  std::vector<Lines> files;
  for (const auto& file : store.data) {
    Lines& lines = files.emplace_back();
    for (const auto& line : file) {
      Cells& cells = lines.emplace_back();
      for (const auto& cell : line) {
        cells.push_back(cell.present ? std::optional<double>(cell.value)
                                     : std::nullopt);
      }
    }
  }
  return files;
}

template <typename T = double>
std::vector<Lines> run(const std::vector<Lines>& files, const std::string& request,
                       bool col = false, bool join = false) {
  DataOperations<T> store;
  store.data = makeTable<T>(files);
  if (col) store.col();
  if (join) store.join();
  store.calculate(request);
  return tableOf(store);
}

constexpr std::nullopt_t _ = std::nullopt;

TEST(CalculateLineTest, ResultsEndEveryLineInLetterOrder) {
  EXPECT_EQ(run({{{1, 2, 3}}}, "s"), (std::vector<Lines>{{{1, 2, 3, 6}}}));
  EXPECT_EQ(run({{{1, 2, 3}}}, "c"), (std::vector<Lines>{{{1, 2, 3, 3}}}));
  // The median does not take the sum, nor the count the median.
  EXPECT_EQ(run({{{1, 2, 9}, {4, 5, 6}}}, "s,m,c,s"),
            (std::vector<Lines>{{{1, 2, 9, 12, 2, 3, 12}, {4, 5, 6, 15, 5, 3, 15}}}));
  EXPECT_EQ(run({{{1, _, 5}}}, "m,a"), (std::vector<Lines>{{{1, _, 5, 3, 3}}}));
}

TEST(CalculateLineTest, LineWithoutValues) {
  EXPECT_EQ(run({{{_, _}}}, "c,s,a,m,d"),
            (std::vector<Lines>{{{_, _, 0, 0, _, _, _}}}));
  EXPECT_EQ(run<int>({{{_, _}}}, "c,s,a,m,d"),
            (std::vector<Lines>{{{_, _, 0, 0, _, _, _}}}));
}

TEST(CalculateLineTest, DeviationPerCellType) {
  EXPECT_EQ(run<int>({{{10, 20, 30}, {7, _, _}}}, "a,d"),
            (std::vector<Lines>{{{10, 20, 30, 20, 10}, {7, _, _, 7, _}}}));
  std::vector<Lines> got = run({{{1e9 + 1, 1e9 + 2, 1e9 + 3, 1e9 + 4}, {0.5, _}}}, "d");
  EXPECT_DOUBLE_EQ(*got[0][0][4], std::sqrt(5.0 / 3.0));
  EXPECT_TRUE(std::isnan(*got[0][1][2]));
}

TEST(CalculateLineTest, SecondRequestTakesEarlierResults) {
  DataOperations<double> store;
  store.data = makeTable<double>({{{1, 2}}});
  store.calculate("s");
  store.calculate("s");
  EXPECT_EQ(tableOf(store), (std::vector<Lines>{{{1, 2, 3, 6}}}));
}

TEST(CalculateColumnTest, ResultLinePerFileInLetterOrder) {
  // Second column absent in every line: absent in every result line.
  EXPECT_EQ(run({{{1, _, 10}, {3, _, 30}, {2, _, 20}}}, "a,s,m,c", true),
            (std::vector<Lines>{{{1, _, 10},
                                 {3, _, 30},
                                 {2, _, 20},
                                 {2, _, 20},
                                 {6, _, 60},
                                 {2, _, 20},
                                 {3, _, 3}}}));
  // Files of different widths, not joined: each file's own width.
  EXPECT_EQ(run({{{1, 2}, {3, 4}}, {{5}}}, "s", true),
            (std::vector<Lines>{{{1, 2}, {3, 4}, {4, 6}}, {{5}, {5}}}));
}

TEST(CalculateColumnTest, JoinedColumnsGoToTheLastFile) {
  EXPECT_EQ(run({{{1, 2}}, {{3, 4}, {5, _}}, {{7, 8}}}, "s,c", true, true),
            (std::vector<Lines>{{{1, 2}},
                                {{3, 4}, {5, _}},
                                {{7, 8}, {16, 14}, {4, 3}}}));
  EXPECT_EQ(run({{{1, 4}, {3, 2}}, {{10, 0}, {2, 1}}}, "m", true, true),
            (std::vector<Lines>{{{1, 4}, {3, 2}}, {{10, 0}, {2, 1}, {2.5, 1.5}}}));
  // Line mode ignores the join flag.
  EXPECT_EQ(run({{{1, 2}}, {{3}}}, "s", false, true),
            (std::vector<Lines>{{{1, 2, 3}}, {{3, 3}}}));
}

TEST(CalculateColumnTest, EmptyTablesAndEmptyFirstFile) {
  EXPECT_EQ(run({}, "s,c", true), std::vector<Lines>{});
  EXPECT_EQ(run({}, "s,c", true, true), std::vector<Lines>{});
  EXPECT_EQ(run({}, "s,c"), std::vector<Lines>{});
  // A first file without lines: joined columns give nothing, except that
  // count leaves an empty line at the end of the last file.
  EXPECT_EQ(run({{}, {{1}}}, "s,c", true, true),
            (std::vector<Lines>{{}, {{1}, {}}}));
  EXPECT_EQ(run({{}, {{1}}}, "s", true), (std::vector<Lines>{{}, {{1}, {1}}}));
}

TEST(CalculateColumnTest, LineWiderThanTheFirstKeepsItsCells) {
  EXPECT_EQ(run({{{1}, {2, 5}}}, "s", true),
            (std::vector<Lines>{{{1}, {2, 5}, {3, 5}}}));
}

TEST(CalculateColumnTest, DeviationAndAverageInColumns) {
  std::vector<Lines> got =
      run({{{1, 7, _}, {2, _, _}, {3, _, _}, {4, _, _}}}, "a,d", true);
  ASSERT_EQ(got[0].size(), 6u);
  EXPECT_EQ(got[0][4], (Cells{2.5, 7, _}));
  EXPECT_DOUBLE_EQ(*got[0][5][0], std::sqrt(5.0 / 3.0));
  EXPECT_TRUE(std::isnan(*got[0][5][1]));
  EXPECT_EQ(got[0][5][2], _);
}

TEST(CalculateColumnTest, FloatColumnSumRoundsInLineOrder) {
  EXPECT_EQ(run<float>({{{1e8}, {1}, {-1e8}}}, "s", true)[0][3], (Cells{0}));
  EXPECT_EQ(run<float>({{{1e8}, {-1e8}, {1}}}, "s", true)[0][3], (Cells{1}));
}

TEST(CalculateIntTest, TooLargeResultsAreAbsentWithOneLine) {
  testing::internal::CaptureStderr();
  std::vector<Lines> got = run<int>(
      {{{2147483647, 2147483647}, {2147483647, 2147483647}, {-2147483648, 1}}},
      "s,a,m,d", true);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(got[0][3], (Cells{2147483646, _}));
  EXPECT_EQ(got[0][4], (Cells{715827882, 1431655765}));
  EXPECT_EQ(got[0][5], (Cells{2147483647, 2147483647}));
  EXPECT_EQ(got[0][6], (Cells{_, 1239850261}));
  EXPECT_EQ(err,
            "tabsift: sum does not fit in an int cell; written as absent\n"
            "tabsift: standard deviation does not fit in an int cell; "
            "written as absent\n");
}

TEST(CalculateRequestTest, MalformedRequestEndsTheRun) {
  DataOperations<double> store;
  store.data = makeTable<double>({{{1, 2}}});
  EXPECT_EXIT(store.calculate("s,x"), testing::ExitedWithCode(1),
              "^Wrong calculate argument\n$");
  EXPECT_EXIT(store.calculate("sa"), testing::ExitedWithCode(1),
              "Wrong calculate argument");
  store.calculate("");
  EXPECT_EQ(tableOf(store), (std::vector<Lines>{{{1, 2}}}));
  EXPECT_EQ(store.lineSizes, (std::vector<std::vector<std::size_t>>{{2}}));
}

}  // namespace

// The statistics on a store filled by hand: tables the reader never makes,
// a second request and int overflow.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "table/data_operations.h"
#include "table/diagnostics.h"

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
        cells.push_back(cell.present() ? std::optional<double>(cell.value())
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

TEST(CalculateLineTest, SecondRequestTakesEarlierResults) {
  DataOperations<double> store;
  store.data = makeTable<double>({{{1, 2}}});
  store.calculate("s");
  store.calculate("s");
  EXPECT_EQ(tableOf(store), (std::vector<Lines>{{{1, 2, 3, 6}}}));
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

TEST(CalculateIntTest, TooLargeResultsAreAbsentWithOneLine) {
  testing::internal::CaptureStderr();
  std::vector<Lines> got = run<int>(
      {{{2147483647, 2147483647}, {2147483647, 2147483647}, {-2147483648, 1}}},
      "s,a,m,d", true);
  const std::string err = (tabsift::flushDiagnostics(), testing::internal::GetCapturedStderr());
  EXPECT_EQ(got[0][3], (Cells{2147483646, _}));
  EXPECT_EQ(got[0][4], (Cells{715827882, 1431655765}));
  EXPECT_EQ(got[0][5], (Cells{2147483647, 2147483647}));
  EXPECT_EQ(got[0][6], (Cells{_, 1239850261}));
  EXPECT_EQ(err,
            "tabsift: sum does not fit in an int cell; written as absent\n"
            "tabsift: standard deviation does not fit in an int cell; "
            "written as absent\n");
}

}  // namespace

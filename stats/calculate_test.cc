// Calculation requests on stores filled by hand: shapes the reader never
// makes (no files, files without lines among others), a second request on
// the results of the first, which only the fuzz targets make, and results
// only, which leaves the table together with its record of the inputs.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "table/data_operations.h"

namespace {

using Store = DataOperations<double>;
using Rows = std::vector<std::vector<double>>;
constexpr double kAbsent = -999;  // stands for an absent cell

TEST(CalculateTest, RequestsOnStoresFilledByHand) {
  // clang-format off
  const struct {
    const char* what;
    bool col, join, results;
    std::vector<Rows> files;
    std::vector<const char*> requests;
    std::vector<Rows> after;
    std::vector<std::size_t> inputs = {}, inputsAfter = {};
  } cases[] = {
      {"second request, line mode", false, false, false, {{{1, 2}}}, {"s", "s"}, {{{1, 2, 3, 6}}}},
      {"second request, results only", false, false, true, {{{1, 2, 3}, {4, 5, 9}}},
       {"s,a", "s,a"}, {{{8, 4}, {24, 12}}}},
      {"second request, column results", true, false, true, {{{1, 2}, {3, 4}, {5, 6}}},
       {"a,d,m", "c,s"}, {{{3, 3}, {3 + 2 + 3, 4 + 2 + 4}}}},
      {"no files, joined columns", true, true, false, {}, {"s,c"}, {}},
      // Joined columns give nothing when the first file has no lines, except
      // that count leaves an empty line at the end of the last file.
      {"first file empty, joined", true, true, false, {{}, {{1}}}, {"s,c"}, {{}, {{1}, {}}}},
      {"first file empty, columns", true, false, false, {{}, {{1}}}, {"s"}, {{}, {{1}, {1}}}},
      {"wider later line", true, false, false, {{{1}, {2, 5}}}, {"s"}, {{{1}, {2, 5}, {3, 5}}}},
      {"empty files leave, line mode", false, false, true, {{}, {{1, 2}}, {}, {{3, 4}}}, {"s"},
       {{{3}}, {{7}}}, {0, 2, 3, 5}, {2, 5}},
      {"empty files leave, column mode", true, false, true, {{}, {{1, 2}}, {}, {{3, 4}}},
       {"s"}, {{{1, 2}}, {{3, 4}}}, {0, 2, 3, 5}, {2, 5}},
      {"joined columns keep the last file", true, true, true, {{{1, 2}}, {{3, 4}, {5, 6}}},
       {"s"}, {{{9, 12}}}, {0, 4}, {4}},
  };
  // clang-format on
  for (const auto& c : cases) {
    Store store;
    if (c.col) store.col();
    if (c.join) store.join();
    if (c.results) store.results();
    for (const Rows& rows : c.files) {
      Store::File& file = store.data.emplace_back();
      for (const auto& row : rows) file.emplace_back(row.begin(), row.end());
    }
    store.fileInputs = c.inputs;
    for (const char* request : c.requests) store.calculate(request);
    std::vector<Rows> after;
    for (const Store::File& file : store.data) {
      Rows& rows = after.emplace_back();
      for (const Store::Line& line : file) {
        auto& row = rows.emplace_back();
        for (const Store::Value& cell : line) {
          row.push_back(cell.present() ? cell.value() : kAbsent);
        }
      }
    }
    EXPECT_EQ(after, c.after) << c.what;
    EXPECT_EQ(store.fileInputs, c.inputsAfter) << c.what;
  }
}

}  // namespace

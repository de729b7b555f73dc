// Results only on a store filled by hand: a second request on the results of
// the first, which only the fuzz targets make, and files without lines among
// others, which the reader never makes, leaving the table together with
// their record of the input.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "table/data_operations.h"

namespace {

using Store = DataOperations<double>;
using Rows = std::vector<std::vector<double>>;
using Positions = std::vector<std::size_t>;

TEST(ResultsOnlyTest, RequestsOnStoresFilledByHand) {
  // clang-format off
  const struct {
    const char* what;
    bool col, join;
    std::vector<Rows> files;
    Positions inputs;
    std::vector<const char*> requests;
    std::vector<Rows> results;
    Positions resultInputs;
  } cases[] = {
      {"second request, line mode", false, false, {{{1, 2, 3}, {4, 5, 9}}}, {0},
       {"s,a", "s,a"}, {{{8, 4}, {24, 12}}}, {0}},
      {"second request, column mode", true, false, {{{1, 2}, {3, 4}, {5, 6}}}, {0},
       {"a,d,m", "c,s"}, {{{3, 3}, {3 + 2 + 3, 4 + 2 + 4}}}, {0}},
      {"empty files, line mode", false, false, {{}, {{1, 2}}, {}, {{3, 4}}},
       {0, 2, 3, 5}, {"s"}, {{{3}}, {{7}}}, {2, 5}},
      {"empty files, column mode", true, false, {{}, {{1, 2}}, {}, {{3, 4}}},
       {0, 2, 3, 5}, {"s"}, {{{1, 2}}, {{3, 4}}}, {2, 5}},
      {"joined columns keep the last file", true, true, {{{1, 2}}, {{3, 4}, {5, 6}}},
       {0, 4}, {"s"}, {{{9, 12}}}, {4}},
  };
  // clang-format on
  for (const auto& c : cases) {
    Store store;
    store.results();
    if (c.col) store.col();
    if (c.join) store.join();
    for (const Rows& rows : c.files) {
      Store::File& file = store.data.emplace_back();
      for (const auto& row : rows) file.emplace_back(row.begin(), row.end());
    }
    store.fileInputs = c.inputs;
    for (const char* request : c.requests) store.calculate(request);
    std::vector<Rows> results;
    for (const Store::File& file : store.data) {
      Rows& rows = results.emplace_back();
      for (const Store::Line& line : file) {
        auto& row = rows.emplace_back();
        for (const Store::Value& cell : line) {
          row.push_back(cell.present() ? cell.value() : -999);
        }
      }
    }
    EXPECT_EQ(results, c.results) << c.what;
    EXPECT_EQ(store.fileInputs, c.resultInputs) << c.what;
  }
}

}  // namespace

// Where the file numbers stand after each operation that moves columns, as
// a mask over the first columns ('1' holds file numbers).
#include "table/file_number_columns.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tabsift {
namespace {

std::string maskOf(const FileNumberColumns& numbers, std::size_t width) {
  std::string text;
  for (char held : numbers.mask(width)) text += held ? '1' : '0';
  return text;
}

TEST(FileNumberColumnsTest, FollowTheOperations) {
  using Step = std::function<void(FileNumberColumns&)>;
  const auto swapped = [](std::size_t a, std::size_t b) {
    return Step([=](FileNumberColumns& n) { n.swap(a, b); });
  };
  const auto grouped = [](std::size_t key, std::size_t width) {
    return Step([=](FileNumberColumns& n) { n.groupBy(key, width); });
  };
  const auto rebuilt = [](std::vector<std::optional<std::size_t>> sources) {
    return Step([=](FileNumberColumns& n) { n.rebuild(sources); });
  };
  const struct {
    const char* what;
    std::vector<Step> steps;
    const char* mask;
  } cases[] = {
      {"merged", {}, "10000000"},
      {"swapped away and back", {swapped(0, 2)}, "00100000"},
      {"swap of two data columns", {swapped(1, 2)}, "10000000"},
      {"listed twice, after a parameter",
       {rebuilt({std::nullopt, 0, 3, 0})},
       "01010000"},
      {"left out of a list", {rebuilt({1, 2})}, "00000000"},
      {"grouped by the file number", {grouped(0, 3)}, "10000000"},
      {"grouped by a data column: one number per grouped line",
       {grouped(2, 3)},
       "01010101"},
      {"a data column first, grouped by column 3 of 4",
       {swapped(0, 1), grouped(2, 4)},
       "00100100"},
      {"grouped lines of different widths", {grouped(1, 0)}, "00000000"},
      {"grouped twice", {grouped(1, 3), grouped(0, 5)}, "00000000"},
      {"a swap into the blocks", {grouped(1, 3), swapped(1, 2)}, "00000000"},
      {"a list picks from the blocks",
       {grouped(1, 3), rebuilt({3, 0, 1})},
       "10100000"},
      {"side by side",
       {[](FileNumberColumns& n) {
         n.sideBySide({3, 2, 1});
       }},
       "10010100"},
  };
  for (const auto& c : cases) {
    FileNumberColumns numbers;
    numbers.setFirst();
    for (const Step& step : c.steps) step(numbers);
    EXPECT_EQ(maskOf(numbers, 8), c.mask) << c.what;
    EXPECT_EQ(numbers.any(), std::string(c.mask).find('1') != std::string::npos)
        << c.what;
  }
}

}  // namespace
}  // namespace tabsift

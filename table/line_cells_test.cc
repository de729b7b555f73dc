// Data lines turned into cells, for each cell type, beside the reading of
// each token on its own.
#include "table/line_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "table/token.h"

namespace tabsift {
namespace {

// The cells as text: numbers through %.17g, absent cells as "--".
template <typename T>
std::string show(const std::vector<Cell<T>>& cells) {
  std::string text;
  char number[40];
  for (const Cell<T>& cell : cells) {
    std::snprintf(number, sizeof number, "%.17g",
                  static_cast<double>(cell.value()));
    text.append(text.empty() ? "" : " ").append(cell.present() ? number : "--");
  }
  return text;
}

// The cells of a line as text, and how many of them are absent.
template <typename T>
std::pair<std::string, std::size_t> cellsOf(const std::string& line) {
  std::vector<Cell<T>> cells;
  const std::size_t invalid = appendLineCells<T>(line, cells);
  return {show(cells), invalid};
}

// Delimiters, text after a number, NUL bytes, NaN payloads: the double cells,
// and how many cells are absent for double (and float) and for int.
TEST(LineCellsTest, LinesOfTokens) {
  // clang-format off
  const struct {
    std::string line, cells;
    std::size_t invalid, invalidInt;
  } cases[] = {
      {"  \t1\t2  3 \r", "1 2 3", 0, 0},
      {"1 2 # word", "1 2 -- --", 2, 2},
      {"-813.514 1234567890123456789 2abc 7E-3x +.5",
       "-813.51400000000001 1.2345678901234568e+18 2 0.0070000000000000001 0.5", 0, 1},
      {"nan -inf 1e400 nan(0xa5e)", "nan -inf inf nan", 0, 4},
      {"1\v2 3\f", "1 3", 0, 0},
      {std::string("4\0" "5 6", 5), "4 6", 0, 0},
      {"", "", 0, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE("line \"" + c.line + "\"");
    EXPECT_EQ(cellsOf<double>(c.line), std::make_pair(c.cells, c.invalid));
    EXPECT_EQ(cellsOf<float>(c.line).second, c.invalid);
    EXPECT_EQ(cellsOf<int>(c.line).second, c.invalidInt);
  }
}

// Lines of random tokens give, for each cell type, the cells of their tokens
// read one by one, whatever the token lengths and wherever the line ends.
template <typename T>
void expectLinesMatchTheirTokens() {
  std::mt19937_64 rng(3);
  const std::string pieces = "0123456789.-eE+x# \t\r";
  for (int i = 0; i < 10000; ++i) {
    std::string line;
    for (std::uint64_t n = rng() % 40; n > 0; --n) {
      line += rng() % 3 ? static_cast<char>('0' + rng() % 10)
                        : pieces[rng() % pieces.size()];
    }
    std::vector<Cell<T>> expected;
    std::size_t absent = 0;
    for (std::size_t p = 0;
         (p = line.find_first_not_of(" \t\r", p)) != std::string::npos;) {
      const std::size_t q =
          std::min(line.find_first_of(" \t\r", p), line.size());
      const std::optional<T> number = tokenToCell<T>(line.substr(p, q - p));
      expected.push_back(number ? Cell<T>(*number) : Cell<T>());
      absent += !number;
      p = q;
    }
    ASSERT_EQ(cellsOf<T>(line), std::make_pair(show(expected), absent))
        << "line " << line;
  }
}

TEST(LineCellsTest, LinesMatchTheirTokens) {
  expectLinesMatchTheirTokens<double>();
  expectLinesMatchTheirTokens<float>();
  expectLinesMatchTheirTokens<int>();
}

}  // namespace
}  // namespace tabsift

// Data lines turned into cells, for each cell type, beside the reading of
// each token on its own.
#include "table/line_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
    std::snprintf(number, sizeof number, "%.17g", static_cast<double>(cell.value()));
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

TEST(LineCellsTest, LinesOfTokens) {
  const struct {
    std::string line;
    std::string dbl, flt, integer;
    std::size_t invalidDouble, invalidInt;
  } cases[] = {
      {"1 2 3", "1 2 3", "1 2 3", "1 2 3", 0, 0},
      {"  \t1\t2  3 \r", "1 2 3", "1 2 3", "1 2 3", 0, 0},
      {"1 2 # word", "1 2 -- --", "1 2 -- --", "1 2 -- --", 2, 2},
      {"-813.514 0.5 -0.7 1.9", "-813.51400000000001 0.5 -0.69999999999999996 1.8999999999999999",
       "-813.51397705078125 0.5 -0.69999998807907104 1.8999999761581421", "-813 0 0 1", 0, 0},
      {"12345678 123456789 1234567890123456789", "12345678 123456789 1.2345678901234568e+18",
       "12345678 123456792 1.2345679395506094e+18", "12345678 123456789 --", 0, 1},
      {"2abc 1,5 7E-3x 0x10 +.5", "2 1 0.0070000000000000001 16 0.5",
       "2 1 0.0070000002160668373 16 0.5", "2 1 0 16 0", 0, 0},
      {"nan -inf 1e400 nan(0xa5e)", "nan -inf inf nan", "nan -inf inf nan", "-- -- -- --", 0, 4},
      {"1\v2 3\f", "1 3", "1 3", "1 3", 0, 0},
      {std::string("4\0" "5 6", 5), "4 6", "4 6", "4 6", 0, 0},
      {"0.000001 .5e1 5. -0", "9.9999999999999995e-07 5 5 -0", "9.9999999747524271e-07 5 5 -0", "0 5 5 0", 0, 0},
      {"", "", "", "", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("line \"" + c.line + "\"");
    EXPECT_EQ(cellsOf<double>(c.line), std::make_pair(c.dbl, c.invalidDouble));
    EXPECT_EQ(cellsOf<float>(c.line), std::make_pair(c.flt, c.invalidDouble));
    EXPECT_EQ(cellsOf<int>(c.line), std::make_pair(c.integer, c.invalidInt));
  }
}

// Lines of random tokens give the cells of their tokens read one by one,
// whatever the token lengths and wherever the line ends.
TEST(LineCellsTest, LineMatchesItsTokens) {
  std::mt19937_64 rng(3);
  const std::string pieces = "0123456789.-eE+x \t";
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    for (std::uint64_t n = rng() % 40; n > 0; --n) {
      line += (rng() % 3 == 0) ? pieces[rng() % pieces.size()] : static_cast<char>('0' + rng() % 10);
    }
    std::vector<Cell<double>> expected;
    for (std::size_t p = 0; (p = line.find_first_not_of(" \t", p)) != std::string::npos;) {
      const std::size_t q = std::min(line.find_first_of(" \t", p), line.size());
      const std::optional<double> number = tokenToCell<double>(line.substr(p, q - p));
      expected.push_back(number ? Cell<double>(*number) : Cell<double>());
      p = q;
    }
    ASSERT_EQ(cellsOf<double>(line).first, show(expected)) << "line \"" << line << "\"";
  }
}

}  // namespace
}  // namespace tabsift

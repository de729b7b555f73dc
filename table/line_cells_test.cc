// Cells: absent ones hold zero, every number is present (NaNs of any payload,
// the absent pattern's own included, as NaNs of their sign). Lines of random
// pieces (digits, signs, words, NUL and other bytes that are no delimiters,
// blanks, tabs, CRs) give the cells of their tokens read one by one, and as
// many absent cells as tokens that are no number, for each cell type.
#include "table/line_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "table/token.h"

namespace tabsift {
namespace {

template <typename T, typename Bits>
void expectPresentNaNsOfTheirSign(std::initializer_list<Bits> patterns) {
  for (Bits bits : patterns) {
    const Cell<T> cell(std::bit_cast<T>(bits));
    EXPECT_TRUE(cell.present() && std::isnan(cell.value())) << std::hex << bits;
    EXPECT_EQ(std::signbit(cell.value()), bits >> (8 * sizeof bits - 1))
        << std::hex << bits;
  }
}

TEST(CellTest, AbsentAndPresentCells) {
  EXPECT_FALSE(Cell<double>().present() || Cell<float>().present() ||
               Cell<int>().present());
  EXPECT_EQ(Cell<double>().value(), 0.0);
  EXPECT_EQ(Cell<float>().value(), 0.0f);
  EXPECT_EQ(Cell<int>().value(), 0);
  EXPECT_TRUE(Cell<int>(0).present());
  expectPresentNaNsOfTheirSign<double, std::uint64_t>(
      {0x7ff8'0000'0000'0a5eULL, 0xfff8'0000'0000'0a5eULL,
       0x7ff0'0000'0000'0001ULL, 0xffff'ffff'ffff'ffffULL});
  expectPresentNaNsOfTheirSign<float, std::uint32_t>(
      {0x7fc0'0a5eU, 0xffc0'0a5eU, 0x7f80'0001U});
}

// Cells are the same when both are absent or both hold the same bits.
template <typename T>
bool sameCell(Cell<T> a, Cell<T> b) {
  const T x = a.value(), y = b.value();
  return a.present() == b.present() && std::memcmp(&x, &y, sizeof x) == 0;
}

template <typename T>
void expectLinesMatchTheirTokens() {
  std::mt19937_64 rng(3);
  // clang-format off
  const std::vector<std::string> pieces = {
      ".", "-", "e", "E", "+", "x", "#", " ", "\t", "\r", "\v", "\f",
      std::string(1, '\0'), "\x80", "nan", "inf", "(", "0x1p"};
  // clang-format on
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    for (std::uint64_t n = rng() % 40; n > 0; --n) {
      line += rng() % 3 ? std::string(1, '0' + rng() % 10)
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
    std::vector<Cell<T>> cells;
    const std::size_t invalid = appendLineCells<T>(line, cells);
    ASSERT_TRUE(std::ranges::equal(cells, expected, sameCell<T>)) << line;
    ASSERT_EQ(invalid, absent) << "line " << line;
  }
}

TEST(LineCellsTest, LinesMatchTheirTokens) {
  expectLinesMatchTheirTokens<double>();
  expectLinesMatchTheirTokens<float>();
  expectLinesMatchTheirTokens<int>();
}

}  // namespace
}  // namespace tabsift

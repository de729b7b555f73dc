// The file store against a plain model (a vector of vectors of numbers):
// random sequences of every operation must leave both holding the same
// lines; the shapes that keep no per-line record must stay that way.
#include "table/table_file.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <vector>

#include "table/cell.h"

namespace tabsift {
namespace {

using C = Cell<double>;
using File = TableFile<C>;
using Model = std::vector<std::vector<double>>;

// An absent cell shows as -1 in the model; every present cell is >= 0.
double shown(const C& cell) {
  return cell.present() ? cell.value() : -1;
}
C made(double x) {
  return x < 0 ? C() : C(x);
}

Model contents(const File& file) {
  Model model;
  for (const auto& line : file) {
    auto& row = model.emplace_back();
    for (const C& cell : line) row.push_back(shown(cell));
  }
  return model;
}

struct Random {
  std::mt19937 engine;
  std::size_t counter = 0;
  std::size_t below(std::size_t n) { return n == 0 ? 0 : engine() % n; }
  double next() { return static_cast<double>(counter++); }
  std::vector<double> row(std::size_t width) {  // a fifth absent
    std::vector<double> cells;
    for (std::size_t k = 0; k < width; ++k)
      cells.push_back(below(5) == 0 ? -1 : next());
    return cells;
  }
};

void appendRow(File& file, Model& model, std::vector<double> row) {
  std::vector<C> cells;
  for (double x : row) cells.push_back(made(x));
  file.push_back(cells);
  model.push_back(std::move(row));
}

// One random step on both; returns which, for the failure message.
std::size_t step(File& file, Model& model, Random& r, std::size_t wide) {
  const std::size_t n = model.size(), which = r.below(11), l = r.below(n);
  const double x = r.next();
  std::size_t width = 0;
  switch (which) {
    case 0:  // a line as reading appends it: mostly the width of the last
      appendRow(file, model,
                r.row(r.below(4) == 0 ? r.below(wide)
                                      : (n ? model.back().size() : wide)));
      break;
    case 1:  // one cell per line in order, as a line statistic appends
      for (std::size_t k = 0; k < n; ++k) {
        file[k].push_back(made(x + k));
        model[k].push_back(x + k);
      }
      break;
    case 2:  // a cell on one line, out of order
      if (n > 0) {
        file[l].push_back(made(x));
        model[l].push_back(x);
      }
      break;
    case 3:  // room for more, as a calculation request makes it
      for (auto& line : file) line.reserve(line.size() + 1 + l % 3);
      break;
    case 4:  // blank filling, to the widest line or one more
      for (const auto& row : model) width = std::max(width, row.size());
      EXPECT_EQ(file.widest(), width);
      file.padTo(width + l % 2);
      for (auto& row : model)
        row.resize(std::max(row.size(), width + l % 2), -1);
      break;
    case 5:
      file.prependCell(made(x));
      for (auto& row : model) row.insert(row.begin(), x);
      break;
    case 6: {  // keep every first, second or third line: whole, cut, or grown
      const std::size_t mode = r.below(3), every = 1 + r.below(3);
      auto transform = [mode](std::vector<double> row) {
        if (mode == 1 && !row.empty()) row.erase(row.begin());
        if (mode == 2) {
          row.insert(row.end(), row.begin(), row.end());
          row.push_back(-1);
        }
        return row;
      };
      Model next;
      for (std::size_t k = 0; k < n; ++k) {
        if (k % every == 0) next.push_back(transform(model[k]));
      }
      std::size_t k = 0;
      file.rewrite([&](const auto& line, std::vector<C>& out) {
        if (k++ % every != 0) return false;
        std::vector<double> row;
        for (const C& cell : line) row.push_back(shown(cell));
        for (double y : transform(row)) out.push_back(made(y));
        return true;
      });
      model.swap(next);
      break;
    }
    case 7: {  // another file's lines after these, mostly of one width
      File other;
      Model otherModel;
      width = r.below(wide);
      for (std::size_t k = r.below(5); k > 0; --k)
        appendRow(other, otherModel, r.row(width + (r.below(4) == 0)));
      file.appendFile(std::move(other));
      EXPECT_TRUE(other.empty());
      model.insert(model.end(), otherModel.begin(), otherModel.end());
      break;
    }
    case 8:
      file.emplace_back();
      model.emplace_back();
      break;
    case 9:  // a line of the file itself, appended again
      if (n > 0) {
        file.push_back(file[l]);
        model.push_back(model[l]);
      }
      break;
    case 10: {  // sized to fit, as reading hands an input over
      File taken = file.takeExact();
      EXPECT_TRUE(file.empty());
      file = std::move(taken);
      break;
    }
  }
  return which;
}

TEST(TableFileTest, RandomOperationsMatchTheModel) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    Random r{std::mt19937(seed)};
    File file;
    Model model;
    for (int i = 0; i < 40; ++i) {
      const std::size_t which = step(file, model, r, 5);
      ASSERT_EQ(contents(file), model)
          << "seed " << seed << " step " << i << ": " << which;
    }
  }
}

// Equally wide lines keep no per-line record through reading, blank filling,
// line statistics, merge, the filter and the joining of equal files.
TEST(TableFileTest, EqualWidthsStayWithoutRecords) {
  File file;
  for (int l = 0; l < 100; ++l) file.push_back(std::vector<C>(3, C(l)));
  EXPECT_TRUE(file.uniform());
  file.padTo(5);
  for (auto& line : file) line.reserve(line.size() + 2);
  for (int s = 0; s < 2; ++s) {
    for (auto& line : file) line.push_back(C(7));
  }
  EXPECT_TRUE(file.uniform());
  EXPECT_EQ(file[99].size(), 7u);
  file.prependCell(C(1));
  file.rewrite([](const auto& line, std::vector<C>& out) {
    out.assign(line.begin(), line.begin() + 4);
    return line[1].value() < 50;
  });
  EXPECT_TRUE(file.uniform());
  EXPECT_EQ(file.size(), 50u);
  File other;
  other.push_back(std::vector<C>(4, C(2)));
  file.appendFile(std::move(other));
  EXPECT_TRUE(file.uniform());
  EXPECT_EQ(file.size(), 51u);
}

// How a file of differing widths is built up, one step at a time: as
// reading appends lines after a short first line, in runs of three lines
// of one width or of every width by turns, and as gathering appends one
// small file after another; and the records that takes: a run of equally
// wide lines (32 bytes) or a line (16 bytes) each, whichever is less.
struct RaggedGrowth {
  const char* name;
  void (*step)(File& file, std::size_t i);
  std::size_t recordBytes;
};

void afterShortFirstLine(File& file, std::size_t i) {
  file.push_back(std::vector<C>(i == 0 ? 2 : 3, C(1)));
}

void runsOfThree(File& file, std::size_t i) {
  file.push_back(std::vector<C>(i / 3 % 5, C(1)));
}

void everyWidth(File& file, std::size_t i) {
  file.push_back(std::vector<C>(i % 7, C(1)));
}

void smallFilesGathered(File& file, std::size_t i) {
  File small;
  small.push_back(std::vector<C>(1 + i / 1000 % 2, C(1)));
  file.appendFile(std::move(small));
}

// Appending a line must not regrow the per-line records each time (which
// makes reading a ragged table take time quadratic in its lines): their
// room grows in a few dozen steps over 100,000 lines, to at most twice
// the records needed.
TEST(TableFileTest, RaggedRecordsGrowInFewSteps) {
  const RaggedGrowth growths[] = {
      {"after a short first line", afterShortFirstLine, 2 * 32},
      {"in runs of three", runsOfThree, 33334 * 32},
      {"of every width", everyWidth, 100000 * 16},
      {"small files gathered", smallFilesGathered, 100 * 32},
  };
  for (const RaggedGrowth& growth : growths) {
    File file;
    std::size_t steps = 0;
    std::size_t room = 0;
    for (std::size_t i = 0; i < 100000; ++i) {
      growth.step(file, i);
      if (file.recordBytes() != room) {
        room = file.recordBytes();
        ++steps;
      }
    }
    EXPECT_LE(steps, 40u) << growth.name;
    EXPECT_LE(room, 2 * growth.recordBytes) << growth.name;
  }
}

// Line widths as reading may meet them, and whether a file read with
// padding is left of one width (no records) before blank filling.
struct ReadShape {
  const char* name;
  std::size_t (*width)(std::size_t l);
  bool oneWidth;
};

// Padding as reading goes leaves the lines as blank filling would, and
// keeps the usual shapes of one width; one wide line among many short ones
// is not padded line by line.
TEST(TableFileTest, LinesPaddedAsReadFillAsBlankFillingWould) {
  const ReadShape shapes[] = {
      {"a names line",
       [](std::size_t l) { return l == 0 ? std::size_t{2} : 3; }, true},
      {"a short last line",
       [](std::size_t l) { return l == 999 ? std::size_t{1} : 4; }, true},
      {"widths 8 to 12", [](std::size_t l) { return 8 + l * 7 % 5; }, true},
      {"a wide line first",
       [](std::size_t l) { return l == 0 ? std::size_t{5000} : 1; }, false},
      {"widths growing", [](std::size_t l) { return l / 10; }, false},
  };
  for (const ReadShape& shape : shapes) {
    Random r{std::mt19937(3)};
    File padded;
    Model model;
    for (std::size_t l = 0; l < 1000; ++l) {
      const std::vector<double> row = r.row(shape.width(l));
      std::vector<C> cells;
      for (double x : row) cells.push_back(made(x));
      padded.appendPadded(cells.data(), cells.size());
      model.push_back(row);
    }
    EXPECT_EQ(padded.uniform(), shape.oneWidth) << shape.name;
    const std::size_t width = padded.widest();
    padded.padTo(width);
    for (auto& row : model) row.resize(width, -1);
    EXPECT_EQ(contents(padded), model) << shape.name;
  }
}

}  // namespace
}  // namespace tabsift

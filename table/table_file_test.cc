// The file store against a plain model (a vector of vectors of numbers):
// random sequences of every operation, on small files and on files large
// enough to live in mapped blocks, must leave both holding the same lines;
// the shapes that keep no per-line record must stay that way.
#include "table/table_file.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "table/cell.h"

namespace tabsift {
namespace {

using C = Cell<double>;
using File = TableFile<C>;
using Model = std::vector<std::vector<double>>;

// An absent cell shows as -1 in the model; every present cell is >= 0.
double shown(const C& cell) { return cell.present() ? cell.value() : -1; }
C made(double x) { return x < 0 ? C() : C(x); }

Model contents(const File& file) {
  Model model;
  for (const auto& line : file) {
    auto& row = model.emplace_back();
    for (const C& cell : line) row.push_back(shown(cell));
  }
  return model;
}

class Random {
 public:
  explicit Random(unsigned seed) : engine_(seed) {}
  std::size_t below(std::size_t n) {
    return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_);
  }
  double next() { return static_cast<double>(counter_++); }

 private:
  std::mt19937 engine_;
  std::size_t counter_ = 0;
};

void appendRow(File& file, Model& model, std::vector<double> row) {
  std::vector<C> cells;
  for (double x : row) cells.push_back(made(x));
  file.push_back(cells);
  model.push_back(std::move(row));
}

// One random step on both; `what` names it for the failure message.
void step(File& file, Model& model, Random& r, std::size_t wide, std::string& what) {
  const std::size_t n = model.size();
  switch (r.below(11)) {
    case 0: {  // a line as reading appends it: mostly the width of the last
      const std::size_t width = r.below(4) == 0 ? r.below(wide) : (n ? model.back().size() : wide);
      std::vector<double> row;
      for (std::size_t k = 0; k < width; ++k) row.push_back(r.below(5) == 0 ? -1 : r.next());
      appendRow(file, model, row);
      what = "append line of " + std::to_string(width);
      break;
    }
    case 1: {  // one cell per line in order, as a line statistic appends
      for (std::size_t l = 0; l < n; ++l) {
        const double x = r.next();
        file[l].push_back(made(x));
        model[l].push_back(x);
      }
      what = "cell per line";
      break;
    }
    case 2: {  // a cell on one line, out of order
      if (n == 0) break;
      const std::size_t l = r.below(n);
      const double x = r.next();
      auto line = file[l];
      line.push_back(made(x));
      model[l].push_back(x);
      what = "cell on line " + std::to_string(l);
      break;
    }
    case 3: {  // room for more, as a calculation request makes it
      const std::size_t extra = 1 + r.below(3);
      for (auto& line : file) line.reserve(line.size() + extra);
      what = "reserve";
      break;
    }
    case 4: {  // blank filling
      std::size_t width = 0;
      for (const auto& row : model) width = std::max(width, row.size());
      width += r.below(2);
      file.padTo(width);
      for (auto& row : model) row.resize(std::max(row.size(), width), -1);
      what = "pad to " + std::to_string(width);
      break;
    }
    case 5: {
      const double x = r.next();
      file.prependCell(made(x));
      for (auto& row : model) row.insert(row.begin(), x);
      what = "prepend";
      break;
    }
    case 6: {  // keep some lines, cut, repeated or grown
      const std::size_t mode = r.below(3);
      const std::size_t keepEvery = 1 + r.below(3);
      Model next;
      std::size_t l = 0;
      auto transform = [&](const std::vector<double>& row) {
        std::vector<double> out;
        if (mode == 0) out = row;
        if (mode == 1 && !row.empty()) out.assign(row.begin() + 1, row.end());
        if (mode == 2) {
          out = row;
          out.insert(out.end(), row.begin(), row.end());
          out.push_back(-1);
        }
        return out;
      };
      for (const auto& row : model) {
        if (l++ % keepEvery == 0) next.push_back(transform(row));
      }
      l = 0;
      file.rewrite([&](const auto& line, std::vector<C>& out) {
        if (l++ % keepEvery != 0) return false;
        std::vector<double> row;
        for (const C& cell : line) row.push_back(shown(cell));
        for (double x : transform(row)) out.push_back(made(x));
        return true;
      });
      model.swap(next);
      what = "rewrite mode " + std::to_string(mode) + " every " + std::to_string(keepEvery);
      break;
    }
    case 7: {  // another file's lines after these
      File other;
      Model otherModel;
      const std::size_t lines = r.below(5);
      const std::size_t width = r.below(wide);
      for (std::size_t k = 0; k < lines; ++k) {
        std::vector<double> row;
        for (std::size_t c = 0; c < width + (r.below(4) == 0); ++c) row.push_back(r.next());
        appendRow(other, otherModel, row);
      }
      file.appendFile(std::move(other));
      EXPECT_TRUE(other.empty());
      model.insert(model.end(), otherModel.begin(), otherModel.end());
      what = "append file";
      break;
    }
    case 8: {
      file.emplace_back();
      model.emplace_back();
      what = "empty line";
      break;
    }
    case 10: {  // sized to fit, as reading hands an input over
      File taken = file.takeExact();
      EXPECT_TRUE(file.empty());
      file = std::move(taken);
      what = "sized to fit";
      break;
    }
    case 9: {  // a line of the file itself, appended again
      if (n == 0) break;
      const std::size_t l = r.below(n);
      file.push_back(file[l]);
      model.push_back(model[l]);
      what = "line " + std::to_string(l) + " again";
      break;
    }
  }
}

TEST(TableFileTest, RandomOperationsMatchTheModel) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    Random r(seed);
    File file;
    Model model;
    std::string what;
    for (int i = 0; i < 40; ++i) {
      step(file, model, r, 5, what);
      ASSERT_EQ(contents(file), model) << "seed " << seed << " step " << i << ": " << what;
    }
  }
}

// Wide enough that the block is mapped and grows by remapping.
TEST(TableFileTest, LargeFilesMatchTheModel) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    Random r(seed);
    File file;
    Model model;
    for (int k = 0; k < 3000; ++k) {
      std::vector<double> row;
      for (int c = 0; c < 60; ++c) row.push_back(r.next());
      appendRow(file, model, row);
    }
    std::string what;
    for (int i = 0; i < 12; ++i) {
      step(file, model, r, 60, what);
      ASSERT_EQ(contents(file), model) << "seed " << seed << " step " << i << ": " << what;
    }
  }
}

// Many inputs read through one reused file and each handed over sized to
// fit, as reading does: every file keeps its own cells while the others
// come and go.
TEST(TableFileTest, FilesSizedToFitKeepTheirCells) {
  Random r(7);
  File staging;
  std::vector<File> files;
  std::vector<Model> models;
  for (int f = 0; f < 1500; ++f) {  // more than one shared chunk
    Model model;
    const std::size_t lines = 1 + r.below(60), width = 1 + r.below(12);
    for (std::size_t l = 0; l < lines; ++l) {
      std::vector<double> row;
      for (std::size_t c = 0; c < width + (f % 7 == 0 ? r.below(3) : 0); ++c) row.push_back(r.next());
      appendRow(staging, model, row);
    }
    files.push_back(staging.takeExact());
    models.push_back(model);
    if (f % 3 == 0 && f > 10) {  // one of them freed, one grown
      const std::size_t gone = 5 + r.below(files.size() - 5);
      files[gone].clear();
      models[gone].clear();
      const std::size_t grown = 5 + r.below(files.size() - 5);
      appendRow(files[grown], models[grown], {r.next()});
    }
  }
  for (std::size_t f = 0; f < files.size(); ++f) {
    ASSERT_EQ(contents(files[f]), models[f]) << "file " << f;
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

}  // namespace
}  // namespace tabsift

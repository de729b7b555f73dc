// Grouping against a plain reference on nested vectors: random tables of
// one or more files, equally wide or not, with keys that are absent, NaN of
// either sign, -0 and 0, must group to the same cells bit for bit (the key
// of a group is the cell of its first line), whichever way the store takes.
#include "ops/group_lines.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <random>
#include <vector>

#include "base/large_block.h"
#include "base/memory_system_test_util.h"
#include "table/cell.h"

namespace tabsift {
namespace {

using C = Cell<double>;
using Rows = std::vector<std::vector<C>>;
using Bits = std::vector<std::vector<std::uint64_t>>;

constexpr std::uint64_t kAbsent = 1;  // no double cell has these bits here

Bits bitsOf(const Rows& rows) {
  Bits out;
  for (const auto& row : rows) {
    auto& line = out.emplace_back();
    for (const C& cell : row) {
      line.push_back(cell.present() ? std::bit_cast<std::uint64_t>(cell.value())
                                    : kAbsent);
    }
  }
  return out;
}

Bits bitsOf(const TableFile<C>& file) {
  Rows rows;
  for (const auto& line : file) rows.emplace_back(line.begin(), line.end());
  return bitsOf(rows);
}

// The grouping as its description reads.
Rows referenceGroups(const std::vector<Rows>& table, std::size_t column) {
  std::map<double, std::vector<C>, KeyLess> groups;
  for (const Rows& file : table) {
    for (const auto& row : file) {
      if (column >= row.size() || !row[column].present()) continue;
      auto& group = groups[row[column].value()];
      if (group.empty()) group.push_back(row[column]);
      for (std::size_t c = 0; c < row.size(); ++c) {
        if (c != column) group.push_back(row[c]);
      }
    }
  }
  Rows out;
  for (auto& entry : groups) out.push_back(entry.second);
  return out;
}

Rows referenceSideBySide(const std::vector<Rows>& table) {
  Rows out;
  for (const Rows& file : table) {
    for (std::size_t i = 0; i < file.size(); ++i) {
      if (i >= out.size()) out.emplace_back();
      out[i].insert(out[i].end(), file[i].begin(), file[i].end());
    }
  }
  return out;
}

TableOf<C> storeOf(const std::vector<Rows>& table) {
  TableOf<C> data;
  for (const Rows& file : table) {
    auto& stored = data.emplace_back();
    for (const auto& row : file) stored.push_back(row);
  }
  return data;
}

TEST(GroupLinesTest, RandomTablesGroupAsTheReference) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const C keys[] = {C(1), C(2), C(-0.0), C(0.0), C(nan), C(-nan), C(), C(-5)};
  for (unsigned seed = 1; seed <= 400; ++seed) {
    std::mt19937 random(seed);
    auto below = [&](unsigned n) {
      return static_cast<std::size_t>(random() % n);
    };
    std::vector<Rows> table(1 + below(3));
    const bool equal = below(2) == 0;
    const std::size_t width = 1 + below(4);
    double counter = 10;
    for (Rows& file : table) {
      const std::size_t lines = below(2) == 0 ? below(4) : below(60);
      for (std::size_t l = 0; l < lines; ++l) {
        auto& row = file.emplace_back();
        const std::size_t w = equal ? width : below(5);
        for (std::size_t c = 0; c < w; ++c) {
          row.push_back(below(2) == 0 ? keys[below(8)] : C(counter++));
        }
      }
    }
    const std::size_t column = below(3);
    TableOf<C> data = storeOf(table);
    EXPECT_EQ(bitsOf(groupByColumn(data, column)),
              bitsOf(referenceGroups(table, column)))
        << "seed " << seed;
    TableOf<C> again = storeOf(table);
    EXPECT_EQ(bitsOf(sideBySide(again)), bitsOf(referenceSideBySide(table)))
        << "seed " << seed;
  }
}

// A table whose line right after the first give-back step (the lines
// taken so far go back to the system every kLinesBetweenReleases lines) is
// wider than a page, behind narrow lines and a wide first line that leave
// it off the boundary of a 4 KiB and of a 64 KiB page; cell c of line l
// holds 1000 l + c.
constexpr std::size_t kStep = kLinesBetweenReleases;

std::size_t widthOf(std::size_t l) {
  return l == 0 ? 600 : l < kStep ? 10 : 700;
}

FileOf<C> steppedFile() {
  FileOf<C> file;
  std::vector<C> line;
  for (std::size_t l = 0; l < kStep + 3; ++l) {
    line.clear();
    for (std::size_t c = 0; c < widthOf(l); ++c) {
      line.push_back(C(static_cast<double>(1000 * l + c)));
    }
    file.push_back(line);
  }
  return file;
}

// The first line of `file` that does not start with the cells of the
// stepped file's line, each line holding `extra` cells after them; the
// number of lines when there is none.
std::size_t firstWrongLine(const FileOf<C>& file, std::size_t extra) {
  for (std::size_t l = 0; l < file.size(); ++l) {
    const auto line = file[l];
    bool right = line.size() == widthOf(l) + (l < 2 ? extra : 0);
    for (std::size_t c = 0; right && c < widthOf(l); ++c) {
      right = line[c].value() == static_cast<double>(1000 * l + c);
    }
    if (!right) return l;
  }
  return file.size();
}

// Giving back one line too many, or a page more than lies wholly below the
// next line, zeroes cells that are still to be taken.
TEST(GroupLinesTest, LinesPastTheGiveBackStepComeThroughWhole) {
  const MemorySystem systems[] = {memorySystem(), testing::largePageSystem()};
  for (const MemorySystem& system : systems) {
    testing::ScopedMemorySystem scoped(system);
    TableOf<C> sideways;
    sideways.push_back(steppedFile());
    sideways.emplace_back().push_back(std::vector<C>(2, C()));
    sideways.back().push_back(std::vector<C>(2, C()));
    const FileOf<C> joined = sideBySide(sideways);
    EXPECT_EQ(joined.size(), kStep + 3);
    EXPECT_EQ(firstWrongLine(joined, 2), joined.size()) << system.page;
    TableOf<C> keyed;
    keyed.push_back(steppedFile());
    const FileOf<C> grouped = groupByColumn(keyed, 0);
    EXPECT_EQ(grouped.size(), kStep + 3);
    EXPECT_EQ(firstWrongLine(grouped, 0), grouped.size()) << system.page;
  }
}

}  // namespace
}  // namespace tabsift

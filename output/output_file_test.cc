// Output files replaced only when complete: the temporary file's name and
// place, and what is left when the rename cannot be made. Output names
// checked before writing: which tables go to which name, two names for one
// file, and names of inputs that were not read in full. Replacing, links,
// permissions and signals are shown by the end-to-end cases.
#include "output/output_file.h"
#include "output/output_names.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tabsift {
namespace {

// A fresh directory for each test, removed with all it holds at the end.
class OutputFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tabsift_test_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string at(const std::string& name) const { return dir_ + "/" + name; }
  std::ptrdiff_t entries() const {
    return std::distance(std::filesystem::directory_iterator(dir_), {});
  }
  std::string dir_;
};
using SameFileTest = OutputFileTest;

TEST(OutputFilePathTest, PartsAndTemporaryPattern) {
  const struct {
    const char *path, *directory, *last, *pattern;
  } cases[] = {
      {"d.dat", ".", "d.dat", ".d.dat.tabsift-XXXXXX"},
      {"sub/d.dat", "sub", "d.dat", "sub/.d.dat.tabsift-XXXXXX"},
      {"/d.dat", "/", "d.dat", "/.d.dat.tabsift-XXXXXX"},
      {"../a/b.c", "../a", "b.c", "../a/.b.c.tabsift-XXXXXX"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(directoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(lastPart(c.path), c.last) << c.path;
    EXPECT_EQ(temporaryPattern(c.path), c.pattern) << c.path;
  }
  // A long name still fits one directory entry.
  const std::string pattern = temporaryPattern(std::string(255, 'n'));
  EXPECT_LE(pattern.size(), 255u);
  EXPECT_TRUE(pattern.ends_with(".tabsift-XXXXXX"));
}

// The temporary file goes when the file is dropped uncommitted (as when an
// exception leaves the writing early) and when the rename fails.
TEST_F(OutputFileTest, UncommittedTemporaryFileIsRemoved) {
  std::ofstream(at("d.dat")) << "old\n";
  {
    OutputFile file(at("d.dat"));
    ASSERT_TRUE(file.replacing());
    ASSERT_EQ(::write(file.fd(), "half text", 9), 9);
  }
  EXPECT_EQ(entries(), 1);
  EXPECT_EQ(std::filesystem::file_size(at("d.dat")), 4u);
  OutputFile file(at("n.dat"));
  ASSERT_TRUE(file.replacing());
  // The name has become a directory in the meantime.
  ASSERT_EQ(::mkdir(at("n.dat").c_str(), 0755), 0);
  EXPECT_EQ(file.commit(), EISDIR);
  EXPECT_EQ(entries(), 2);
}

using Positions = std::vector<std::size_t>;

// Table i goes to output i when no positions were recorded; a table whose
// position has no name is unplaced. Inputs without data and tables gathered
// into the first are in the end-to-end table.
TEST(OutputNamesTest, RouteTables) {
  const TableRouting plain = routeTables({}, 2, 2);
  EXPECT_EQ(plain.perOutput, (std::vector<Positions>{{0}, {1}}));
  EXPECT_EQ(plain.unplaced, Positions{});
  const TableRouting unnamed = routeTables({0, 2}, 2, 2);
  EXPECT_EQ(unnamed.perOutput, (std::vector<Positions>{{0}, {}}));
  EXPECT_EQ(unnamed.unplaced, Positions{1});
}

TEST_F(SameFileTest, NamesOfOneFile) {
  using Pair = std::optional<std::pair<std::size_t, std::size_t>>;
  std::ofstream(at("x.dat")) << "1\n";
  ASSERT_EQ(::symlink("x.dat", at("l.dat").c_str()), 0);
  ASSERT_EQ(::link(at("x.dat").c_str(), at("h.dat").c_str()), 0);
  ASSERT_EQ(::symlink("new.dat", at("dangling").c_str()), 0);
  const std::string d = dir_ + "/";
  EXPECT_EQ(findSameFile({d + "l.dat", d + "x.dat"}), Pair({0, 1}));
  EXPECT_EQ(findSameFile({d + "h.dat", d + "x.dat"}), Pair({0, 1}));
  EXPECT_EQ(findSameFile({d + "new.dat", d + "dangling"}), Pair({0, 1}));
  EXPECT_EQ(findSameFile({d + "a/../new.dat", d + "new.dat"}), Pair({0, 1}));
  EXPECT_EQ(findSameFile({"", d + "x.dat", ""}), std::nullopt);
  EXPECT_EQ(findSameFile({d + "x.dat", d + "y.dat"}), std::nullopt);

  // An input not read in full is known under any name of its file.
  const IncompleteInputs incomplete({d + "y.dat", d + "l.dat"}, {1});
  EXPECT_EQ(incomplete.inputAt(d + "./x.dat"), "input file '" + d + "l.dat'");
  EXPECT_EQ(incomplete.inputAt(d + "y.dat"), std::nullopt);
  EXPECT_EQ(incomplete.inputAt("/dev/stdin"), std::nullopt);
  EXPECT_EQ(IncompleteInputs({}, {0}).inputAt("/dev/stdin"), "standard input");
}

}  // namespace
}  // namespace tabsift

// Output names checked before writing: which tables go to which name, two
// names for one file, and names of inputs that were not read in full.
#include "output/output_names.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using Positions = std::vector<std::size_t>;

struct RouteCase {
  const char* what;
  Positions fileInputs;
  std::size_t tables;
  std::size_t outputs;
  std::vector<Positions> perOutput;
  Positions unplaced;
};

TEST(OutputNamesTest, RouteTables) {
  const RouteCase cases[] = {
      {"one table per input", {0, 1}, 2, 2, {{0}, {1}}, {}},
      {"inputs without data", {1, 3}, 2, 4, {{}, {0}, {}, {1}}, {}},
      {"gathered into one table", {0}, 1, 3, {{0}, {}, {}}, {}},
      {"no positions recorded", {}, 2, 2, {{0}, {1}}, {}},
      {"a position without a name", {0, 2}, 2, 2, {{0}, {}}, {1}},
  };
  for (const RouteCase& c : cases) {
    const tabsift::TableRouting routing =
        tabsift::routeTables(c.fileInputs, c.tables, c.outputs);
    EXPECT_EQ(routing.perOutput, c.perOutput) << c.what;
    EXPECT_EQ(routing.unplaced, c.unplaced) << c.what;
  }
}

class SameFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tabsift_names_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    std::ofstream(dir_ + "/x.dat") << "1\n";
    ASSERT_EQ(::symlink("x.dat", (dir_ + "/l.dat").c_str()), 0);
    ASSERT_EQ(::symlink("new.dat", (dir_ + "/dangling").c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }
  std::string dir_;
};

TEST_F(SameFileTest, FindSameFile) {
  using Pair = std::optional<std::pair<std::size_t, std::size_t>>;
  const std::string d = dir_ + "/";
  EXPECT_EQ(tabsift::findSameFile({d + "x.dat", d + "y.dat", d + "./x.dat"}),
            Pair({0, 2}));
  EXPECT_EQ(tabsift::findSameFile({d + "l.dat", d + "x.dat"}), Pair({0, 1}));
  EXPECT_EQ(tabsift::findSameFile({d + "new.dat", d + "dangling"}),
            Pair({0, 1}));
  EXPECT_EQ(tabsift::findSameFile({d + "a/../new.dat", d + "new.dat"}),
            Pair({0, 1}));
  EXPECT_EQ(tabsift::findSameFile({"", d + "x.dat", ""}), std::nullopt);
  EXPECT_EQ(tabsift::findSameFile({d + "x.dat", d + "y.dat"}), std::nullopt);
}

TEST_F(SameFileTest, IncompleteInputsAreKnownUnderAnyName) {
  const std::string d = dir_ + "/";
  const tabsift::IncompleteInputs incomplete({d + "y.dat", d + "l.dat"}, {1});
  EXPECT_EQ(incomplete.inputAt(d + "./x.dat"),
            "input file '" + d + "l.dat'");
  EXPECT_EQ(incomplete.inputAt(d + "y.dat"), std::nullopt);
  EXPECT_EQ(incomplete.inputAt("/dev/stdin"), std::nullopt);
  const tabsift::IncompleteInputs standardInput({}, {0});
  EXPECT_EQ(standardInput.inputAt("/dev/stdin"), "standard input");
}

}  // namespace

// The store the reader fills, beyond what the output shows: which inputs gave
// data, which were cut short, the comment entry every input gets (a bare line
// end when it has no comment line) and each input's parameters.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "table/data_operations.h"
#include "table/diagnostics.h"

namespace {

using Strings = std::vector<std::string>;

TEST(ReaderTest, EveryInputKeepsItsPlace) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() /
                       ("tabsift_reader_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  // clang-format off
  const std::pair<std::string, std::string> files[] = {
      {"empty", ""}, {"blank", "\n  \n\t\r\n"},
      {"params", "# N = -0 x =\n# T = 300 K\n# run\tT\t=\t310\n# T = hot\n"},
      {"data", "  1 2\t3  \n\t# c\r\n4 #  x\n5 6 7 8"}, {"more", "9\n"}};
  // clang-format on
  std::string list;
  for (const auto& [name, text] : files) {
    std::ofstream(dir / name, std::ios::binary) << text;
    list += (dir / name).string() + ",";
  }
  const std::string missing = (dir / "missing").string();
  list += missing + "," + dir.string() + ",";
  DataOperations<int> store;
  tabsift::resetDiagnostics();
  testing::internal::CaptureStderr();
  store.parseFiles(list);
  tabsift::flushDiagnostics();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Invalid value detected in data file: 4\nInvalid value detected in "
            "data file: 4\n"
            "tabsift: cannot open input file '" +
                missing +
                "': No such file or directory\n"
                "tabsift: cannot open input file '" +
                dir.string() +
                "': Is a directory\n"
                "Invalid value of parameter x in data file: 3\n"
                "Invalid value of parameter T in data file: 3\n");
  tabsift::resetDiagnostics();
  fs::remove_all(dir);

  EXPECT_EQ(store.inputFiles.size(), 7u);
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{3, 4}));
  EXPECT_EQ(store.incompleteInputs, (std::vector<std::size_t>{5, 6}));
  EXPECT_EQ(store.commentLines,
            (std::vector<Strings>{{"\r\n"},
                                  {"\r\n"},
                                  {"# N = -0 x =", "# T = 300 K",
                                   "# run\tT\t=\t310", "# T = hot"},
                                  {"# c\r"},
                                  {"\r\n"},
                                  {"\r\n"},
                                  {"\r\n"}}));
  ASSERT_EQ(store.parameters.size(), 7u);
  EXPECT_EQ(store.parameters[2],
            (std::map<std::string, double>{{"N", 0.0}, {"T", 310.0}}));
  EXPECT_TRUE(std::signbit(store.parameters[2].at("N")));
  for (std::size_t i : {0, 1, 3, 4, 5, 6})
    EXPECT_TRUE(store.parameters[i].empty()) << i;

  ASSERT_EQ(store.data.size(), 2u);
  EXPECT_EQ(store.data[0].size(), 3u);
  EXPECT_EQ(store.data[1].size(), 1u);
}

}  // namespace

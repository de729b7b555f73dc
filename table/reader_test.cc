// Reading inputs into the store: files and standard input, comment lines,
// parameters, unusable inputs and the cells of the three cell types.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "table/data_operations.h"
#include "table/diagnostics.h"
#include "table/token.h"

namespace {

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tabsift_reader_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }

  // Writes `content` to a file in the test directory; returns its path.
  std::string file(const std::string& name, const std::string& content) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  std::string dir_;
};

// The cells of a file as text: present values as numbers, absent as "--".
template <typename T>
std::vector<std::string> rows(const typename DataOperations<T>::File& file) {
  std::vector<std::string> out;
  for (const auto& line : file) {
    std::string text;
    for (const auto& cell : line) {
      if (!text.empty()) text += ' ';
      text += cell.present() ? std::to_string(cell.value()) : "--";
    }
    out.push_back(text);
  }
  return out;
}

using Strings = std::vector<std::string>;

TEST_F(ReaderTest, DataCommentsAndBlankLines) {
  std::string a = file("a.dat",
                       "# first = 1\n"
                       "  1 2\t3  \n"
                       "\n \t \r\n"
                       "\t# second\r\n"
                       "4 #  x\n"
                       "5 6 7 8");
  DataOperations<int> store;
  testing::internal::CaptureStderr();
  store.parseFiles(a);
  EXPECT_EQ((tabsift::flushDiagnostics(), testing::internal::GetCapturedStderr()),
            "Invalid value detected in data file: 1\n"
            "Invalid value detected in data file: 1\n");
  ASSERT_EQ(store.data.size(), 1u);
  EXPECT_EQ(rows<int>(store.data[0]),
            (Strings{"1 2 3 --", "4 -- -- --", "5 6 7 8"}));
  EXPECT_EQ(store.data[0][1][1].value(), 0);  // an absent cell holds 0
  EXPECT_EQ(store.commentLines, (std::vector<Strings>{{"# first = 1", "# second\r"}}));
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{0}));
  EXPECT_EQ(store.inputFiles, Strings{a});
  ASSERT_EQ(store.parameters.size(), 1u);
  EXPECT_EQ(store.parameters[0].at("first"), 1.0);
}

TEST_F(ReaderTest, CrLfParameterLines) {
  DataOperations<double> crlf;
  crlf.parseFiles(file("crlf.dat", "# N = 0\r\n1.5 -2\r\n3 4e1\r\n"));
  EXPECT_EQ(crlf.commentLines[0], Strings{"# N = 0\r"});
  EXPECT_EQ(crlf.parameters[0].at("N"), 0.0);
}

TEST_F(ReaderTest, InputsWithoutDataKeepTheirPlaces) {
  std::string empty = file("empty.dat", "");
  std::string blank = file("blank.dat", "\n  \n\t\r\n");
  std::string comments = file("comments.dat", "# only = 2\n");
  std::string data = file("data.dat", "7\n");
  DataOperations<double> store;
  store.parseFiles(empty + "," + blank + "," + comments + "," + data + ",");
  EXPECT_EQ(store.inputFiles.size(), 4u);
  ASSERT_EQ(store.data.size(), 1u);
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{3}));
  EXPECT_EQ(store.commentLines,
            (std::vector<Strings>{{"\r\n"}, {"\r\n"}, {"# only = 2"}, {"\r\n"}}));
  ASSERT_EQ(store.parameters.size(), 4u);
  EXPECT_EQ(store.parameters[2].at("only"), 2.0);
  EXPECT_TRUE(store.parameters[3].empty());
}

TEST_F(ReaderTest, UnusableInputsAreReportedInOrder) {
  std::string a = file("a.dat", "1 x\n");
  std::string b = file("b.dat", "y 2\n3 4\n");
  std::string missing = dir_ + "/missing.dat";
  DataOperations<double> store;
  testing::internal::CaptureStderr();
  store.parseFiles(a + "," + missing + ",," + dir_ + "," + b);
  EXPECT_EQ((tabsift::flushDiagnostics(), testing::internal::GetCapturedStderr()),
            "Invalid value detected in data file: 1\n"
            "tabsift: cannot open input file '" + missing +
                "': No such file or directory\n"
            "tabsift: cannot open input file '': No such file or directory\n"
            "tabsift: cannot open input file '" + dir_ +
                "': Is a directory\n"
            "Invalid value detected in data file: 5\n");
  EXPECT_TRUE(tabsift::failureSeen());
  EXPECT_EQ(store.inputFiles.size(), 5u);
  EXPECT_EQ(store.commentLines.size(), 5u);
  EXPECT_EQ(store.parameters.size(), 5u);
  ASSERT_EQ(store.data.size(), 2u);
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{0, 4}));
  EXPECT_EQ(rows<double>(store.data[1]),
            (Strings{"-- 2.000000", "3.000000 4.000000"}));
}

TEST_F(ReaderTest, ManyMessagesStayInOrder) {
  std::string words;
  for (int i = 0; i < 20000; ++i) words += "x ";
  std::string a = file("a.dat", words + "\n");
  std::string b = file("b.dat", "y\n");
  DataOperations<float> store;
  testing::internal::CaptureStderr();
  store.parseFiles(a + ",," + b);
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    expected += "Invalid value detected in data file: 1\n";
  }
  expected += "tabsift: cannot open input file '': No such file or directory\n";
  expected += "Invalid value detected in data file: 3\n";
  EXPECT_EQ((tabsift::flushDiagnostics(), testing::internal::GetCapturedStderr()), expected);
}

// Every cell the reader makes equals the token's own conversion, however
// the tokens are separated and whatever follows the number in them.
template <typename T>
void expectCellsMatchTokens(const std::string& path,
                            const std::vector<std::vector<std::string>>& tokens) {
  DataOperations<T> store;
  testing::internal::CaptureStderr();
  store.parseFiles(path);
  (tabsift::flushDiagnostics(), testing::internal::GetCapturedStderr());
  ASSERT_EQ(store.data.size(), 1u);
  ASSERT_EQ(store.data[0].size(), tokens.size());
  for (std::size_t l = 0; l < tokens.size(); ++l) {
    for (std::size_t c = 0; c < tokens[l].size(); ++c) {
      SCOPED_TRACE("token \"" + tokens[l][c] + "\"");
      const auto& cell = store.data[0][l][c];
      std::optional<T> expected = tabsift::tokenToCell<T>(tokens[l][c]);
      ASSERT_EQ(cell.present(), expected.has_value());
      if (expected && !std::isnan(*expected)) {
        EXPECT_EQ(cell.value(), *expected);
      }
    }
  }
}

TEST_F(ReaderTest, CellsMatchTheTokenConversion) {
  const std::vector<std::string> pieces = {
      "1", "-2.5", "1e5", "1e", "1e+", "7E-3x", "0x1p3", ".5", "5.", "-0",
      "12abc", "3,5", "+4", "\v6", "inf", "-nan", "x", "#", "-", ".", "e5",
      "123456789012345678901", "1e400", "4e9", "0.000001", "99e-30"};
  const std::vector<std::string> gaps = {" ", "\t", "  ", " \t\r "};
  std::mt19937 rng(3);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  std::vector<std::vector<std::string>> tokens(300);
  std::string text;
  for (auto& line : tokens) {
    if (pick(2)) text += gaps[pick(gaps.size())];
    for (std::size_t c = 0; c < 12; ++c) {
      line.push_back(pieces[pick(pieces.size())]);
      if (c == 0 && line.back() == "#") line.back() = "1";  // not a comment
      text += line.back() + gaps[pick(gaps.size())];
    }
    text += pick(2) ? "\n" : "\r\n";
  }
  std::string path = file("t.dat", text);
  expectCellsMatchTokens<double>(path, tokens);
  expectCellsMatchTokens<float>(path, tokens);
  expectCellsMatchTokens<int>(path, tokens);
}

TEST_F(ReaderTest, ParameterMessagesNameInputAndParameter) {
  std::string a = file("a.dat", "# N = -0 x =\n# a == 1\n");
  std::string b = file("b.dat", "# T = 300 K\n# T = 310\n# T = hot\n");
  DataOperations<double> store;
  testing::internal::CaptureStderr();
  store.parseFiles(a + "," + b);
  EXPECT_EQ((tabsift::flushDiagnostics(), testing::internal::GetCapturedStderr()),
            "Invalid value of parameter x in data file: 1\n"
            "Invalid value of parameter a in data file: 1\n"
            "Invalid value of parameter T in data file: 2\n");
  EXPECT_TRUE(std::signbit(store.parameters[0].at("N")));
  EXPECT_EQ(store.parameters[0].at(""), 1.0);
  EXPECT_EQ(store.parameters[0].size(), 2u);
  EXPECT_EQ(store.parameters[1].at("T"), 310.0);
}

TEST_F(ReaderTest, StandardInputWithoutParameters) {
  std::string in = file("in.dat", "# p = 1\n1 2\n");
  int saved = ::dup(STDIN_FILENO);
  int fd = ::open(in.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ::dup2(fd, STDIN_FILENO);
  ::close(fd);
  DataOperations<float> store;
  store.load();
  ::dup2(saved, STDIN_FILENO);
  ::close(saved);
  EXPECT_TRUE(store.inputFiles.empty());
  EXPECT_EQ(rows<float>(store.data[0]), (Strings{"1.000000 2.000000"}));
  EXPECT_EQ(store.commentLines, (std::vector<Strings>{{"# p = 1"}}));
  EXPECT_TRUE(store.parameters.empty());
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{0}));
}

TEST_F(ReaderTest, UnreadableStandardInputIsReported) {
  int saved = ::dup(STDIN_FILENO);
  int fd = ::open(dir_.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ::dup2(fd, STDIN_FILENO);
  ::close(fd);
  DataOperations<int> store;
  testing::internal::CaptureStderr();
  store.load();
  std::string err = (tabsift::flushDiagnostics(), testing::internal::GetCapturedStderr());
  ::dup2(saved, STDIN_FILENO);
  ::close(saved);
  EXPECT_EQ(err, "tabsift: cannot read standard input: Is a directory\n");
  EXPECT_TRUE(tabsift::failureSeen());
  EXPECT_TRUE(store.data.empty());
  EXPECT_EQ(store.commentLines, (std::vector<Strings>{{"\r\n"}}));
}

TEST_F(ReaderTest, LargeAndHostileInput) {
  std::string many;
  for (int i = 0; i < 200000; ++i) many += std::to_string(i) + "\n";
  std::string wide;
  for (int i = 0; i < 100000; ++i) wide += "1.5 ";
  std::string hostile = wide + "\n" +
                        std::string("2\0" "3 \x01\xff 4", 9) + "\n" +
                        "5\r6\r7";  // CR alone ends no line, it separates tokens
  DataOperations<double> store;
  testing::internal::CaptureStderr();
  store.parseFiles(file("many.dat", many) + "," + file("hostile.dat", hostile));
  EXPECT_EQ((tabsift::flushDiagnostics(), testing::internal::GetCapturedStderr()),
            "Invalid value detected in data file: 2\n");
  ASSERT_EQ(store.data.size(), 2u);
  const auto& lines = store.data[0];
  ASSERT_EQ(lines.size(), 200000u);
  for (std::size_t i = 0; i < lines.size(); i += 999) {
    ASSERT_EQ(lines[i].size(), 1u);
    EXPECT_EQ(lines[i][0].value(), static_cast<double>(i));
  }
  EXPECT_EQ(lines.back()[0].value(), 199999.0);
  const auto& odd = store.data[1];
  ASSERT_EQ(odd.size(), 3u);
  EXPECT_EQ(odd[0].size(), 100000u);
  EXPECT_EQ(odd[0][99999].value(), 1.5);
  EXPECT_EQ(odd[1][0].value(), 2.0);
  EXPECT_FALSE(odd[1][1].present());
  EXPECT_EQ(odd[1][2].value(), 4.0);
  EXPECT_EQ(odd[2][0].value(), 5.0);
  EXPECT_EQ(odd[2][2].value(), 7.0);
  EXPECT_FALSE(odd[2][3].present());
}

}  // namespace

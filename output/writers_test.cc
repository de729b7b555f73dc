#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "table/data_operations.h"
#include "table/diagnostics.h"

namespace {

namespace fs = std::filesystem;
using Store = DataOperations<double>;
using V = Store::Value;

const char kDate[] = "#Thu Jan  1 00:00:00 1970\n\n";

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs `body` with file descriptor 1 sent into a file; returns what was
// written there.
template <typename F>
std::string captureStdout(const fs::path& dir, F body) {
  const fs::path path = dir / "stdout.txt";
  std::cout.flush();
  std::fflush(stdout);
  const int saved = ::dup(STDOUT_FILENO);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::dup2(fd, STDOUT_FILENO);
  ::close(fd);
  body();
  std::cout.flush();
  std::fflush(stdout);
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  return readFile(path);
}

class Writers : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SOURCE_DATE_EPOCH", "0", 1);
    dir_ = fs::temp_directory_path() /
           ("tabsift-writers-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Two inputs: the first with two comment lines and the lines "1 2" and
  // "3 --", the second without comments and the line "5 6 7".
  void fillTwoInputs(Store& s) {
    s.inputFiles = {"a.dat", "b.dat"};
    s.command = "tabsift -i a.dat,b.dat ";
    s.commentLines = {{"# first", "# T = 3\r"}, {"\r\n"}};
    s.data = {{{V(1), V(2)}, {V(3), V()}}, {{V(5), V(6), V(7)}}};
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(Writers, StandardOutputLayout) {
  Store s;
  fillTwoInputs(s);
  const std::string out = captureStdout(dir_, [&] { s.printOut(); });
  EXPECT_EQ(out, std::string("#tabsift -i a.dat,b.dat \n") + kDate +
                     "1 2 \n3 -- \n\n5 6 7 \n\n");
}

TEST_F(Writers, CommentModesPlaceEachBlockBeforeItsTable) {
  Store s;
  fillTwoInputs(s);
  s.commentMode = 2;
  s.outputFiles = {path("o.txt")};
  s.mergeFlag = true;
  s.printOut();
  EXPECT_EQ(readFile(path("o.txt")),
            std::string("#tabsift -i a.dat,b.dat \n") + kDate +
                "# Data from files: a.dat, b.dat \n# first\n# T = 3\r\n"
                "1 2 \n3 -- \n\n\r\n\n5 6 7 \n\n");
}

TEST_F(Writers, FewerTablesThanInputsPutAllBlocksFirst) {
  Store s;
  fillTwoInputs(s);
  s.data.erase(s.data.begin());
  s.commentMode = 1;
  const std::string out = captureStdout(dir_, [&] { s.printToStd(); });
  EXPECT_EQ(out, std::string("#tabsift -i a.dat,b.dat \n") + kDate +
                     "# first\n\r\n\n5 6 7 \n\n");
}

TEST_F(Writers, JoinedLayoutHasOneBlockAndNoEmptyLines) {
  Store s;
  fillTwoInputs(s);
  s.joinFlag = true;
  s.commentMode = 1;
  s.tabFlag = true;
  s.blankText = "NA";
  s.outputFiles = {path("o.txt")};
  s.printOut();
  EXPECT_EQ(readFile(path("o.txt")),
            std::string("#tabsift -i a.dat,b.dat \n") + kDate +
                "# first\n\r\n\n1\t2\t\n3\tNA\t\n5\t6\t7\t\n");
}

TEST_F(Writers, MergedInputsGoIntoOneFileWithoutAsking) {
  Store s;
  fillTwoInputs(s);
  s.commentMode = -1;
  s.mergeFlag = true;
  s.outputFiles = {path("o.txt")};
  std::istringstream noAnswers("0\n");
  std::streambuf* oldIn = std::cin.rdbuf(noAnswers.rdbuf());
  s.printOut();
  std::cin.rdbuf(oldIn);
  EXPECT_EQ(readFile(path("o.txt")), "1 2 \n3 -- \n\n5 6 7 \n\n");
}

TEST_F(Writers, OneFilePerTable) {
  Store s;
  fillTwoInputs(s);
  s.commentMode = 1;
  s.outputFiles = {path("x.txt"), path("y.txt")};
  s.printOut();
  EXPECT_EQ(readFile(path("x.txt")),
            std::string("#tabsift -i a.dat,b.dat \n") + kDate +
                "# first\n1 2 \n3 -- \n");
  EXPECT_EQ(readFile(path("y.txt")), "\r\n\n5 6 7 \n");
}

TEST_F(Writers, OneFilePerTableLeavesNamesWithoutTableAlone) {
  Store s;
  fillTwoInputs(s);
  s.data.pop_back();
  s.joinFlag = true;  // no comments at all in this layout
  s.outputFiles = {path("x.txt"), path("y.txt")};
  s.printToFiles();
  EXPECT_EQ(readFile(path("x.txt")), "1 2 \n3 -- \n");
  EXPECT_FALSE(fs::exists(path("y.txt")));
}

TEST_F(Writers, NoTableStillTruncatesTheSingleFile) {
  Store s;
  s.inputFiles = {"a.dat"};
  s.commentLines = {{"\r\n"}};
  s.outputFiles = {path("o.txt")};
  std::ofstream(path("o.txt")) << "old text";
  s.printOut();
  EXPECT_EQ(readFile(path("o.txt")), "");
}

TEST_F(Writers, NumberFormatsOfTheCellTypes) {
  Store d;
  d.commentMode = -1;
  d.precision = 3;
  d.data = {{{V(1), V(2.5), V(100), V(1234.5), V(0.0001234)}}};
  d.outputFiles = {path("d.txt")};
  d.printToFile();
  EXPECT_EQ(readFile(path("d.txt")), "1.00 2.50 100. 1.23e+03 0.000123 \n\n");

  DataOperations<float> f;
  f.commentMode = -1;
  f.precision = 10;
  f.data = {{{DataOperations<float>::Value(0.1f)}}};
  f.outputFiles = {path("f.txt")};
  f.printToFile();
  EXPECT_EQ(readFile(path("f.txt")), "0.1000000015 \n\n");

  DataOperations<int> i;
  i.commentMode = -1;
  i.precision = 5;
  i.blankText = "";
  i.data = {{{DataOperations<int>::Value(-42), DataOperations<int>::Value()}}};
  i.outputFiles = {path("i.txt")};
  i.printToFile();
  EXPECT_EQ(readFile(path("i.txt")), "-42  \n\n");
}

TEST_F(Writers, HugePrecisionWritesEveryZero) {
  Store s;
  s.commentMode = -1;
  s.precision = 100000;
  s.data = {{{V(0.5), V(-3e-300)}}};
  s.outputFiles = {path("o.txt")};
  s.printToFile();
  std::string expected(300000, '\0');
  int n = std::snprintf(expected.data(), expected.size(), "%#.*g %#.*g \n\n",
                        100000, 0.5, 100000, -3e-300);
  expected.resize(static_cast<std::size_t>(n));
  EXPECT_EQ(readFile(path("o.txt")), expected);
}

TEST_F(Writers, SetOutputFilesSplitsTheList) {
  Store s;
  s.setOutputFiles("a, b,,c,");
  EXPECT_EQ(s.outputFiles, (std::vector<std::string>{"a", " b", "", "c"}));
}

TEST_F(Writers, UnwritableFilesAreReportedAndTheOthersWritten) {
  Store s;
  fillTwoInputs(s);
  s.commentMode = -1;
  s.outputFiles = {path("missing/x.txt"), path("y.txt")};
  ::testing::internal::CaptureStderr();
  s.printOut();
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "tabsift: cannot write output file '" + path("missing/x.txt") +
                     "': No such file or directory\n");
  EXPECT_TRUE(tabsift::failureSeen());
  EXPECT_EQ(readFile(path("y.txt")), "5 6 7 \n");
}

TEST_F(Writers, FullDeviceIsReported) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Store s;
  fillTwoInputs(s);
  s.inputFiles = {"a.dat"};
  s.outputFiles = {"/dev/full"};
  ::testing::internal::CaptureStderr();
  s.printOut();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "tabsift: cannot write output file '/dev/full': No space left on "
            "device\n");
}

TEST_F(Writers, FailedStandardOutputIsReported) {
  const int full = ::open("/dev/full", O_WRONLY);
  if (full < 0) GTEST_SKIP() << "no /dev/full";
  Store s;
  fillTwoInputs(s);
  std::cout.flush();
  std::fflush(stdout);
  const int saved = ::dup(STDOUT_FILENO);
  ::dup2(full, STDOUT_FILENO);
  ::close(full);
  ::testing::internal::CaptureStderr();
  s.printOut();
  const std::string err = ::testing::internal::GetCapturedStderr();
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  EXPECT_EQ(err, "tabsift: cannot write standard output: No space left on device\n");
  EXPECT_TRUE(tabsift::failureSeen());
}

// The prompt, answered through std::cin; its text goes to std::cout.
class Prompt : public Writers {
 protected:
  std::string run(Store& s, const std::string& answers, std::string* err) {
    std::istringstream in(answers);
    std::ostringstream prompt;
    std::streambuf* oldIn = std::cin.rdbuf(in.rdbuf());
    std::string tables;
    ::testing::internal::CaptureStderr();
    tables = captureStdout(dir_, [&] {
      std::streambuf* oldOut = std::cout.rdbuf(prompt.rdbuf());
      s.printOut();
      std::cout.rdbuf(oldOut);
    });
    *err = ::testing::internal::GetCapturedStderr();
    std::cin.rdbuf(oldIn);
    std::cin.clear();
    return prompt.str() + "|" + tables;
  }
};

const char kPromptText[] =
    "\nWARNING!!!Output and input file lists doesnt match to any standard "
    "pattern \nYou have three options:\n1. Print all to standard output.\n2. "
    "Print all to first file on the output file list.\n\n0. Exit without "
    "saving.\n(select 1, 2 or 0): ";

TEST_F(Prompt, AnswerTwoWritesTheFirstFileAfterAskingAgain) {
  Store s;
  fillTwoInputs(s);
  s.commentMode = -1;
  s.outputFiles = {path("o.txt")};
  std::string err;
  EXPECT_EQ(run(s, "5\nfoo bar\n2\n", &err),
            std::string(kPromptText) + kPromptText + kPromptText + "|");
  EXPECT_EQ(err, "");
  EXPECT_EQ(readFile(path("o.txt")), "1 2 \n3 -- \n\n5 6 7 \n\n");
}

TEST_F(Prompt, EndOfInputBeforeAnyAnswerMeansStandardOutput) {
  Store s;
  fillTwoInputs(s);
  s.commentMode = -1;
  s.outputFiles = {path("o.txt")};
  std::string err;
  EXPECT_EQ(run(s, "", &err),
            std::string(kPromptText) + "|1 2 \n3 -- \n\n5 6 7 \n\n");
  EXPECT_FALSE(fs::exists(path("o.txt")));
}

TEST_F(Prompt, DataFromStandardInputAnswersAtOnce) {
  Store s;
  s.commentMode = -1;
  s.commentLines = {{"\r\n"}};
  s.data = {{{V(1)}}};
  s.outputFiles = {path("o.txt")};
  std::string err;
  EXPECT_EQ(run(s, "2\n", &err), std::string(kPromptText) + "|1 \n\n");
  EXPECT_FALSE(fs::exists(path("o.txt")));
}

TEST_F(Prompt, AnswerZeroWritesNothing) {
  Store s;
  fillTwoInputs(s);
  s.outputFiles = {path("o.txt"), path("p.txt"), path("q.txt")};
  std::string err;
  EXPECT_EQ(run(s, "0\n", &err), std::string(kPromptText) + "|");
  EXPECT_FALSE(fs::exists(path("o.txt")));
}

TEST_F(Prompt, EndOfInputAfterAWrongAnswerWritesNothingAndFails) {
  Store s;
  fillTwoInputs(s);
  s.outputFiles = {path("o.txt")};
  std::string err;
  EXPECT_EQ(run(s, "7\n", &err), std::string(kPromptText) + kPromptText + "|");
  EXPECT_NE(err.find("nothing written"), std::string::npos);
  EXPECT_TRUE(tabsift::failureSeen());
  EXPECT_FALSE(fs::exists(path("o.txt")));
}

}  // namespace

// Replacing files (the temporary file), names of one file, inputs not read
// in full, and the block sink.
#include "output/output_file.h"
#include "output/output_names.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "output/block_sink.h"
#include "output/output_prompt.h"

namespace tabsift {
namespace {

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
    const char *path, *directory, *pattern;
  } cases[] = {{"d.dat", ".", ".d.dat.tabsift-XXXXXX"},
               {"sub/d.dat", "sub", "sub/.d.dat.tabsift-XXXXXX"},
               {"/d.dat", "/", "/.d.dat.tabsift-XXXXXX"},
               {"../a/b.c", "../a", "../a/.b.c.tabsift-XXXXXX"}};
  for (const auto& c : cases) {
    EXPECT_EQ(directoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(temporaryPattern(c.path), c.pattern) << c.path;
  }
  // A long name still fits one directory entry.
  const std::string pattern = temporaryPattern(std::string(255, 'n'));
  EXPECT_LE(pattern.size(), 255u);
  EXPECT_TRUE(pattern.ends_with(".tabsift-XXXXXX"));
}

// The temporary file goes when dropped uncommitted or the rename fails.
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
  ASSERT_EQ(::mkdir(at("n.dat").c_str(), 0755), 0);
  EXPECT_EQ(file.commit(), EISDIR);
  EXPECT_EQ(entries(), 2);
}

using Positions = std::vector<std::size_t>;

// Table i goes to output i when no positions were recorded; a table whose
// position has no name is unplaced.
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
  ASSERT_EQ(::mkfifo(at("f").c_str(), 0600), 0);
  EXPECT_EQ(findSameFile({"/dev/null", d + "f", "/dev/null", d + "f"}),
            std::nullopt);
  EXPECT_EQ(findSameFile({"/dev/null", d + "x.dat", d + "l.dat"}),
            Pair({1, 2}));

  // An input not read in full is known under any name of its file.
  const IncompleteInputs incomplete({d + "y.dat", d + "l.dat"}, {1});
  EXPECT_EQ(incomplete.inputAt(d + "./x.dat"), "input file '" + d + "l.dat'");
  EXPECT_EQ(incomplete.inputAt(d + "y.dat"), std::nullopt);
  EXPECT_EQ(incomplete.inputAt("/dev/stdin"), std::nullopt);
  EXPECT_EQ(IncompleteInputs({}, {0}).inputAt("/dev/stdin"), "standard input");
}

// A terminal may still hold text after the table it gave: no answer.
TEST(OutputPrompt, InputUsedUpByTheTableMeansStandardOutput) {
  std::istringstream in("2\n");
  std::ostringstream out;
  EXPECT_EQ(askOutputChoice(in, out, /*inputUsedUp=*/true),
            OutputChoice::kStandardOutput);
}

// An answer is an integer alone on its line; every other line is dropped
// and the question asked again.
TEST(OutputPrompt, AnswersAreWholeLines) {
  using enum OutputChoice;
  const struct {
    const char* input;
    OutputChoice choice;
    std::size_t questions;
  } cases[] = {
      {"1\n", kStandardOutput, 1},
      {" \t2 \r\n", kFirstFile, 1},
      {"0", kNothing, 1},
      {"+002\n", kFirstFile, 1},
      {"-0\n", kNothing, 1},
      {"0.9\n2.5\n1x\n1 2\n- 1\n\n2\n", kFirstFile, 7},
      {"3\n-1\n99999999999999999999\n", kNoValidAnswer, 4},
      {"3\n0.9\n", kNoValidAnswer, 3},
      {"10\n12\n1\n", kStandardOutput, 3},
      {"0.9\n", kStandardOutput, 2},
      {"", kStandardOutput, 1},
  };
  const std::string question = kOutputPrompt;
  for (const auto& c : cases) {
    std::istringstream in(c.input);
    std::ostringstream out;
    EXPECT_EQ(askOutputChoice(in, out, false), c.choice) << c.input;
    EXPECT_EQ(out.str().size(), question.size() * c.questions) << c.input;
  }
}

// Every kind of text stays in order across many small blocks.
TEST(BlockSink, StreamTextAndDirectTextStayInOrder) {
  std::FILE* file = std::tmpfile();
  std::string expected;
  {
    BlockSink sink(fileno(file), 64);  // small, so blocks fill often
    std::ostream stream(&sink);
    for (std::size_t i = 0; i < 200; ++i) {
      stream << "#line " << i << '\n';
      char* out = sink.reserve(8);
      std::memcpy(out, "cells ", 6);
      sink.commit(out + 6);
      sink.append(std::string(i % 90, 'x'));
      sink.appendFill('0', i);
      expected += "#line " + std::to_string(i) + "\ncells " +
                  std::string(i % 90, 'x') + std::string(i, '0');
    }
    sink.append(std::string(1000, 'y'));  // larger than the whole buffer
    stream << "rest";                     // left for the destructor
    expected += std::string(1000, 'y') + "rest";
  }
  std::string text(expected.size() + 1, '\0');
  std::rewind(file);
  text.resize(std::fread(text.data(), 1, text.size(), file));
  EXPECT_EQ(text, expected);
  std::fclose(file);
}

}  // namespace
}  // namespace tabsift

// Output files replaced only when complete: the temporary file's name and
// place, and what is left when the rename cannot be made.
#include "output/output_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using tabsift::OutputFile;

struct PathCase {
  const char* path;
  const char* directory;
  const char* last;
  const char* pattern;
};

TEST(OutputFilePathTest, PartsAndTemporaryPattern) {
  const PathCase cases[] = {
      {"d.dat", ".", "d.dat", ".d.dat.tabsift-XXXXXX"},
      {"sub/d.dat", "sub", "d.dat", "sub/.d.dat.tabsift-XXXXXX"},
      {"/d.dat", "/", "d.dat", "/.d.dat.tabsift-XXXXXX"},
      {"../a/b.c", "../a", "b.c", "../a/.b.c.tabsift-XXXXXX"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(tabsift::directoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(tabsift::lastPart(c.path), c.last) << c.path;
    EXPECT_EQ(tabsift::temporaryPattern(c.path), c.pattern) << c.path;
  }
}

TEST(OutputFilePathTest, LongNameStillFitsOneDirectoryEntry) {
  const std::string pattern = tabsift::temporaryPattern(std::string(255, 'n'));
  EXPECT_LE(pattern.size(), 255u);
  EXPECT_EQ(pattern.substr(pattern.size() - 15), ".tabsift-XXXXXX");
}

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tabsift_output_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }
  std::string read(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
  // The names in the test directory, in one line.
  std::string listing() {
    const std::string command = "ls -A '" + dir_ + "' | tr '\\n' ' '";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
      char buffer[256];
      while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
      ::pclose(pipe);
    }
    return text;
  }
  void write(const OutputFile& file, const std::string& text) {
    ASSERT_EQ(::write(file.fd(), text.data(), text.size()),
              static_cast<ssize_t>(text.size()));
  }
  std::string dir_;
};

TEST_F(OutputFileTest, OldFileStaysUntilCommit) {
  const std::string path = dir_ + "/d.dat";
  std::ofstream(path) << "old\n";
  {
    OutputFile file(path);
    ASSERT_TRUE(file.valid());
    EXPECT_TRUE(file.replacing());
    write(file, "new\n");
    EXPECT_EQ(read(path), "old\n");
    EXPECT_EQ(file.commit(), 0);
  }
  EXPECT_EQ(read(path), "new\n");
  EXPECT_EQ(listing(), "d.dat ");
}

TEST_F(OutputFileTest, FailedRenameRemovesTheTemporaryFile) {
  const std::string path = dir_ + "/d.dat";
  OutputFile file(path);
  ASSERT_TRUE(file.valid());
  write(file, "new\n");
  // The name has become a directory in the meantime.
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  EXPECT_EQ(file.commit(), EISDIR);
  EXPECT_EQ(listing(), "d.dat ");
}

TEST_F(OutputFileTest, UncommittedFileIsRemovedWhenDropped) {
  const std::string path = dir_ + "/d.dat";
  std::ofstream(path) << "old\n";
  {
    OutputFile file(path);
    write(file, "half");
  }
  EXPECT_EQ(read(path), "old\n");
  EXPECT_EQ(listing(), "d.dat ");
}

}  // namespace

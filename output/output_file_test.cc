// Output files replaced only when complete: the temporary file's name and
// place, and what is left when the rename cannot be made. Replacing, links,
// permissions and signals are shown by the end-to-end cases.
#include "output/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "tests/temp_dir.h"

namespace tabsift {
namespace {

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
  EXPECT_EQ(pattern.substr(pattern.size() - 15), ".tabsift-XXXXXX");
}

using OutputFileTest = TempDirTest;

TEST_F(OutputFileTest, FailedRenameRemovesTheTemporaryFile) {
  OutputFile file(at("d.dat"));
  ASSERT_TRUE(file.replacing());
  ASSERT_EQ(::write(file.fd(), "new\n", 4), 4);
  // The name has become a directory in the meantime.
  ASSERT_EQ(::mkdir(at("d.dat").c_str(), 0755), 0);
  EXPECT_EQ(file.commit(), EISDIR);
  EXPECT_EQ(entries(), 1);
}

// As when an exception leaves the writing early.
TEST_F(OutputFileTest, UncommittedFileIsRemovedWhenDropped) {
  std::ofstream(at("d.dat")) << "old\n";
  {
    OutputFile file(at("d.dat"));
    ASSERT_TRUE(file.replacing());
    ASSERT_EQ(::write(file.fd(), "half", 4), 4);
  }
  EXPECT_EQ(entries(), 1);
  std::ifstream old(at("d.dat"));
  std::string text;
  EXPECT_TRUE(std::getline(old, text) && text == "old");
}

}  // namespace
}  // namespace tabsift

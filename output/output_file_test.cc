// Output files replaced only when complete: the temporary file's name and
// place, and what is left when the rename cannot be made. Replacing, links,
// permissions and signals are shown by the end-to-end cases.
#include "output/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
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
  EXPECT_TRUE(pattern.ends_with(".tabsift-XXXXXX"));
}

using OutputFileTest = TempDirTest;

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

}  // namespace
}  // namespace tabsift

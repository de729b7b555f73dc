// A fresh directory under /tmp for each test of a fixture, removed with all
// it holds when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstddef>
#include <filesystem>
#include <iterator>
#include <string>

namespace tabsift {

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tabsift_test_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // The path of `name` in the directory.
  std::string at(const std::string& name) const { return dir_ + "/" + name; }
  // How many names the directory holds.
  std::ptrdiff_t entries() const {
    return std::distance(std::filesystem::directory_iterator(dir_), {});
  }

  std::string dir_;
};

}  // namespace tabsift

// A fresh directory under /tmp for each test of a fixture, removed with all
// it holds when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <set>
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
  // The names in the directory, sorted, each followed by a blank.
  std::string listing() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
      names.insert(entry.path().filename().string());
    }
    std::string text;
    for (const std::string& name : names) text += name + " ";
    return text;
  }

  std::string dir_;
};

}  // namespace tabsift

#include "output/block_sink.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

namespace {

using tabsift::BlockSink;

// Everything written into a file.
std::string contents(int fd) {
  std::string text(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)), '\0');
  EXPECT_EQ(::pread(fd, text.data(), text.size(), 0), ssize_t(text.size()));
  return text;
}

TEST(BlockSink, StreamTextAndDirectTextStayInOrder) {
  std::FILE* file = std::tmpfile();
  std::string expected;
  {
    BlockSink sink(fileno(file), 64);  // small, so blocks fill often
    std::ostream stream(&sink);
    for (int i = 0; i < 200; ++i) {
      stream << "#line " << i << '\n';
      char* out = sink.reserve(8);
      std::memcpy(out, "cells ", 6);
      sink.commit(out + 6);
      sink.append(std::string(i % 90, 'x'));
      sink.appendFill('0', static_cast<std::size_t>(i));
      expected += "#line " + std::to_string(i) + "\ncells " +
                  std::string(i % 90, 'x') +
                  std::string(static_cast<std::size_t>(i), '0');
    }
    EXPECT_TRUE(sink.flush());
    sink.append(std::string(1000, 'y'));  // larger than the whole buffer
    expected += std::string(1000, 'y');
  }  // the destructor writes the rest
  EXPECT_EQ(contents(fileno(file)), expected);
  std::fclose(file);
}

}  // namespace

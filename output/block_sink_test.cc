#include "output/block_sink.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

namespace {

using tabsift::BlockSink;

// An unnamed temporary file to write into and read back.
class TempFile {
 public:
  TempFile() : file_(std::tmpfile()) {}
  ~TempFile() { std::fclose(file_); }
  int fd() const { return fileno(file_); }
  std::string contents() const {
    std::string text;
    char chunk[4096];
    ::lseek(fd(), 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd(), chunk, sizeof chunk)) > 0;) {
      text.append(chunk, static_cast<std::size_t>(n));
    }
    return text;
  }

 private:
  std::FILE* file_;
};

TEST(BlockSink, StreamTextAndDirectTextStayInOrder) {
  TempFile file;
  std::string expected;
  {
    BlockSink sink(file.fd(), 64);  // small, so blocks fill often
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
  EXPECT_EQ(file.contents(), expected);
}

}  // namespace

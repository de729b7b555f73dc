// Stream text, text formatted into the buffer, fills and texts longer than
// the buffer stay in order across many small blocks, and what is left is
// written when the sink is destroyed.
#include "output/block_sink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

namespace {

TEST(BlockSink, StreamTextAndDirectTextStayInOrder) {
  std::FILE* file = std::tmpfile();
  std::string expected;
  {
    tabsift::BlockSink sink(fileno(file), 64);  // small, so blocks fill often
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

// Collects diagnostic lines for standard error so that a file with millions
// of invalid tokens does not cost one write per message. The lines keep
// their order; flush() writes them out, and the destructor flushes what is
// left, so nothing is lost. Flush before writing any other diagnostic.
#pragma once

#include <string>
#include <string_view>

namespace tabsift {

class MessageBuffer {
 public:
  MessageBuffer() = default;
  MessageBuffer(const MessageBuffer&) = delete;
  MessageBuffer& operator=(const MessageBuffer&) = delete;
  ~MessageBuffer() { flush(); }

  // Appends `text` and a newline; writes the buffer out when it is large.
  void line(std::string_view text);
  // Appends `prefix`, the number and a newline.
  void line(std::string_view prefix, std::size_t number);

  // Writes the collected lines to standard error and empties the buffer.
  void flush();

 private:
  void flushIfLarge() {
    if (text_.size() >= kLimit) flush();
  }

  static constexpr std::size_t kLimit = 1 << 16;
  std::string text_;
};

}  // namespace tabsift

#include "table/message_buffer.h"

#include <iostream>

namespace tabsift {

void MessageBuffer::line(std::string_view text) {
  text_.append(text);
  text_.push_back('\n');
  flushIfLarge();
}

void MessageBuffer::line(std::string_view prefix, std::size_t number) {
  text_.append(prefix);
  text_.append(std::to_string(number));
  text_.push_back('\n');
  flushIfLarge();
}

void MessageBuffer::flush() {
  if (text_.empty()) return;
  std::cerr.write(text_.data(), static_cast<std::streamsize>(text_.size()));
  std::cerr.flush();
  text_.clear();
}

}  // namespace tabsift

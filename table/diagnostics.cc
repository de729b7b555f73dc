#include "table/diagnostics.h"

#include <unistd.h>

#include <string>

#include "table/fd.h"

namespace tabsift {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;

struct Channel {
  std::string pending;
  bool failed = false;
};

Channel& channel() {
  static Channel c;
  return c;
}

void flushIfLarge() {
  if (channel().pending.size() >= kFlushAt) flushDiagnostics();
}

}  // namespace

void failArgument(std::string_view message) {
  throw ArgumentRejected(std::string(message));
}

void say(std::string_view text) {
  std::string& pending = channel().pending;
  pending.append(text);
  pending.push_back('\n');
  flushIfLarge();
}

void say(std::string_view prefix, std::size_t number) {
  std::string& pending = channel().pending;
  pending.append(prefix);
  pending.append(std::to_string(number));
  pending.push_back('\n');
  flushIfLarge();
}

void reportFailure(std::string_view message) {
  std::string& pending = channel().pending;
  pending.append("tabsift: ");
  pending.append(message);
  pending.push_back('\n');
  channel().failed = true;
  flushIfLarge();
}

bool failureSeen() { return channel().failed; }

void flushDiagnostics() {
  std::string& pending = channel().pending;
  if (pending.empty()) return;
  // Standard error that cannot be written has nowhere to report to.
  (void)writeAll(STDERR_FILENO, pending.data(), pending.size());
  pending.clear();
}

}  // namespace tabsift

#include "base/diagnostics.h"

#include <unistd.h>

#include <new>
#include <string>

#include "base/fd.h"

namespace tabsift {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;

// What warnings and failures begin with.
constexpr std::string_view kPrefix = "tabsift: ";

struct Channel {
  std::string pending;
  bool failed = false;
  bool memoryReported = false;
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

void report(Level level, std::string_view text) {
  Channel& c = channel();
  if (level == Level::kWarning || level == Level::kFailure) {
    c.pending.append(kPrefix);
  }
  c.pending.append(text);
  c.pending.push_back('\n');
  if (level == Level::kFailure) c.failed = true;
  if (level == Level::kNotice) {
    flushDiagnostics();
  } else {
    flushIfLarge();
  }
}

void say(std::string_view prefix, std::size_t number) {
  std::string& pending = channel().pending;
  pending.append(prefix);
  pending.append(std::to_string(number));
  pending.push_back('\n');
  flushIfLarge();
}

void reportMemoryExhausted(std::string_view step) {
  Channel& c = channel();
  if (c.memoryReported) return;
  c.memoryReported = true;
  try {
    reportFailure(std::string("memory exhausted while ").append(step));
  } catch (const std::bad_alloc&) {
    // No room even for the line: write what is pending and the line
    // itself straight to standard error.
    flushDiagnostics();
    constexpr std::string_view kLine = "memory exhausted\n";
    (void)writeAll(STDERR_FILENO, kPrefix.data(), kPrefix.size());
    (void)writeAll(STDERR_FILENO, kLine.data(), kLine.size());
    c.failed = true;
  }
}

std::string inputLabel(const std::string* name) {
  return name == nullptr ? "standard input" : "input file '" + *name + "'";
}

bool failureSeen() {
  return channel().failed;
}

void flushDiagnostics() {
  std::string& pending = channel().pending;
  if (pending.empty()) return;
  // Standard error that cannot be written has nowhere to report to.
  (void)writeAll(STDERR_FILENO, pending.data(), pending.size());
  pending.clear();
}

void resetDiagnostics() {
  channel() = Channel();
}

}  // namespace tabsift

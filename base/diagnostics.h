// The one channel for diagnostics. Every message of a run goes through it, in
// the order in which it is said, into one buffer that is written to standard
// error in large blocks (a file with millions of invalid tokens does not cost
// one write per message). The buffer is written out before the output is
// written, before the output question, after a notice, when it grows large
// and at the end of the run, so no message is lost and none overtakes
// another.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tabsift {

// A malformed operation argument. The run ends before any output is
// written: the program entry says `what()` and exits with status 1.
struct ArgumentRejected : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws ArgumentRejected with `message`.
[[noreturn]] void failArgument(std::string_view message);

// How a line is said. Warnings and failures begin with "tabsift: ".
enum class Level {
  kNote,     // the text alone: messages about the data, "read from stdin"
  kNotice,   // the text alone, written out at once with what went before
  kWarning,  // the run goes on and its status stays
  kFailure,  // the run ends with status 1
};

// One diagnostic line of `level`: `text` and a newline.
void report(Level level, std::string_view text);

// One note: `text` and a newline.
inline void say(std::string_view text) {
  report(Level::kNote, text);
}
// One note: `prefix`, the decimal number and a newline.
void say(std::string_view prefix, std::size_t number);

// A notice, written out at once (the cell-type notice).
inline void notice(std::string_view text) {
  report(Level::kNotice, text);
}

// "tabsift: " + `message` as one line; the run goes on.
inline void warn(std::string_view message) {
  report(Level::kWarning, message);
}

// "tabsift: " + `message` as one line, and the run ends with status 1.
inline void reportFailure(std::string_view message) {
  report(Level::kFailure, message);
}

// "tabsift: memory exhausted while " + `step` as one line, once per run:
// whoever meets the exhaustion first, and knows best what was being done,
// names it; later calls say nothing more. The run ends with status 1.
void reportMemoryExhausted(std::string_view step);

// True once any failure has been reported.
bool failureSeen();

// How messages name an input: "input file 'NAME'", or "standard input"
// when `name` is null.
std::string inputLabel(const std::string* name);

// Writes the buffered lines to standard error.
void flushDiagnostics();

// Forgets the failure mark, the memory report and any unwritten lines; for
// tests that run many times in one process.
void resetDiagnostics();

}  // namespace tabsift

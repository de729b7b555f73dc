// Diagnostics shared by every part of the store: argument errors that end the
// run, and failures (an input or output that cannot be used) that let the run
// go on but must end it with a non-zero exit status.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tabsift {

// Thrown instead of ending the process when built for fuzzing.
struct ArgumentRejected : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Writes `message` and a newline to standard error and ends the process with
// status 1. Used for a malformed operation argument, before any output.
// Built with TABSIFT_FUZZING it throws ArgumentRejected instead.
[[noreturn]] void failArgument(std::string_view message);

// Writes "tabsift: " + `message` and a newline to standard error and records
// that the run failed; the run goes on.
void reportFailure(std::string_view message);

// Records a failure whose message was already written.
void noteFailure();

// True once any failure has been reported or noted.
bool failureSeen();

}  // namespace tabsift

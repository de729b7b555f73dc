// The temporary output file that a signal must not leave behind. While one
// is recorded, every signal that would end the process without a core dump
// (SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2, SIGPIPE,
// SIGXCPU, SIGVTALRM, SIGPROF, SIGPOLL, SIGPWR, SIGSTKFLT and the real-time
// signals) removes it, then ends the process as the signal would have: the
// default action is restored and the signal raised again. A signal that the
// run was started with ignored stays ignored. Signals of a fault in the
// program itself (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, ...) and SIGKILL
// are not caught: they may leave a temporary file behind, never a damaged
// output file, except one that they end while it is written over in place
// (output_file.h).
#pragma once

#include <signal.h>

#include <string>

namespace tabsift {

// Ignores SIGXFSZ, so that writing past the file size limit fails the
// write with EFBIG ("File too large"), which is reported like any other
// failed write, instead of ending the run without a word. Called once,
// first thing in main.
void ignoreFileSizeSignal();

// Records `path` as the temporary file to remove; installs the handlers on
// first use. Call it with the signals blocked (SignalBlock) from before the
// file is made until it is recorded. A path of PATH_MAX bytes or more is not
// recorded (no such file can have been made).
void recordTemporary(const std::string& path);
// Forgets the recorded file (renamed or removed).
void forgetTemporary();

// Holds every signal listed above back while it lives, so that a file and
// its record change together, and so that a file written over in place is
// written in full before a signal ends the run.
class SignalBlock {
 public:
  SignalBlock();
  ~SignalBlock();
  SignalBlock(const SignalBlock&) = delete;
  SignalBlock& operator=(const SignalBlock&) = delete;

 private:
  sigset_t saved_;
};

}  // namespace tabsift

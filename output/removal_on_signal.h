// The temporary output file that a signal must not leave behind. While one
// is recorded, SIGINT, SIGTERM and SIGHUP remove it and then end the process
// as the signal would have (a signal that the run was started with ignored
// stays ignored). Writing a file beyond the file size limit fails its write
// (SIGXFSZ is ignored) rather than ending the run without a word.
#pragma once

#include <signal.h>

#include <string>

namespace tabsift {

// Records `path` as the temporary file to remove; installs the handlers on
// first use. Call it with the signals blocked (SignalBlock) from before the
// file is made until it is recorded.
void recordTemporary(const std::string& path);
// Forgets the recorded file (renamed or removed).
void forgetTemporary();

// Holds SIGINT, SIGTERM and SIGHUP back while it lives, so that a file and
// its record change together.
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

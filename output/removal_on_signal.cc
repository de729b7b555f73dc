#include "output/removal_on_signal.h"

#include <limits.h>
#include <unistd.h>

#include <cstring>

namespace tabsift {
namespace {

// The signals whose default action ends the process without a core dump,
// apart from SIGKILL (cannot be caught), SIGXFSZ (ignored) and the real-time
// signals (added by cleanupSet).
constexpr int kCleanupSignals[] = {
    SIGHUP,  SIGINT,  SIGQUIT,   SIGTERM, SIGALRM, SIGUSR1, SIGUSR2,
    SIGPIPE, SIGXCPU, SIGVTALRM, SIGPROF, SIGPOLL, SIGPWR,  SIGSTKFLT};

// What the handler reads: written only with the signals blocked.
char recordedPath[PATH_MAX];
volatile sig_atomic_t pathRecorded = 0;
bool handlersInstalled = false;

sigset_t cleanupSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kCleanupSignals) sigaddset(&set, signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) {
    sigaddset(&set, signal);
  }
  return set;
}

// Async-signal-safe: removes the file, restores the default action and sends
// the signal again, which ends the process once the handler returns.
extern "C" void removeTemporaryAndStop(int signal) {
  if (pathRecorded) ::unlink(recordedPath);
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
  ::raise(signal);
}

void installHandlers() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = removeTemporaryAndStop;
  action.sa_mask = cleanupSet();
  for (int signal = 1; signal < NSIG; ++signal) {
    if (sigismember(&action.sa_mask, signal) != 1) continue;
    struct sigaction old;
    if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) {
      continue;
    }
    ::sigaction(signal, &action, nullptr);
  }
  handlersInstalled = true;
}

}  // namespace

void ignoreFileSizeSignal() {
  ::signal(SIGXFSZ, SIG_IGN);
}

void recordTemporary(const std::string& path) {
  if (!handlersInstalled) installHandlers();
  if (path.size() >= sizeof recordedPath) return;
  std::memcpy(recordedPath, path.c_str(), path.size() + 1);
  pathRecorded = 1;
}

void forgetTemporary() {
  pathRecorded = 0;
}

SignalBlock::SignalBlock() {
  const sigset_t set = cleanupSet();
  ::sigprocmask(SIG_BLOCK, &set, &saved_);
}

SignalBlock::~SignalBlock() {
  ::sigprocmask(SIG_SETMASK, &saved_, nullptr);
}

}  // namespace tabsift

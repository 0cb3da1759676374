#pragma once
// The signals the programs take in hand instead of leaving them to their
// default actions.

#include <signal.h>

#include <chrono>

namespace platform {

// The name of a stop signal, "SIGTERM".
const char* stop_signal_name(int signal);

// Ignores SIGXFSZ, so that a write past the file size limit fails with
// EFBIG and is reported like any other failed write instead of killing the
// process. Both programs call it first thing.
void ignore_file_size_signal();

// Ctrl-C (SIGINT), SIGTERM, SIGHUP (the terminal closed) and SIGQUIT,
// taken by one waiting thread instead of ending the process. Construction blocks the two signals in the calling
// thread, and so in every thread it starts afterwards, which inherits its
// mask: a stop signal then waits, pending, until wait() takes it.
// Destruction restores the mask the calling thread had.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Waits at most timeout for a stop signal; true when one came (and is
  // taken), false when the time ran out or another signal interrupted the
  // wait.
  bool wait(std::chrono::milliseconds timeout) const { return wait_signal(timeout) != 0; }
  // The same, giving the signal taken, or 0.
  int wait_signal(std::chrono::milliseconds timeout) const;

 private:
  sigset_t signals_;
  sigset_t previous_mask_;
};

}  // namespace platform

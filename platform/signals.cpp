#include "platform/signals.h"

#include <pthread.h>

#include <csignal>
#include <ctime>

namespace platform {

void ignore_file_size_signal() { std::signal(SIGXFSZ, SIG_IGN); }

StopSignals::StopSignals() {
  sigemptyset(&signals_);
  sigaddset(&signals_, SIGINT);
  sigaddset(&signals_, SIGTERM);
  sigaddset(&signals_, SIGHUP);
  sigaddset(&signals_, SIGQUIT);
  pthread_sigmask(SIG_BLOCK, &signals_, &previous_mask_);
}

StopSignals::~StopSignals() { pthread_sigmask(SIG_SETMASK, &previous_mask_, nullptr); }

int StopSignals::wait_signal(std::chrono::milliseconds timeout) const {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
  const timespec limit{static_cast<std::time_t>(seconds.count()),
                       static_cast<long>(std::chrono::nanoseconds(timeout - seconds).count())};
  const int taken = sigtimedwait(&signals_, nullptr, &limit);
  return taken > 0 ? taken : 0;
}

const char* stop_signal_name(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    case SIGQUIT:
      return "SIGQUIT";
    default:
      return "a signal";
  }
}

}  // namespace platform

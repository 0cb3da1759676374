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
  pthread_sigmask(SIG_BLOCK, &signals_, &previous_mask_);
}

StopSignals::~StopSignals() { pthread_sigmask(SIG_SETMASK, &previous_mask_, nullptr); }

bool StopSignals::wait(std::chrono::milliseconds timeout) const {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
  const timespec limit{static_cast<std::time_t>(seconds.count()),
                       static_cast<long>(std::chrono::nanoseconds(timeout - seconds).count())};
  return sigtimedwait(&signals_, nullptr, &limit) > 0;
}

}  // namespace platform

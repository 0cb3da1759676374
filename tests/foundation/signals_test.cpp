// StopSignals: while one lives, Ctrl-C and SIGTERM wait, pending, for a
// thread to take them, in the thread that made it and in the threads it
// starts; afterwards the signal mask is what it was.

#include <gtest/gtest.h>

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "platform/signals.h"

namespace {

using std::chrono::milliseconds;

bool blocked(int signal) {
  sigset_t mask;
  pthread_sigmask(SIG_SETMASK, nullptr, &mask);
  return sigismember(&mask, signal) == 1;
}

TEST(StopSignals, BlocksBothSignalsAndRestoresTheMask) {
  for (const int signal : {SIGINT, SIGTERM}) {
    ASSERT_FALSE(blocked(signal)) << signal;
    {
      const platform::StopSignals stop;
      EXPECT_TRUE(blocked(signal)) << signal;
      EXPECT_FALSE(blocked(SIGUSR1));
    }
    EXPECT_FALSE(blocked(signal)) << signal;
  }
}

TEST(StopSignals, WaitTakesAPendingSignalOnce) {
  for (const int signal : {SIGINT, SIGTERM}) {
    const platform::StopSignals stop;
    EXPECT_FALSE(stop.wait(milliseconds(1))) << "nothing sent yet";
    ASSERT_EQ(raise(signal), 0);
    EXPECT_TRUE(stop.wait(milliseconds(1000))) << signal;
    EXPECT_FALSE(stop.wait(milliseconds(1))) << "taken once only";
  }
}

// A signal sent to the process reaches the one thread that waits for it,
// started after the signals were blocked.
TEST(StopSignals, AThreadStartedAfterwardsTakesASignalSentToTheProcess) {
  const platform::StopSignals stop;
  auto waited = std::async(std::launch::async, [&stop] {
    for (int tries = 0; tries < 100; ++tries) {
      if (stop.wait(milliseconds(50))) return true;
    }
    return false;
  });
  ASSERT_EQ(kill(getpid(), SIGTERM), 0);
  EXPECT_TRUE(waited.get());
}

}  // namespace

// A quit signal wakes a loop asleep in poll() through the pipe, and only a signal does: the
// pipe's read end is quiet until one comes, readable after it, and drained once it is taken.

#include "editor/app/quit_signal.h"

#include <csignal>
#include <gtest/gtest.h>
#include <poll.h>

TEST(QuitSignal, ThePipeIsReadableFromTheSignalUntilItIsTaken) {
  ASSERT_TRUE(quitOnSignal(SIGUSR1));
  pollfd wake{quitSignalFd(), POLLIN, 0};
  EXPECT_EQ(poll(&wake, 1, 0), 0);
  std::raise(SIGUSR1);
  EXPECT_EQ(poll(&wake, 1, 0), 1);
  EXPECT_TRUE(quitSignalled());
  EXPECT_EQ(poll(&wake, 1, 0), 0);
  std::signal(SIGUSR1, SIG_DFL);
}

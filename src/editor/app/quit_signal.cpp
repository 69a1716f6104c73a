#include "editor/app/quit_signal.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The one flag and pipe of the process: a signal handler takes no context of ours.
volatile std::sig_atomic_t signalled = 0;
int pipeEnds[2] = {-1, -1};

void onQuitSignal(int) {
  signalled = 1;
  // Full or not, the flag says it all; errno is the interrupted code's.
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(pipeEnds[1], &byte, 1);
  errno = savedErrno;
}

} // namespace

bool quitOnSignal(int signal) {
  if (pipeEnds[0] < 0 && pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0)
    return false;
  struct sigaction action {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return sigaction(signal, &action, nullptr) == 0;
}

bool quitSignalled() {
  if (signalled == 0)
    return false;
  char bytes[64];
  while (read(pipeEnds[0], bytes, sizeof bytes) > 0) {
  }
  return true;
}

int quitSignalFd() {
  return pipeEnds[0];
}

// Sends one pointer motion to the display through XTest and prints, once the server has taken
// it (XSync returned), the wall-clock time in seconds: what bench/input_latency.sh compares
// with the editor's first read of the event.
//
//   send_motion X Y

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char **argv) {
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr || argc != 3) {
    std::fprintf(stderr, "usage: send_motion X Y, with DISPLAY set\n");
    return 2;
  }
  XTestFakeMotionEvent(display, -1, std::atoi(argv[1]), std::atoi(argv[2]), CurrentTime);
  XSync(display, False);
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::printf("%ld.%06ld\n", static_cast<long>(now.tv_sec), now.tv_nsec / 1000);
  XCloseDisplay(display);
  return 0;
}

#pragma once
// Sleeping until something happens. With nothing to do, the loop blocks in poll() on the
// display connection instead of waking every millisecond to look for events: an editor left
// open in the background then keeps the processor asleep.

// Xlib's connection, named without its header: Xlib's macros (None...) would clash with the
// editor's names.
struct _XDisplay;

// The X connection the library draws on, or nullptr with a driver that has none (the dummy
// driver of the tests). Call it once the screen is open.
_XDisplay *screenDisplay();

struct IdleWait {
  _XDisplay *display;
  // Another descriptor whose input also wakes the loop (a signal's pipe), or -1.
  int wakeFd;
};

// Returns when input may be waiting, when wakeFd can be read, or after timeoutMs (-1: no
// limit); at once when the library or Xlib already holds an event. Without a display it only
// sleeps a millisecond, as the loop always did.
void waitForInput(const IdleWait &wait, int timeoutMs);

#pragma once
// A hang-up (SIGHUP: the terminal closed, the session ended) ends the editor as a quit does,
// keeping the unsaved work. The library turns SIGTERM and SIGINT into a quit event, but may
// take them on a thread of its own, which would leave a loop asleep in poll() unaware: those
// are then taken over the same way. The handler may do almost nothing, so it only raises a flag
// for the event loop and writes a byte to a pipe, whose read end a loop that sleeps in poll()
// can watch to wake at once.

// Installs the handler for signal; call it first for SIGHUP, before anything else starts, and
// for SIGTERM and SIGINT once the library has installed its own. False when the pipe or the
// handler cannot be had (the signal then acts as it did before).
bool quitOnSignal(int signal);

// One of those signals came since the handler was installed; the pipe is then drained.
bool quitSignalled();

// The pipe's read end (non-blocking), or -1 before quitOnSignal.
int quitSignalFd();

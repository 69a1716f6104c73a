#pragma once
// A hang-up (SIGHUP: the terminal closed, the session ended) ends the editor as a quit does,
// keeping the unsaved work; the library already turns SIGTERM and SIGINT into a quit event.
// The handler may do almost nothing, so it only raises a flag for the event loop and writes a
// byte to a pipe, whose read end a loop that sleeps in poll() can watch to wake at once.

// Installs the handler; call it once, before anything else starts. False when the pipe or the
// handler cannot be had (a hang-up then ends the editor at once, as before).
bool installQuitSignal();

// A hang-up came since the handler was installed; the pipe is then drained.
bool quitSignalled();

// The pipe's read end (non-blocking), or -1 before installQuitSignal.
int quitSignalFd();

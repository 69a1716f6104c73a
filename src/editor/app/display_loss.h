#pragma once
// When the X server ends under the editor (a logout, a crash of the display), Xlib calls a
// fatal I/O error handler that must not return. Its default calls exit(), whose SDL_Quit then
// waits forever on the dead connection, at a full core and deaf to SIGTERM. Ours keeps the
// unsaved work, as a quit would (keepWorkAtEnd), and ends the process at once.

#include "editor/control/work_across_runs.h"
#include "editor/editor.h"

// Installs the handler on the screen's X connection, for the editor of this run and the work it
// reopened at start-up; does nothing when the library shows no X display. Call it once the
// screen is open.
void keepWorkIfDisplayDies(const Editor &editor, const ReopenedWork &reopened);

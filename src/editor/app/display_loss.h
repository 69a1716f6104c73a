#pragma once
// When the X server ends under the editor (a logout, a crash of the display), Xlib calls a
// fatal I/O error handler that must not return. Its default calls exit(), whose SDL_Quit then
// waits forever on the dead connection, at a full core and deaf to SIGTERM. Ours keeps the
// unsaved work, as a quit would (endEditorRun), and ends the process at once.

#include "editor/control/work_across_runs.h"

// Installs the handler on the screen's X connection, for this run of the editor; does nothing
// when the library shows no X display. Call it once the screen is open.
void keepWorkIfDisplayDies(EditorRun &run);

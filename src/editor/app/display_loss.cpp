#include "editor/app/display_loss.h"

#include "editor/control/work_across_runs.h"

#include "editor/app/idle_wait.h"

#include <X11/Xlib.h>

#include <unistd.h>

namespace {

// Xlib's handler takes no context of ours, so the one run of the editor is reached through
// this pointer, set once at start-up.
EditorRun *running = nullptr;

int onDisplayLost(Display *) {
  if (running != nullptr)
    endEditorRun(*running);
  // _exit: the exit handlers would talk to the dead display and never return.
  _exit(1);
}

} // namespace

void keepWorkIfDisplayDies(EditorRun &run) {
  if (screenDisplay() == nullptr)
    return;
  running = &run;
  XSetIOErrorHandler(onDisplayLost);
}

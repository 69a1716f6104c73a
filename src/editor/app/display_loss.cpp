#include "editor/app/display_loss.h"

#include "editor/control/keep_unsaved_work.h"

#include "editor/app/idle_wait.h"

#include <X11/Xlib.h>

#include <unistd.h>

namespace {

// Xlib's handler takes no context of ours, so the one editor of the run is reached through
// this pointer, set once at start-up.
const Editor *runningEditor = nullptr;

int onDisplayLost(Display *) {
  if (runningEditor != nullptr)
    keepUnsavedWork(*runningEditor);
  // _exit: the exit handlers would talk to the dead display and never return.
  _exit(1);
}

} // namespace

void keepWorkIfDisplayDies(const Editor &editor) {
  if (screenDisplay() == nullptr)
    return;
  runningEditor = &editor;
  XSetIOErrorHandler(onDisplayLost);
}

#include "editor/app/display_loss.h"

#include "editor/control/work_across_runs.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <unistd.h>

namespace {

// Xlib's handler takes no context of ours, so the one editor of the run and the work it
// reopened are reached through these pointers, set once at start-up.
const Editor *runningEditor = nullptr;
const ReopenedWork *reopenedWork = nullptr;

int onDisplayLost(Display *) {
  if (runningEditor != nullptr)
    keepWorkAtEnd(*runningEditor, *reopenedWork);
  // _exit: the exit handlers would talk to the dead display and never return.
  _exit(1);
}

} // namespace

void keepWorkIfDisplayDies(const Editor &editor, const ReopenedWork &reopened) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11 ||
      info.info.x11.display == nullptr)
    return;
  runningEditor = &editor;
  reopenedWork = &reopened;
  XSetIOErrorHandler(onDisplayLost);
}

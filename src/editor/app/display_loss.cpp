#include "editor/app/display_loss.h"

#include "editor/control/keep_unsaved_work.h"

#include <SDL.h>
#include <SDL_syswm.h>

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
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11 ||
      info.info.x11.display == nullptr)
    return;
  runningEditor = &editor;
  XSetIOErrorHandler(onDisplayLost);
}

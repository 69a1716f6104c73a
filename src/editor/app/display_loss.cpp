#include "editor/app/display_loss.h"

#include "editor/control/work_across_runs.h"

#include <SDL.h>
#include <SDL_syswm.h>

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
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11 ||
      info.info.x11.display == nullptr)
    return;
  running = &run;
  XSetIOErrorHandler(onDisplayLost);
}

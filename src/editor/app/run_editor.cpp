#include "editor/app/run_editor.h"

#include "editor/app/display_loss.h"
#include "editor/app/event_loop.h"
#include "editor/app/quit_signal.h"
#include "editor/control/work_across_runs.h"
#include "render/render_resources.h"

#include <csignal>
#include <cstdlib>
#include <memory>

int runEditor() {
  // First, so that a hang-up during start-up already quits cleanly.
  quitOnSignal(SIGHUP);
  RenderSetup setup;
  if (!setup.ok())
    return 1;
  quitOnSignal(SIGTERM);
  quitOnSignal(SIGINT);
  const uint32_t startTicks = SDL_GetTicks();
  // The name fields take translated characters.
  SDL_EnableUNICODE(1);
  auto run = std::make_unique<EditorRun>();
  // Only once the editor can run, so that a failed start leaves the work for the next one.
  run->reopened = reopenUnsavedWork(run->editor);
  keepWorkIfDisplayDies(*run);
  startRecoveryCopy(run->recovery);
  runEventLoop(setup.resources(), run->editor, run->recovery, startTicks);
  // Escape, closing the window and a hang-up end the run in every mode; what was not saved is
  // kept.
  endEditorRun(*run);
  return 0;
}

#include "editor/app/run_editor.h"

#include "editor/app/display_loss.h"
#include "editor/app/event_loop.h"
#include "editor/control/keep_unsaved_work.h"
#include "editor/editor.h"
#include "render/render_resources.h"

#include <cstdlib>
#include <memory>

int runEditor() {
  RenderSetup setup;
  if (!setup.ok())
    return 1;
  const uint32_t startTicks = SDL_GetTicks();
  // The name fields take translated characters.
  SDL_EnableUNICODE(1);
  auto editor = std::make_unique<Editor>();
  keepWorkIfDisplayDies(*editor);
  runEventLoop(setup.resources(), *editor, startTicks);
  // Escape and closing the window end the run in every mode; what was not saved is kept.
  keepUnsavedWork(*editor);
  return 0;
}

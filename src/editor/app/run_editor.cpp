#include "editor/app/run_editor.h"

#include "editor/app/event_loop.h"
#include "editor/editor.h"
#include "render/render_resources.h"

#include <cstdlib>
#include <memory>

int runEditor() {
  // Without a GPU the library's default present path goes through software OpenGL, ten times
  // dearer per frame than its plain framebuffer path, with the same pixels. A user's own
  // choice of either setting wins.
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);

  RenderSetup setup;
  if (!setup.ok())
    return 1;
  const uint32_t startTicks = SDL_GetTicks();
  // The name fields take translated characters.
  SDL_EnableUNICODE(1);
  auto editor = std::make_unique<Editor>();
  runEventLoop(setup.resources(), *editor, startTicks);
  return 0;
}

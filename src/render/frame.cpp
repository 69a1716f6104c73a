#include "render/frame.h"

// Not yet built: the full composition comes with the rendering work.
void drawFrame(const RenderResources& resources, const Editor&) {
  SDL_FillRect(resources.screen, nullptr, 0);
  SDL_Flip(resources.screen);
}

#include "editor/event_loop.h"

#include "editor/event_dispatch.h"

void runEventLoop(const RenderResources &resources, Editor &editor, uint32_t lastFrameTicks) {
  SDL_Event event;
  do {
    // Events polled below count for the next pass: the frame shows where the pointer stood
    // when this pass began.
    editor.pointerX = editor.mouseX;
    editor.pointerY = editor.mouseY;
    while (SDL_PollEvent(&event))
      dispatchEvent(event, editor, resources.font);
    const uint32_t now = SDL_GetTicks();
    if (frameDue(now, lastFrameTicks)) {
      drawFrame(resources, editor);
      lastFrameTicks = now;
    }
  } while (!editor.quitRequested);
}

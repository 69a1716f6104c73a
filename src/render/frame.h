#pragma once
// Composes one whole frame from the editor's state and presents it with one flip.

#include "editor/editor.h"

#include <SDL.h>
#include <SDL_ttf.h>

// The surfaces and font created at start-up and held by the event loop.
struct RenderResources {
  SDL_Surface *screen;
  SDL_Surface *backSurface; // may be missing: dialogs are then drawn without dimming
  SDL_Surface *sheet;
  TTF_Font *font;
};

// Reads the editor without changing it; draws onto resources.screen and flips it.
void drawFrame(const RenderResources &resources, const Editor &editor);

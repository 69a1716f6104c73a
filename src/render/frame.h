#pragma once
// Composes one whole frame from the editor's state and presents it with one flip.

#include "editor/editor.h"
#include "render/render_resources.h"

// Reads the editor without changing it; draws onto resources.screen and flips it.
void drawFrame(const RenderResources &resources, const Editor &editor);

// The playing field alone: the grey level area and the bricks in use over it, opaque, in slot
// order; with mirrorLine, a dotted line down its centre under the bricks. The frame draws the
// field through this, and so does the command-line renderer.
void drawLevelField(SDL_Surface *canvas, SDL_Surface *sheet, const Bricks &bricks,
                    int32_t brickCount, bool mirrorLine = false);

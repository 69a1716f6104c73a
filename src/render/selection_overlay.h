#pragma once
// The selection over the level field: a red outline on each selected brick, the bricks being
// moved or pasted half transparent where they would land, and the dotted frame of a Shift drag.

#include "editor/editor.h"

#include <SDL.h>

// Draws nothing when nothing is selected, moved, framed or pasted. Clipped to the level field.
void drawSelectionOverlay(SDL_Surface *canvas, SDL_Surface *sheet, const Editor &editor);

#pragma once
// A game being played, drawn over the editor dimmed as under a dialog.

#include "editor/editor.h"
#include "render/render_resources.h"

// Dims the editor picture drawFrame drew on backSurface onto the screen, then draws the game's
// field over the level area and what lies beneath it: the bricks standing and shown (a damaged
// one darker), the paddle, the ball, the game's help line, and once the game is over "Niveau
// terminé" with the time of play, or "Partie perdue", in the middle of the field.
void drawPlay(const RenderResources &resources, const Editor &editor);

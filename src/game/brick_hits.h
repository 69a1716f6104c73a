#pragma once
// What the ball's box meets besides the paddle, and the hits it gives to bricks, with the
// dynamite's blasts.

#include "game/game.h"

#include <cstdint>
#include <vector>

// True when the ball's box at pixel (x, y) leaves the field by the left, right or top edge or
// overlaps a standing brick. Below the field nothing blocks it.
bool fieldOrBrickBlocks(const Game &game, int x, int y);

// One hit to each standing brick the ball's box at (x, y), inside the field, overlaps, in slot
// order, with the events the game's header lists.
void hitBricksUnder(Game &game, int x, int y, std::vector<GameEvent> *events);

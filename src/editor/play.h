#pragma once
// A game of the level being edited, played in the editor without saving it first. It plays a
// copy of the bricks: the editor's level, settings, history and title stay exactly as they were.

#include "game/game.h"

#include <cstdint>

struct Play {
  Game game;
  // Which game of the run this is, from 1: what is drawn behind it is drawn once.
  uint32_t id = 0;
  bool autopilot = false;
  // A left click or Space since the last tick: it serves, or starts the level again once the
  // game is over.
  bool serve = false;
  // Tick count up to which the game has been played: it follows the clock, a late pass
  // playing as many ticks as the time since the last one. Set by the first pass.
  uint32_t clock = 0;
  bool clockStarted = false;
};

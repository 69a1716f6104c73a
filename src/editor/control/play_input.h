#pragma once
// Playing the level from the editor: starting and ending a game, the input while it runs, and
// the game following the clock.

#include "editor/control/input_event.h"
#include "editor/editor.h"

#include <cstdint>

// A game of the level as it is now, saved or not, its first ball waiting on the paddle.
void startPlay(Editor &editor);

// One input event while a game runs: the pointer drives the paddle (on the next tick), a left
// press or Space serves, or starts the level again once it is cleared or lost, A switches the
// autopilot, Escape or T ends the game; closing the window quits as in editing. Everything else
// does nothing.
void handlePlayInput(const InputEvent &event, Editor &editor);

// Plays the ticks from the last call up to now (the first call only starts the clock), the
// paddle following the pointer of the latest mouse event.
void advancePlay(Editor &editor, uint32_t now);

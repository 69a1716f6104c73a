#pragma once
// The help line while a game runs, in place of the editor's.

#include "editor/play.h"

#include <string>

// Latin-1: the balls and the bricks to break left, how to serve or play again, the autopilot's
// key and whether it is on, and the way back to editing.
std::string playHelpText(const Play &play);

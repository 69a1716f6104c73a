#pragma once
// Whether a level file on disk holds given bricks. saveLevel reports a failure only by printing
// it, so the editor reads the file back before it counts the level as saved.

#include "editor/editor_state.h"

#include <string>

// True when the file at path can be read and its count and bricks, in order, are brickCount
// and the first brickCount slots of bricks. Prints nothing; a missing or unreadable file is
// simply false. The author's name is not compared.
bool levelFileHolds(const std::string &path, const Bricks &bricks, int32_t brickCount);

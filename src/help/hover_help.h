#pragma once
// Mouse motion: continues the placement drag, then picks the help line for what the pointer
// is over. Help texts are Latin-1.

#include "editor/editor_state.h"

#include <string>

// Always returns 1. mirrored makes the drag lay the pattern's mirror image too (placePattern).
int handleMotion(int x, int y, Selection &selection, const int32_t &currentBrickType,
                 EditorState &state, Bricks &bricks, std::string &helpText, bool mirrored = false);

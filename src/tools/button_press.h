#pragma once
// A left press in the placement area lays the pattern and starts the placement drag.

#include "editor/editor_state.h"

// Always returns 1. mirrored lays the pattern's mirror image too (placePattern).
int handleButtonPress(int x, int y, int button, Selection &selection, int32_t &currentBrickType,
                      EditorState &state, Bricks &bricks, bool mirrored = false);

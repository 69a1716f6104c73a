#pragma once
// The help line's texts, one per screen region, kept as data beside the click regions.

#include "editor/editor_state.h"

#include <string>

// The text for the pointer at (x, y): the last row of the table whose region holds the
// pointer and whose condition holds; empty over no region.
std::string helpTextAt(int x, int y, int32_t currentBrickType, const EditorState &state);

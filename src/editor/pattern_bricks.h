#pragma once
// The bricks a pattern lays: one for each selected cell of the pattern box, with the box's
// top-left cell at an origin. Placement and the preview walk them in the same way, so the
// preview always shows where a press would lay them.

#include "editor/editor_state.h"

#include <algorithm>

// Calls visit(x, y) with the position of each brick, columns from left to right and each
// column from top to bottom. Stops and returns false as soon as visit returns false.
template <typename Visit>
bool forEachPatternBrick(const Selection &selection, const EditorState &state, int originX,
                         int originY, Visit visit) {
  // The box comes from updatePatternBox; clamped anyway so that a stray value cannot index
  // past the grid.
  const int minCol = std::max(state.patternMinCol, 0);
  const int maxCol = std::min(state.patternMaxCol, GridColumns - 1);
  const int minRow = std::max(state.patternMinRow, 0);
  const int maxRow = std::min(state.patternMaxRow, GridRows - 1);
  const int stepX = state.spacingX + BrickWidth;
  const int stepY = state.spacingY + BrickHeight;
  for (int column = minCol; column <= maxCol; ++column) {
    for (int row = minRow; row <= maxRow; ++row) {
      if (selection[cellIndex(column, row)] != 0 &&
          !visit(originX + (column - minCol) * stepX, originY + (row - minRow) * stepY))
        return false;
    }
  }
  return true;
}

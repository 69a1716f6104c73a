#pragma once
// The bricks a pattern lays: one for each selected cell of the pattern box, with the box's
// top-left cell at an origin. Placement and the preview walk them in the same way, so the
// preview always shows where a press would lay them.

#include "editor/editor_state.h"

#include <algorithm>

// The pattern box's bounds, clamped so that a stray value cannot index past the grid.
struct PatternBounds {
  int minCol, maxCol, minRow, maxRow, stepX, stepY;
};
inline PatternBounds patternBounds(const EditorState &state) {
  return PatternBounds{
      std::max(state.patternMinCol, 0), std::min(state.patternMaxCol, GridColumns - 1),
      std::max(state.patternMinRow, 0), std::min(state.patternMaxRow, GridRows - 1),
      state.spacingX + BrickWidth,      state.spacingY + BrickHeight};
}

// Calls visit(x, y) with the position of each brick, columns from left to right and each
// column from top to bottom. Stops and returns false as soon as visit returns false.
template <typename Visit>
bool forEachPatternBrick(const Selection &selection, const EditorState &state, int originX,
                         int originY, Visit visit) {
  const PatternBounds box = patternBounds(state);
  for (int column = box.minCol; column <= box.maxCol; ++column) {
    for (int row = box.minRow; row <= box.maxRow; ++row) {
      if (selection[cellIndex(column, row)] != 0 &&
          !visit(originX + (column - box.minCol) * box.stepX,
                 originY + (row - box.minRow) * box.stepY))
        return false;
    }
  }
  return true;
}

// Whether the pattern laid from the origin has a brick exactly at (x, y): mirror placement lays
// a twin that falls on a pattern brick only once.
inline bool patternBrickAt(const Selection &selection, const EditorState &state, int originX,
                           int originY, int x, int y) {
  const PatternBounds box = patternBounds(state);
  const int64_t dx = int64_t{x} - originX;
  const int64_t dy = int64_t{y} - originY;
  if (dx < 0 || dy < 0 || dx % box.stepX != 0 || dy % box.stepY != 0)
    return false;
  const int64_t column = box.minCol + dx / box.stepX;
  const int64_t row = box.minRow + dy / box.stepY;
  return column <= box.maxCol && row <= box.maxRow &&
         selection[cellIndex(static_cast<int>(column), static_cast<int>(row))] != 0;
}

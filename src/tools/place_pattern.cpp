#include "tools/place_pattern.h"

#include "editor/screen_layout.h"
#include "tools/bricks_in_use.h"

#include <algorithm>

namespace {

struct Origin {
  int x;
  int y;
};

// Beside the first brick hit by the pointer, in the chosen direction and shifted by the
// offsets. False when no brick is hit or the pattern would leave the level area.
bool originBesideBrick(int x, int y, const EditorState &state, const Bricks &bricks, int32_t inUse,
                       Origin &origin) {
  const int anchor = brickUnder(bricks, inUse, x, y);
  if (anchor < 0)
    return false;
  origin.x = bricks[anchor].x + BrickWidth * state.relativeX + state.offsetX;
  origin.y = bricks[anchor].y + BrickHeight * state.relativeY + state.offsetY;
  return inPlacementArea(origin.x, origin.y, state);
}

} // namespace

int placePattern(int x, int y, const Selection &selection, int32_t brickType, EditorState &state,
                 Bricks &bricks) {
  if (brickType == 0)
    return 0;
  const int32_t inUse = bricksInUse(state.brickCount);

  Origin origin{x, y};
  if ((state.relativeX != 0 || state.relativeY != 0) &&
      !originBesideBrick(x, y, state, bricks, inUse, origin))
    return 0;

  // The box comes from updatePatternBox; clamp it anyway so a stray value cannot index past
  // the grid.
  const int minCol = std::max(state.patternMinCol, 0);
  const int maxCol = std::min(state.patternMaxCol, GridColumns - 1);
  const int minRow = std::max(state.patternMinRow, 0);
  const int maxRow = std::min(state.patternMaxRow, GridRows - 1);
  const int stepX = state.spacingX + BrickWidth;
  const int stepY = state.spacingY + BrickHeight;

  // First pass: refuse on any overlap, and count the cells so that nothing is written past
  // the last slot.
  int cells = 0;
  for (int column = minCol; column <= maxCol; ++column) {
    for (int row = minRow; row <= maxRow; ++row) {
      if (selection[cellIndex(column, row)] == 0)
        continue;
      const int px = origin.x + (column - minCol) * stepX;
      const int py = origin.y + (row - minRow) * stepY;
      for (int32_t slot = 0; slot < inUse; ++slot) {
        if (bricksOverlap(px, py, bricks[slot].x, bricks[slot].y))
          return 0;
      }
      ++cells;
    }
  }
  // An empty grid places nothing, and leaves brickCount as it was.
  if (cells == 0)
    return 1;
  // Only a level file with bricks that break the rules can get here; all or nothing still.
  if (inUse + cells > BrickSlots)
    return 0;

  // Second pass: append, columns left to right, each column top to bottom.
  int32_t slot = inUse;
  for (int column = minCol; column <= maxCol; ++column) {
    for (int row = minRow; row <= maxRow; ++row) {
      if (selection[cellIndex(column, row)] == 0)
        continue;
      bricks[slot++] =
          Brick{origin.x + (column - minCol) * stepX, origin.y + (row - minRow) * stepY, brickType};
    }
  }
  state.brickCount = slot;
  return 1;
}

#include "tools/place_pattern.h"

#include "editor/pattern_bricks.h"
#include "editor/screen_layout.h"
#include "tools/bricks_in_use.h"
#include "tools/overlap_index.h"

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

  // First pass: refuse on any overlap, and count the bricks so that nothing is written past
  // the last slot. This runs on every motion of a drag; the index keeps it from testing every
  // cell against every brick.
  OverlapIndex index;
  buildOverlapIndex(bricks, inUse, index);
  int newBricks = 0;
  const bool free = forEachPatternBrick(selection, state, origin.x, origin.y, [&](int px, int py) {
    if (overlapsBrickInUse(index, px, py))
      return false;
    ++newBricks;
    return true;
  });
  if (!free)
    return 0;
  // An empty grid places nothing, and leaves brickCount as it was.
  if (newBricks == 0)
    return 1;
  // Only a level file with bricks that break the rules can get here; all or nothing still.
  if (inUse + newBricks > BrickSlots)
    return 0;

  int32_t slot = inUse;
  forEachPatternBrick(selection, state, origin.x, origin.y, [&](int px, int py) {
    bricks[slot++] = Brick{px, py, brickType};
    return true;
  });
  state.brickCount = slot;
  return 1;
}

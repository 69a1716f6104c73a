#include "tools/place_pattern.h"

#include "editor/pattern_bricks.h"
#include "editor/screen_layout.h"
#include "tools/overlap_index.h"

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
                 Bricks &bricks, bool mirrored) {
  if (brickType == 0)
    return 0;
  const int32_t inUse = bricksInUse(state.brickCount);

  Origin origin{x, y};
  if ((state.relativeX != 0 || state.relativeY != 0) &&
      !originBesideBrick(x, y, state, bricks, inUse, origin))
    return 0;

  // Refuse on any overlap with the bricks in use. This runs on every motion of a drag; the
  // index keeps it from testing every cell against every brick.
  OverlapIndex index;
  buildOverlapIndex(bricks, inUse, index);
  Bricks laid;
  int32_t count = 0;
  const bool free = forEachPatternBrick(selection, state, origin.x, origin.y, [&](int px, int py) {
    if (overlapsBrickInUse(index, px, py))
      return false;
    laid[count++] = Brick{px, py, brickType};
    return true;
  });
  if (!free)
    return 0;

  Bricks twins;
  int32_t twinCount = 0;
  if (mirrored) {
    OverlapIndex pattern;
    buildOverlapIndex(laid, count, pattern);
    for (int32_t i = 0; i < count; ++i) {
      const Brick twin{mirroredX(laid[i].x), laid[i].y, brickType};
      // Pattern bricks never overlap one another, so a twin that is one of them overlaps no
      // other.
      if (patternBrickAt(selection, state, origin.x, origin.y, twin.x, twin.y))
        continue;
      if (overlapsBrickInUse(pattern, twin.x, twin.y) || overlapsBrickInUse(index, twin.x, twin.y))
        return 0;
      twins[twinCount++] = twin;
    }
  }
  // An empty grid places nothing, and leaves brickCount as it was.
  if (count == 0)
    return 1;
  // Only a level file with bricks that break the rules can get here; all or nothing still.
  if (inUse + count + twinCount > BrickSlots)
    return 0;

  std::copy_n(laid.begin(), count, bricks.begin() + inUse);
  std::copy_n(twins.begin(), twinCount, bricks.begin() + inUse + count);
  state.brickCount = inUse + count + twinCount;
  return 1;
}

#include "tools/selection.h"

#include "tools/overlap_index.h"

#include <algorithm>

int32_t selectedCount(const BrickSelection &selection) {
  return static_cast<int32_t>(std::count(selection.marked.begin(), selection.marked.end(), true));
}

void endSelection(BrickSelection &selection) {
  selection.marked.fill(false);
}

void selectAll(BrickSelection &selection, int32_t brickCount) {
  std::fill_n(selection.marked.begin(), bricksInUse(brickCount), true);
}

Region frameTo(const BrickSelection &selection, int x, int y) {
  return Region{std::min(selection.pressX, x), std::min(selection.pressY, y),
                std::max(selection.pressX, x), std::max(selection.pressY, y)};
}

void selectInside(BrickSelection &selection, const Bricks &bricks, int32_t brickCount,
                  const Region &frame) {
  for (int32_t slot = 0; slot < bricksInUse(brickCount); ++slot) {
    const Brick &brick = bricks[slot];
    selection.marked[slot] = brick.x >= frame.left && brick.y >= frame.top &&
                             int64_t{brick.x} + BrickWidth - 1 <= frame.right &&
                             int64_t{brick.y} + BrickHeight - 1 <= frame.bottom;
  }
}

void toggleUnder(BrickSelection &selection, const Bricks &bricks, int32_t brickCount, int x,
                 int y) {
  const int hit = brickUnder(bricks, bricksInUse(brickCount), x, y);
  if (hit >= 0)
    selection.marked[hit] = !selection.marked[hit];
}

bool selectedUnder(const BrickSelection &selection, const Bricks &bricks, int32_t brickCount, int x,
                   int y) {
  const int hit = brickUnder(bricks, bricksInUse(brickCount), x, y);
  return hit >= 0 && selection.marked[hit];
}

void moveSelected(const BrickSelection &selection, Bricks &bricks, int32_t brickCount, int dx,
                  int dy) {
  const int32_t inUse = bricksInUse(brickCount);
  // The bricks that stay, indexed so that each moving brick meets only its neighbours.
  Bricks staying{};
  int32_t stayingCount = 0;
  for (int32_t slot = 0; slot < inUse; ++slot) {
    if (!selection.marked[slot])
      staying[stayingCount++] = bricks[slot];
  }
  OverlapIndex index;
  buildOverlapIndex(staying, stayingCount, index);
  for (int32_t slot = 0; slot < inUse; ++slot) {
    const int64_t x = int64_t{bricks[slot].x} + dx;
    const int64_t y = int64_t{bricks[slot].y} + dy;
    if (selection.marked[slot] &&
        (!insideLevel(x, y) || overlapsBrickInUse(index, static_cast<int>(x), static_cast<int>(y))))
      return;
  }
  for (int32_t slot = 0; slot < inUse; ++slot) {
    if (selection.marked[slot]) {
      bricks[slot].x += dx;
      bricks[slot].y += dy;
    }
  }
}

void retypeSelected(const BrickSelection &selection, Bricks &bricks, int32_t brickCount,
                    int32_t type) {
  for (int32_t slot = 0; slot < bricksInUse(brickCount); ++slot) {
    if (selection.marked[slot])
      bricks[slot].type = type;
  }
}

void eraseSelected(BrickSelection &selection, Bricks &bricks, EditorState &state) {
  // A slot is looked at again after an erasure: the brick moved into it may be selected too.
  for (int32_t slot = 0; slot < bricksInUse(state.brickCount);) {
    if (!selection.marked[slot]) {
      ++slot;
      continue;
    }
    const int32_t last = bricksInUse(state.brickCount) - 1;
    bricks[slot] = bricks[last];
    selection.marked[slot] = selection.marked[last];
    selection.marked[last] = false;
    state.brickCount = last;
  }
}

void copySelected(BrickSelection &selection, const Bricks &bricks, int32_t brickCount) {
  const int32_t inUse = bricksInUse(brickCount);
  int64_t left = INT64_MAX, top = INT64_MAX;
  for (int32_t slot = 0; slot < inUse; ++slot) {
    if (selection.marked[slot]) {
      left = std::min<int64_t>(left, bricks[slot].x);
      top = std::min<int64_t>(top, bricks[slot].y);
    }
  }
  selection.copied.clear();
  // Bricks far apart, which only a level file holds, wrap around here; no paste lays them.
  for (int32_t slot = 0; slot < inUse; ++slot) {
    if (selection.marked[slot])
      selection.copied.push_back(Brick{static_cast<int32_t>(bricks[slot].x - left),
                                       static_cast<int32_t>(bricks[slot].y - top),
                                       bricks[slot].type});
  }
}

void pasteAt(BrickSelection &selection, Bricks &bricks, EditorState &state, int x, int y) {
  const int32_t inUse = bricksInUse(state.brickCount);
  const int32_t count = static_cast<int32_t>(selection.copied.size());
  if (inUse + count > BrickSlots)
    return;
  OverlapIndex index;
  buildOverlapIndex(bricks, inUse, index);
  Bricks laid;
  for (int32_t i = 0; i < count; ++i) {
    const Brick &copy = selection.copied[i];
    const int64_t px = int64_t{x} + copy.x;
    const int64_t py = int64_t{y} + copy.y;
    if (!insideLevel(px, py) ||
        overlapsBrickInUse(index, static_cast<int>(px), static_cast<int>(py)))
      return;
    laid[i] = Brick{static_cast<int32_t>(px), static_cast<int32_t>(py), copy.type};
    // Copied bricks overlap one another only when a level file put them so; they are not laid
    // so again.
    for (int32_t j = 0; j < i; ++j) {
      if (bricksOverlap(laid[i].x, laid[i].y, laid[j].x, laid[j].y))
        return;
    }
  }
  std::copy_n(laid.begin(), count, bricks.begin() + inUse);
  selection.marked.fill(false);
  std::fill_n(selection.marked.begin() + inUse, count, true);
  state.brickCount = inUse + count;
  selection.pasting = false;
}

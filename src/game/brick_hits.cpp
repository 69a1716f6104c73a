#include "game/brick_hits.h"

#include <algorithm>
#include <array>

namespace {

void report(const Game &game, std::vector<GameEvent> *events, GameEventKind kind, int slot) {
  if (events != nullptr)
    events->push_back(GameEvent{game.tick, kind, slot});
}

void breakBrick(Game &game, int slot, std::vector<GameEvent> *events) {
  game.standing[slot] = 0;
  if (isBrickToBreak(game.bricks[slot].type))
    --game.bricksToBreakLeft;
  report(game, events, GameEventKind::Broken, slot);
}

// The brick overlaps the dynamite's box grown by the blast's reach on every side.
bool inBlast(const Brick &dynamite, const Brick &brick) {
  return int64_t{brick.x} < int64_t{dynamite.x} + BrickWidth + BlastReachX &&
         int64_t{dynamite.x} - BlastReachX < int64_t{brick.x} + BrickWidth &&
         int64_t{brick.y} < int64_t{dynamite.y} + BrickHeight + BlastReachY &&
         int64_t{dynamite.y} - BlastReachY < int64_t{brick.y} + BrickHeight;
}

// A dynamite just broken goes off; the dynamite its blast breaks go off after it, in the order
// they were broken. Each breaks once, so the queue holds each slot at most once.
void explode(Game &game, int first, std::vector<GameEvent> *events) {
  std::array<uint16_t, BrickSlots> queue;
  int head = 0;
  int tail = 0;
  queue[tail++] = static_cast<uint16_t>(first);
  while (head < tail) {
    const Brick &dynamite = game.bricks[queue[head]];
    report(game, events, GameEventKind::Blast, queue[head++]);
    for (int slot = 0; slot < game.inUse; ++slot) {
      const int32_t type = game.bricks[slot].type;
      if (game.standing[slot] == 0 || type == UnbreakableType ||
          !inBlast(dynamite, game.bricks[slot]))
        continue;
      breakBrick(game, slot, events);
      if (type == DynamiteType)
        queue[tail++] = static_cast<uint16_t>(slot);
    }
  }
}

void hitBrick(Game &game, int slot, std::vector<GameEvent> *events) {
  ++game.brickHits;
  report(game, events, GameEventKind::Hit, slot);
  const int32_t type = game.bricks[slot].type;
  if (type == UnbreakableType)
    return;
  ++game.hitsTaken[slot];
  if (type == InvisibleType && game.shown[slot] == 0) {
    game.shown[slot] = 1;
    report(game, events, GameEventKind::Shown, slot);
  }
  if (game.hitsTaken[slot] < hitsToBreak(type))
    return;
  breakBrick(game, slot, events);
  if (type == DynamiteType)
    explode(game, slot, events);
}

// Calls visit(slot) for each standing brick the ball's box at (x, y) overlaps, a brick that
// covers several of the box's cells once for each, until visit returns true. A box across the
// field's edge meets only the bricks of the cells it reaches.
template <class Visit> void forEachBrickUnder(const Game &game, int x, int y, Visit visit) {
  const CellSpan span = cellsUnderBall(x, y);
  for (int row = std::max(span.firstRow, 0); row <= std::min(span.lastRow, CellRows - 1); ++row) {
    for (int column = std::max(span.firstColumn, 0);
         column <= std::min(span.lastColumn, CellColumns - 1); ++column) {
      const int cell = row * CellColumns + column;
      for (int entry = game.cells.first[cell]; entry < game.cells.first[cell + 1]; ++entry) {
        const int slot = game.cells.slots[entry];
        if (game.standing[slot] != 0 && ballOverlaps(x, y, game.bricks[slot]) && visit(slot))
          return;
      }
    }
  }
}

} // namespace

bool fieldOrBrickBlocks(const Game &game, int x, int y) {
  if (x < PlayFieldBox.x || x + BallSize > PlayFieldRight || y < PlayFieldBox.y)
    return true;
  bool met = false;
  forEachBrickUnder(game, x, y, [&](int) { return met = true; });
  return met;
}

void hitBricksUnder(Game &game, int x, int y, std::vector<GameEvent> *events) {
  // The box covers at most 2 by 2 cells, each listing a brick at most once.
  std::array<uint16_t, 4 * BrickSlots> met;
  int count = 0;
  forEachBrickUnder(game, x, y, [&](int slot) {
    met[count++] = static_cast<uint16_t>(slot);
    return false;
  });
  std::sort(met.begin(), met.begin() + count);
  count = static_cast<int>(std::unique(met.begin(), met.begin() + count) - met.begin());
  for (int i = 0; i < count; ++i) {
    // A blast of an earlier brick may have broken it.
    if (game.standing[met[i]] != 0)
      hitBrick(game, met[i], events);
  }
}

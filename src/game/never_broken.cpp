#include "game/never_broken.h"

#include "game/ball_places.h"
#include "game/game_rules.h"
#include "game/touch_index.h"

#include <algorithm>

namespace {

// The places are kept in a grid with a border one place wide that no ball takes: what covers
// the border tells which bricks beyond the edges a ball on the edge touches.
constexpr int GridLeft = BallFirstX - 1;
constexpr int GridTop = BallFirstY - 1;
constexpr int GridWidth = BallLastX - BallFirstX + 3;
constexpr int GridHeight = BallLastY - BallFirstY + 3;
constexpr PlaceSpan WholeGrid{GridLeft, GridTop, GridLeft + GridWidth - 1,
                              GridTop + GridHeight - 1};

// A dynamite breaks the bricks whose box overlaps its own grown by the blast's reach.
bool caughtInBlast(const Brick &dynamite, const Brick &brick) {
  const int64_t dx = int64_t{brick.x} - dynamite.x;
  const int64_t dy = int64_t{brick.y} - dynamite.y;
  return dx > -BrickWidth - BlastReachX && dx < BrickWidth + BlastReachX &&
         dy > -BrickHeight - BlastReachY && dy < BrickHeight + BlastReachY;
}

enum Place : uint8_t { Unreached, Reached, Beyond };

// The analysis under way. Balls only ever gain ground: a brick once broken stays broken, so each
// place is reached once and each brick breaks once, and the work is that of a single flood.
struct Reach {
  // Per place of the grid: how many standing bricks a ball there would overlap, and whether a
  // ball gets there (never, for the border).
  std::vector<uint16_t> covering;
  std::vector<uint8_t> places;
  // Reached places whose neighbours and touched bricks are still to be looked at.
  std::vector<int32_t> toVisit;
  // Per slot: the brick breaks. Those in toBreak still stand in covering.
  std::vector<uint8_t> broken;
  std::vector<int32_t> toBreak;
  TouchIndex index;
};

int placeAt(int x, int y) {
  return (y - GridTop) * GridWidth + (x - GridLeft);
}

void reachPlace(int32_t at, Reach &reach) {
  reach.places[at] = Reached;
  reach.toVisit.push_back(at);
}

void markBroken(int32_t slot, Reach &reach) {
  reach.broken[slot] = 1;
  reach.toBreak.push_back(slot);
}

// Balls move a pixel at a time along x or y, so a place is entered only from these four.
bool besideReached(int32_t at, const Reach &reach) {
  return reach.places[at - GridWidth] == Reached || reach.places[at - 1] == Reached ||
         reach.places[at + 1] == Reached || reach.places[at + GridWidth] == Reached;
}

// A ball touches a brick exactly when one of the eight places around it is covered by the
// brick; most places have none, and need no look at the bricks.
bool touchesStanding(int32_t at, const Reach &reach) {
  const uint16_t *around = &reach.covering[at];
  return (around[-GridWidth - 1] | around[-GridWidth] | around[-GridWidth + 1] | around[-1] |
          around[1] | around[GridWidth - 1] | around[GridWidth] | around[GridWidth + 1]) != 0;
}

// Every brick of the game stands in the way, even the unbreakable ones; balls come from the
// free places on the paddle.
Reach startReach(const Bricks &bricks, int32_t inUse) {
  Reach reach;
  reach.covering.assign(GridWidth * GridHeight, 0);
  reach.places.assign(GridWidth * GridHeight, Beyond);
  for (int y = BallFirstY; y <= BallLastY; ++y)
    std::fill_n(reach.places.begin() + placeAt(BallFirstX, y), BallLastX - BallFirstX + 1,
                Unreached);
  for (int32_t slot = 0; slot < inUse; ++slot) {
    if (!isGameBrick(bricks[slot].type))
      continue;
    const PlaceSpan span = coveredBy(bricks[slot], WholeGrid);
    for (int y = span.top; y <= span.bottom; ++y)
      for (int x = span.left; x <= span.right; ++x)
        ++reach.covering[placeAt(x, y)];
  }
  reach.broken.assign(inUse, 0);
  reach.index = indexBricksToBreak(bricks, inUse);
  reach.toVisit.reserve(GridWidth * GridHeight);
  for (int x = BallFirstX; x <= BallLastX; ++x)
    if (reach.covering[placeAt(x, BallLastY)] == 0)
      reachPlace(placeAt(x, BallLastY), reach);
  return reach;
}

// The brick's area frees the places it alone covered; those a ball can step into from a
// reached place, or is served on, are reached. A dynamite breaks what its blast catches.
void breakBrick(int32_t slot, const Bricks &bricks, int32_t inUse, Reach &reach) {
  const Brick &brick = bricks[slot];
  const PlaceSpan span = coveredBy(brick, WholeGrid);
  for (int y = span.top; y <= span.bottom; ++y) {
    for (int x = span.left; x <= span.right; ++x) {
      const int32_t at = placeAt(x, y);
      if (--reach.covering[at] == 0 && reach.places[at] == Unreached &&
          (y == BallLastY || besideReached(at, reach)))
        reachPlace(at, reach);
    }
  }
  if (brick.type != DynamiteType)
    return;
  for (int32_t other = 0; other < inUse; ++other)
    if (reach.broken[other] == 0 && isBrickToBreak(bricks[other].type) &&
        caughtInBlast(brick, bricks[other]))
      markBroken(other, reach);
}

// A reached place spreads to its free neighbours and breaks the bricks to break it touches.
void visit(int32_t at, const Bricks &bricks, Reach &reach) {
  for (const int32_t next : {at - GridWidth, at - 1, at + 1, at + GridWidth})
    if (reach.places[next] == Unreached && reach.covering[next] == 0)
      reachPlace(next, reach);
  if (!touchesStanding(at, reach))
    return;
  const int x = at % GridWidth + GridLeft;
  const int y = at / GridWidth + GridTop;
  const int cell = touchCellOf(x, y);
  for (int32_t i = reach.index.starts[cell]; i < reach.index.starts[cell + 1]; ++i) {
    const int32_t slot = reach.index.slots[i];
    if (reach.broken[slot] == 0 && inSpan(touchingOf(bricks[slot], BallPlaces), x, y))
      markBroken(slot, reach);
  }
}

} // namespace

std::vector<int32_t> bricksNeverBroken(const Bricks &bricks, int32_t brickCount) {
  const int32_t inUse = bricksInUse(brickCount);
  Reach reach = startReach(bricks, inUse);
  while (!reach.toBreak.empty() || !reach.toVisit.empty()) {
    if (!reach.toBreak.empty()) {
      const int32_t slot = reach.toBreak.back();
      reach.toBreak.pop_back();
      breakBrick(slot, bricks, inUse, reach);
    } else {
      const int32_t at = reach.toVisit.back();
      reach.toVisit.pop_back();
      visit(at, bricks, reach);
    }
  }
  std::vector<int32_t> neverBroken;
  for (int32_t slot = 0; slot < inUse; ++slot)
    if (isBrickToBreak(bricks[slot].type) && reach.broken[slot] == 0)
      neverBroken.push_back(slot);
  return neverBroken;
}

#include "tools/overlap_index.h"

#include <numeric>

namespace {

constexpr int OverlapIndexRight = OverlapIndexLeft + OverlapIndexColumns * BrickWidth;
constexpr int OverlapIndexBottom = OverlapIndexTop + OverlapIndexRows * BrickHeight;

// A position inside the level area reaches at most a brick's size less one pixel each way, and
// all of that lies inside the buckets.
static_assert(LevelLeft - (BrickWidth - 1) >= OverlapIndexLeft);
static_assert(LevelRight - 1 + (BrickWidth - 1) < OverlapIndexRight);
static_assert(LevelTop - (BrickHeight - 1) >= OverlapIndexTop);
static_assert(LevelBottom - 1 + (BrickHeight - 1) < OverlapIndexBottom);
static_assert(BrickSlots < UINT16_MAX, "slots and bucket bounds are kept in 16 bits");

constexpr int NotIndexed = -1;

// Bucket of a brick, or NotIndexed when it lies outside the buckets. The bounds are compared
// before any arithmetic, so positions at the ends of the 32-bit range cannot overflow.
int bucketOf(const Brick &brick) {
  if (brick.x < OverlapIndexLeft || brick.x >= OverlapIndexRight || brick.y < OverlapIndexTop ||
      brick.y >= OverlapIndexBottom)
    return NotIndexed;
  return (brick.y - OverlapIndexTop) / BrickHeight * OverlapIndexColumns +
         (brick.x - OverlapIndexLeft) / BrickWidth;
}

} // namespace

void buildOverlapIndex(const Bricks &bricks, int32_t inUse, OverlapIndex &index) {
  index.bricks = &bricks;
  index.inUse = inUse;
  // A counting sort: count each bucket, turn the counts into the ends of the buckets, then
  // fill each bucket from its end so that every end moves back to its bucket's start.
  index.first.fill(0);
  std::array<int16_t, BrickSlots> bucket;
  for (int32_t slot = 0; slot < inUse; ++slot) {
    bucket[slot] = static_cast<int16_t>(bucketOf(bricks[slot]));
    if (bucket[slot] != NotIndexed)
      ++index.first[bucket[slot]];
  }
  // No brick is in the last count: every end is the running sum, the last the total.
  std::partial_sum(index.first.begin(), index.first.end(), index.first.begin());
  for (int32_t slot = inUse - 1; slot >= 0; --slot) {
    if (bucket[slot] != NotIndexed)
      index.slots[--index.first[bucket[slot]]] = static_cast<uint16_t>(slot);
  }
}

bool overlapsBrickInUse(const OverlapIndex &index, int x, int y) {
  const Bricks &bricks = *index.bricks;
  if (!contains(LevelAreaRegion, x, y)) {
    for (int32_t slot = 0; slot < index.inUse; ++slot) {
      if (bricksOverlap(x, y, bricks[slot].x, bricks[slot].y))
        return true;
    }
    return false;
  }
  // Buckets holding a brick less than a brick's size away on each axis.
  const int firstColumn = (x - (BrickWidth - 1) - OverlapIndexLeft) / BrickWidth;
  const int lastColumn = (x + (BrickWidth - 1) - OverlapIndexLeft) / BrickWidth;
  const int firstRow = (y - (BrickHeight - 1) - OverlapIndexTop) / BrickHeight;
  const int lastRow = (y + (BrickHeight - 1) - OverlapIndexTop) / BrickHeight;
  for (int row = firstRow; row <= lastRow; ++row) {
    const int rowStart = row * OverlapIndexColumns;
    const int from = index.first[rowStart + firstColumn];
    const int to = index.first[rowStart + lastColumn + 1];
    for (int at = from; at < to; ++at) {
      const Brick &brick = bricks[index.slots[at]];
      if (bricksOverlap(x, y, brick.x, brick.y))
        return true;
    }
  }
  return false;
}

#pragma once
// Answers "does a new brick at (x, y) overlap a brick in use?" without testing every brick.
// A placement asks this once per pattern cell; testing all 396 bricks for each of 396 cells
// took about a tenth of the time between two motion events of a drag.
//
// The bricks around the level area are sorted into buckets of one brick's size, so a position
// inside the level area meets only the bricks of the 2 or 3 by 2 or 3 buckets around it, one
// contiguous run of slots per bucket row. Bricks anywhere else (only a level file puts them
// there) are left out: they cannot reach a position inside the level area. A position outside
// it, which no caller of the placement should ask for, is answered by testing every brick.

#include "editor/editor_state.h"
#include "editor/screen_layout.h"

#include <array>
#include <cstdint>

// The bucketed region: the level area and one brick's size around it, which holds every brick
// that can overlap a position inside the level area.
constexpr int OverlapIndexLeft = LevelLeft - BrickWidth;
constexpr int OverlapIndexTop = LevelTop - BrickHeight;
constexpr int OverlapIndexColumns = (LevelWidth + 2 * BrickWidth + BrickWidth - 1) / BrickWidth;
constexpr int OverlapIndexRows = (LevelHeight + 2 * BrickHeight + BrickHeight - 1) / BrickHeight;
constexpr int OverlapIndexBuckets = OverlapIndexColumns * OverlapIndexRows;

struct OverlapIndex {
  const Bricks *bricks;
  int32_t inUse;
  // Bucket b holds the slots slots[first[b]] to slots[first[b + 1] - 1], buckets row by row.
  std::array<uint16_t, OverlapIndexBuckets + 1> first;
  std::array<uint16_t, BrickSlots> slots;
};

// Indexes slots 0 to inUse - 1 (inUse within 0..396). The index refers to bricks, which must
// not change while it is used.
void buildOverlapIndex(const Bricks &bricks, int32_t inUse, OverlapIndex &index);

// True when a brick at (x, y) would overlap a brick in use, exactly as bricksOverlap says.
bool overlapsBrickInUse(const OverlapIndex &index, int x, int y);

#pragma once
// The bricks to break by the cells of 32 by 32 ball places where a ball touches them, so that a
// ball looks only at the few bricks near it rather than at all of them.

#include "level/brick.h"

#include <cstdint>
#include <vector>

struct TouchIndex {
  // The slots of cell c are slots[starts[c]] to slots[starts[c + 1] - 1], ascending.
  std::vector<int32_t> starts;
  std::vector<int32_t> slots;
};

// Every brick to break among the slots in use, in each cell holding a place that touches it.
TouchIndex indexBricksToBreak(const Bricks &bricks, int32_t inUse);

// The cell of a ball place (within BallPlaces).
int touchCellOf(int x, int y);

#include "game/touch_index.h"

#include "game/ball_places.h"

#include <numeric>

namespace {

constexpr int CellShift = 5;
constexpr int CellColumns = ((BallLastX - BallFirstX) >> CellShift) + 1;
constexpr int CellRows = ((BallLastY - BallFirstY) >> CellShift) + 1;

// The cells of each brick to break that a ball in the field can touch, in slot order.
template <typename Visit> void forEachCell(const Bricks &bricks, int32_t inUse, Visit visit) {
  for (int32_t slot = 0; slot < inUse; ++slot) {
    const PlaceSpan span = touchingOf(bricks[slot], BallPlaces);
    if (!isBrickToBreak(bricks[slot].type) || isEmpty(span))
      continue;
    const int first = touchCellOf(span.left, span.top);
    const int last = touchCellOf(span.right, span.bottom);
    for (int row = first / CellColumns; row <= last / CellColumns; ++row)
      for (int column = first % CellColumns; column <= last % CellColumns; ++column)
        visit(row * CellColumns + column, slot);
  }
}

} // namespace

int touchCellOf(int x, int y) {
  return ((y - BallFirstY) >> CellShift) * CellColumns + ((x - BallFirstX) >> CellShift);
}

// Counted, then filled: one array for all the cells.
TouchIndex indexBricksToBreak(const Bricks &bricks, int32_t inUse) {
  TouchIndex index;
  index.starts.assign(CellColumns * CellRows + 1, 0);
  forEachCell(bricks, inUse, [&](int cell, int32_t) { ++index.starts[cell + 1]; });
  std::partial_sum(index.starts.begin(), index.starts.end(), index.starts.begin());
  index.slots.resize(index.starts.back());
  std::vector<int32_t> next(index.starts.begin(), index.starts.end() - 1);
  forEachCell(bricks, inUse, [&](int cell, int32_t slot) { index.slots[next[cell]++] = slot; });
  return index;
}

#include "game/brick_cells.h"

#include <algorithm>
#include <numeric>

namespace {

static_assert(MostCellEntries < UINT16_MAX, "slots and cell bounds are kept in 16 bits");

struct CellRange {
  int firstColumn;
  int lastColumn;
  int firstRow;
  int lastRow;
};

// The cells that the pixels from..to cover along one axis, clipped to the count cells from
// origin; first > last when there are none. In 64 bits, as a level file may put a brick at the
// ends of the 32-bit range.
void clipToCells(int64_t from, int64_t to, int origin, int count, int &first, int &last) {
  first =
      from < origin ? 0 : static_cast<int>(std::min<int64_t>((from - origin) / CellSize, count));
  last =
      to < origin ? -1 : static_cast<int>(std::min<int64_t>((to - origin) / CellSize, count - 1));
}

CellRange cellsUnderBrick(const Brick &brick) {
  CellRange range{};
  clipToCells(brick.x, int64_t{brick.x} + BrickWidth - 1, PlayFieldBox.x, CellColumns,
              range.firstColumn, range.lastColumn);
  clipToCells(brick.y, int64_t{brick.y} + BrickHeight - 1, PlayFieldBox.y, CellRows, range.firstRow,
              range.lastRow);
  return range;
}

// A range of no cells (first > last) visits none.
template <class Visit> void forEachCell(const CellRange &range, Visit visit) {
  for (int row = range.firstRow; row <= range.lastRow; ++row)
    for (int column = range.firstColumn; column <= range.lastColumn; ++column)
      visit(row * CellColumns + column);
}

} // namespace

void buildBrickCells(const Bricks &bricks, int32_t inUse,
                     const std::array<uint8_t, BrickSlots> &taking, BrickCells &cells) {
  // A counting sort, as in the placement's overlap index: count each cell, turn the counts into
  // the ends of the cells, then fill each cell from its end back to its start, so that each
  // cell lists its slots in slot order.
  cells.first.fill(0);
  for (int32_t slot = 0; slot < inUse; ++slot)
    if (taking[slot] != 0)
      forEachCell(cellsUnderBrick(bricks[slot]), [&](int cell) { ++cells.first[cell]; });
  std::partial_sum(cells.first.begin(), cells.first.end(), cells.first.begin());
  for (int32_t slot = inUse - 1; slot >= 0; --slot)
    if (taking[slot] != 0)
      forEachCell(cellsUnderBrick(bricks[slot]), [&](int cell) {
        cells.slots[--cells.first[cell]] = static_cast<uint16_t>(slot);
      });
}

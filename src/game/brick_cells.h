#pragma once
// Which bricks a ball's box can meet, without testing every brick: the play field cut into
// cells of the ball's size, each listing the slots of the bricks that cover it. The ball's box
// covers at most 2 by 2 cells, and in a level the editor makes a cell touches at most 4 bricks,
// so a tested box looks at a handful of bricks instead of up to 396: a tick must cost well
// under a microsecond. Built once when a game starts; broken bricks stay listed and are skipped
// by their flag.

#include "game/game_rules.h"
#include "level/brick.h"

#include <array>
#include <cstdint>

constexpr int CellSize = BallSize;
constexpr int CellColumns = PlayFieldBox.w / CellSize;
// Down to the lowest row a tested box covers: a ball at 739 tries 740, down to 747.
constexpr int CellRows = (PlayFieldBottom + BallSize - 1 - PlayFieldBox.y) / CellSize + 1;
constexpr int CellCount = CellColumns * CellRows;
// A brick's 40 by 20 pixels cover at most 6 by 4 cells.
constexpr int MostCellEntries = BrickSlots * 6 * 4;

struct BrickCells {
  // Cell c lists slots[first[c]] to slots[first[c + 1] - 1], cells row by row.
  std::array<uint16_t, CellCount + 1> first;
  std::array<uint16_t, MostCellEntries> slots;
};

// Lists the slots below inUse that take part (taking[slot] non-zero) under every cell they
// cover; the parts of bricks outside the cells, where no ball goes, are left out.
void buildBrickCells(const Bricks &bricks, int32_t inUse,
                     const std::array<uint8_t, BrickSlots> &taking, BrickCells &cells);

// The cells a box of the ball's size at pixel (x, y) covers; a box across the field's edge
// gives cells outside 0..CellColumns - 1 or 0..CellRows - 1, which callers leave out.
struct CellSpan {
  int firstColumn;
  int lastColumn;
  int firstRow;
  int lastRow;
};
constexpr CellSpan cellsUnderBall(int x, int y) {
  return CellSpan{(x - PlayFieldBox.x) / CellSize, (x + BallSize - 1 - PlayFieldBox.x) / CellSize,
                  (y - PlayFieldBox.y) / CellSize, (y + BallSize - 1 - PlayFieldBox.y) / CellSize};
}

// True when the ball's box at (x, y) overlaps the brick.
constexpr bool ballOverlaps(int x, int y, const Brick &brick) {
  return int64_t{brick.x} < x + BallSize && x < int64_t{brick.x} + BrickWidth &&
         int64_t{brick.y} < y + BallSize && y < int64_t{brick.y} + BrickHeight;
}

#pragma once
// Rectangles and points of the 1024 by 768 screen, the level's playing field among them, and
// when two bricks overlap or a point hits a brick.

#include "level/brick.h"

#include <cstdint>

// A drawn rectangle: top-left corner and size.
struct Box {
  int x;
  int y;
  int w;
  int h;
};

// A hit region, bounds included.
struct Region {
  int left;
  int top;
  int right;
  int bottom;
};

constexpr bool contains(const Region &region, int x, int y) {
  return x >= region.left && x <= region.right && y >= region.top && y <= region.bottom;
}

// Clicks on a drawn box count from one pixel in: its first row and column do not respond, its
// last row and column do.
constexpr Region clickRegion(const Box &box) {
  return Region{box.x + 1, box.y + 1, box.x + box.w - 1, box.y + box.h - 1};
}

// Every pixel of a box, bounds included.
constexpr Region pixelsOf(const Box &box) {
  return Region{box.x, box.y, box.x + box.w - 1, box.y + box.h - 1};
}

struct Point {
  int x;
  int y;
};

// The level's playing field as drawn: x 24..775, y 30..469.
constexpr Box LevelBox{24, 30, 752, 440};
constexpr int LevelLeft = LevelBox.x;
constexpr int LevelTop = LevelBox.y;
constexpr int LevelWidth = LevelBox.w;
constexpr int LevelHeight = LevelBox.h;
constexpr int LevelRight = LevelLeft + LevelWidth;  // 776, one past the last column
constexpr int LevelBottom = LevelTop + LevelHeight; // 470, one past the last row

// A brick at (x, y) lies wholly inside the level area. In 64 bits: a level file may hold
// positions at the ends of the 32-bit range, and a move adds to them.
constexpr bool insideLevel(int64_t x, int64_t y) {
  return x >= LevelLeft && y >= LevelTop && x + BrickWidth <= LevelRight &&
         y + BrickHeight <= LevelBottom;
}

// Two bricks overlap when they are less than a brick apart both across and down; touching
// bricks do not overlap.
// Computed in 64 bits: a level file may hold positions at the ends of the 32-bit range.
constexpr bool bricksOverlap(int x, int y, int otherX, int otherY) {
  const int64_t dx = int64_t{x} - otherX;
  const int64_t dy = int64_t{y} - otherY;
  return -BrickWidth < dx && dx < BrickWidth && -BrickHeight < dy && dy < BrickHeight;
}

// A brick is hit only strictly inside: its top row and left column of pixels do not count.
constexpr bool brickHit(const Brick &brick, int x, int y) {
  return brick.x < x && int64_t{x} < int64_t{brick.x} + BrickWidth && brick.y < y &&
         int64_t{y} < int64_t{brick.y} + BrickHeight;
}

#pragma once
// A brick of a level: its place on the screen and its type. The editor, the game and the
// checks of a level all build on it.

#include <array>
#include <cstdint>

constexpr int BrickWidth = 40;
constexpr int BrickHeight = 20;
// The pattern grid has the level's shape: 18 bricks across, 22 down.
constexpr int GridColumns = 18;
constexpr int GridRows = 22;
// The most bricks that fit the level area without overlapping.
constexpr int BrickSlots = GridColumns * GridRows;

constexpr int32_t LastOrdinaryType = 21;
constexpr int32_t LastBrickType = 24;

struct Brick {
  int32_t x;
  int32_t y;
  int32_t type;
};

constexpr bool operator==(const Brick &a, const Brick &b) {
  return a.x == b.x && a.y == b.y && a.type == b.type;
}
constexpr bool operator!=(const Brick &a, const Brick &b) {
  return !(a == b);
}

using Bricks = std::array<Brick, BrickSlots>;

// brickCount clamped to 0..396: a level file that breaks the rules must never make the editor
// read or write outside the slots.
constexpr int32_t bricksInUse(int32_t brickCount) {
  return brickCount < 0 ? 0 : (brickCount > BrickSlots ? BrickSlots : brickCount);
}

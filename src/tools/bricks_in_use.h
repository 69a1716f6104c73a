#pragma once
// How many slots of bricks really hold bricks in use.

#include "editor/editor_state.h"

// brickCount clamped to 0..396: a level file that breaks the rules must never make a
// handler read or write outside the slots.
constexpr int32_t bricksInUse(int32_t brickCount) {
  return brickCount < 0 ? 0 : (brickCount > BrickSlots ? BrickSlots : brickCount);
}

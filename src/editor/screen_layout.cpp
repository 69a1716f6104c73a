#include "editor/screen_layout.h"

int brickUnder(const Bricks &bricks, int32_t brickCount, int x, int y) {
  for (int32_t slot = 0; slot < brickCount && slot < BrickSlots; ++slot) {
    if (brickHit(bricks[slot], x, y))
      return slot;
  }
  return -1;
}

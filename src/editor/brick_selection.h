#pragma once
// The bricks picked out to be acted on together, the gesture a left press started on them, and
// the bricks last copied. Marks are kept by slot, so whatever moves a brick to another slot
// carries its mark along.

#include "editor/editor_state.h"

#include <array>
#include <cstdint>
#include <vector>

// What a left press in the level area started, until the left release: a frame drawn with
// Shift held, or the selection dragged from one of its bricks.
enum class SelectionGesture { None, Framing, Moving };

struct BrickSelection {
  // A selected brick's slot is marked; a slot not in use never is.
  std::array<bool, BrickSlots> marked{};
  SelectionGesture gesture = SelectionGesture::None;
  // Where the gesture's press was: the frame's first corner, or the point the moving bricks
  // hang from.
  int32_t pressX = 0;
  int32_t pressY = 0;
  // The bricks last copied, placed from the top-left corner of their bounding box. They outlive
  // the level they came from, so that bricks can go from one level into another.
  std::vector<Brick> copied;
  // Ctrl+V: the copied bricks follow the pointer until a left press lays them.
  bool pasting = false;
};

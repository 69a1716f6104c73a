#pragma once
// Where a ball can be, and which of those places a brick takes from it or lets it touch it. A
// ball's place is the top-left corner of its 8 by 8 box, on whole pixels.

#include "game/game_rules.h"
#include "level/brick.h"

#include <algorithm>
#include <cstdint>

// The box stays within the field's left, right and top edges and no lower than resting on the
// paddle: below that it only falls.
constexpr int BallFirstX = PlayFieldBox.x;
constexpr int BallLastX = PlayFieldRight - BallSize;
constexpr int BallFirstY = PlayFieldBox.y;
constexpr int BallLastY = BallRestY;

// Places, bounds included; empty when left > right or top > bottom.
struct PlaceSpan {
  int left;
  int top;
  int right;
  int bottom;
};
constexpr PlaceSpan BallPlaces{BallFirstX, BallFirstY, BallLastX, BallLastY};

constexpr bool isEmpty(const PlaceSpan &span) {
  return span.left > span.right || span.top > span.bottom;
}

constexpr bool inSpan(const PlaceSpan &span, int x, int y) {
  return x >= span.left && x <= span.right && y >= span.top && y <= span.bottom;
}

// The places from (left, top) to (right, bottom) that lie within: bounds in 64 bits, since a
// level file may put a brick anywhere in the 32-bit range.
constexpr PlaceSpan clippedTo(const PlaceSpan &within, int64_t left, int64_t top, int64_t right,
                              int64_t bottom) {
  if (left > within.right || right < within.left || top > within.bottom || bottom < within.top)
    return PlaceSpan{0, 0, -1, -1};
  return PlaceSpan{static_cast<int>(std::max<int64_t>(left, within.left)),
                   static_cast<int>(std::max<int64_t>(top, within.top)),
                   static_cast<int>(std::min<int64_t>(right, within.right)),
                   static_cast<int>(std::min<int64_t>(bottom, within.bottom))};
}

// The places where a ball's box would overlap the brick's.
constexpr PlaceSpan coveredBy(const Brick &brick, const PlaceSpan &within) {
  return clippedTo(within, int64_t{brick.x} - BallSize + 1, int64_t{brick.y} - BallSize + 1,
                   int64_t{brick.x} + BrickWidth - 1, int64_t{brick.y} + BrickHeight - 1);
}

// The places where a ball touches the brick: its box grown by a pixel all round, corners
// included, overlaps the part of the brick inside the field (the field's edges stand between
// a ball and what lies beyond them). These are the covered places and the ring around them.
constexpr PlaceSpan touchingOf(const Brick &brick, const PlaceSpan &within) {
  const int64_t left = std::max<int64_t>(brick.x, PlayFieldBox.x);
  const int64_t top = std::max<int64_t>(brick.y, PlayFieldBox.y);
  const int64_t right = std::min<int64_t>(int64_t{brick.x} + BrickWidth, PlayFieldRight) - 1;
  const int64_t bottom = std::min<int64_t>(int64_t{brick.y} + BrickHeight, PlayFieldBottom) - 1;
  if (left > right || top > bottom)
    return PlaceSpan{0, 0, -1, -1};
  return clippedTo(within, left - BallSize, top - BallSize, right + 1, bottom + 1);
}

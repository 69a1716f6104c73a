#pragma once
// How the ball moves in one tick, shared by the game and by the autopilot's look-ahead, which
// plays the same ball against a floor instead of the paddle. The position is kept in
// micro-pixels so that a slow ball still moves a little every tick; it is drawn and tested at
// whole pixels. As a ball covers less than a pixel a tick, each tick changes each pixel
// coordinate by at most one, and trying the new pixels one axis at a time never lets the ball
// pass through anything.

#include <cstdint>

constexpr int64_t MicroPerPixel = 1000000;

struct Ball {
  // The top-left corner, in micro-pixels.
  int64_t x;
  int64_t y;
  // Micro-pixels per tick.
  int32_t vx;
  int32_t vy;
  // The magnitude the components were made from; the paddle speeds it up.
  int32_t speed;
};

// Floor division: a pixel holds the micro-pixels from its own value up to the next.
constexpr int pixelOf(int64_t micro) {
  return static_cast<int>(micro >= 0 ? micro / MicroPerPixel
                                     : -((-micro + MicroPerPixel - 1) / MicroPerPixel));
}

// Which move a blocked box stopped.
enum class BlockedMove : uint8_t { Across, Vertical, Corner };

// The reflection off anything but the paddle's top: the stopped components reverse.
inline void reverse(Ball &ball, BlockedMove move) {
  if (move != BlockedMove::Vertical)
    ball.vx = -ball.vx;
  if (move != BlockedMove::Across)
    ball.vy = -ball.vy;
}

// One tick. blocked(x, y) says whether the ball's box at pixel (x, y) may not go there;
// turn(x, y, move) is told the blocked box and which move it stopped, and must set the new
// velocity. A diagonal step whose two one-axis steps are free but whose corner is blocked turns
// the ball back on both axes where it stands. Otherwise x moves first (or turns and keeps its
// value), then y from the x it has, so that a ball sliding along a wall still falls.
template <class Blocked, class Turn> void moveBall(Ball &ball, Blocked blocked, Turn turn) {
  const int64_t newX = ball.x + ball.vx;
  const int64_t newY = ball.y + ball.vy;
  const int x = pixelOf(ball.x);
  const int y = pixelOf(ball.y);
  const int stepX = pixelOf(newX) - x;
  const int stepY = pixelOf(newY) - y;
  const bool acrossBlocked = stepX != 0 && blocked(x + stepX, y);
  if (stepX != 0 && stepY != 0 && !acrossBlocked && !blocked(x, y + stepY) &&
      blocked(x + stepX, y + stepY)) {
    turn(x + stepX, y + stepY, BlockedMove::Corner);
    return;
  }
  if (acrossBlocked)
    turn(x + stepX, y, BlockedMove::Across);
  else
    ball.x = newX;
  const int movedX = pixelOf(ball.x);
  if (stepY != 0 && blocked(movedX, y + stepY))
    turn(movedX, y + stepY, BlockedMove::Vertical);
  else
    ball.y = newY;
}

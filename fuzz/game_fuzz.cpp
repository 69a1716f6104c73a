// Plays levels and inputs made of arbitrary bytes and checks after every tick what the rules
// promise whatever the player does: the ball overlaps no standing brick and not the paddle and
// leaves the field only below it; no brick has taken more hits than break it, nor stands with
// them, and a standing brick looks damaged once hit and shows unless it is an invisible one not
// yet hit; the bricks left to break are counted right; a moving ball keeps a speed of 360,000 to
// 720,000 micro-pixels a tick, its velocity of that size, at least 15 degrees from the
// horizontal. The bricks are those the editor can make: inside the level area, none overlapping.

#include "game/game.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

bool overlap(const Point &ball, int x, int y, int width, int height) {
  return x < ball.x + BallSize && ball.x < x + width && y < ball.y + BallSize &&
         ball.y < y + height;
}

// Bricks change only when one is hit: their own rules are checked then.
const char *brokenRule(const Game &game, bool bricksChanged) {
  const Point ball = ballPixel(game);
  if (ball.x < PlayFieldBox.x || ball.x + BallSize > PlayFieldRight || ball.y < PlayFieldBox.y ||
      overlap(ball, game.paddleX, PaddleTop, PaddleWidth, PaddleHeight))
    return "the ball left the field or overlaps the paddle";
  int toBreak = 0;
  for (int slot = 0; slot < game.inUse; ++slot) {
    const bool standing = brickStanding(game, slot);
    if (standing &&
        overlap(ball, game.bricks[slot].x, game.bricks[slot].y, BrickWidth, BrickHeight))
      return "the ball overlaps a standing brick";
    if (!bricksChanged)
      continue;
    const int hits = game.hitsTaken[slot], most = hitsToBreak(game.bricks[slot].type);
    if (hits > most || (standing && hits == most && most > 0) ||
        brickDamaged(game, slot) != (standing && hits > 0) ||
        brickShown(game, slot) != (standing && (game.bricks[slot].type != InvisibleType || hits)))
      return "a brick's hits taken do not match its standing or its looks";
    toBreak += standing && isBrickToBreak(game.bricks[slot].type);
  }
  if (bricksChanged && toBreak != bricksToBreakLeft(game))
    return "the bricks left to break are miscounted";
  const int64_t vx = game.ball.vx, vy = game.ball.vy, speed = game.ball.speed;
  if (phase(game) != GamePhase::Moving)
    return nullptr;
  if (speed < 360000 || speed > 720000 || vx * vx + vy * vy < (speed - 2) * (speed - 2) ||
      vx * vx + vy * vy > (speed + 1) * (speed + 1))
    return "the speed is out of range or the velocity is not of its size";
  return 10000 * std::abs(vy) < 2679 * std::abs(vx) ? "the direction is too flat" : nullptr;
}

} // namespace

// Bytes: a count of tries, then three bytes a try (a brick on the brick grid when the type byte's
// top bit is set, anywhere otherwise; types 0 and 25 take no part), then two bytes per run of
// ticks: pointer, serve and autopilot, and the run's length. An ended game starts again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::size_t at = 0;
  const auto next = [&]() -> int { return at < size ? data[at++] : 0; };
  Bricks bricks{};
  int32_t count = 0;
  const int low = next(), tries = low | (next() & 1) << 8;
  for (int tried = 0; tried < tries && count < BrickSlots; ++tried) {
    const int a = next(), b = next(), type = next();
    const Brick brick = type & 0x80
                            ? Brick{LevelLeft + a % GridColumns * BrickWidth,
                                    LevelTop + b % GridRows * BrickHeight, type % 26}
                            : Brick{LevelLeft + a * (LevelWidth - BrickWidth) / 255,
                                    LevelTop + b * (LevelHeight - BrickHeight) / 255, type % 26};
    if (std::none_of(bricks.begin(), bricks.begin() + count, [&](const Brick &other) {
          return bricksOverlap(brick.x, brick.y, other.x, other.y);
        }))
      bricks[count++] = brick;
  }
  Game game = startGame(bricks, count);
  // At most 50,000 ticks, which a build with sanitizers plays within libFuzzer's time limit.
  for (int played = 0; at < size && played < 50000;) {
    const int how = next(), ticks = 1 + 2 * next();
    const TickInput input{(how >> 3) * 33 - 60, (how & 4) != 0, (how & 3) != 0};
    for (int tick = 0; tick < ticks; ++tick, ++played) {
      if (gameOver(game))
        game = startGame(bricks, count);
      const uint32_t brickHits = game.brickHits;
      advanceTick(game, input);
      if (const char *fault = brokenRule(game, game.brickHits != brickHits)) {
        std::fprintf(stderr, "game: %s at tick %u (run ending at byte %zu)\n", fault,
                     ticksPlayed(game), at);
        std::abort();
      }
    }
  }
  return 0;
}

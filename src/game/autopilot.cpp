#include "game/autopilot.h"

#include "game/brick_hits.h"
#include "game/game.h"
#include "game/paddle_angles.h"

#include <cstdlib>

namespace {

// The look-ahead's floor: a box this low overlaps the paddle's rows, wherever the paddle is.
constexpr int LandingY = PaddleTop - BallSize + 1;

// The paddle offset, -43..43, that sends a ball from one centre point toward another: the one
// whose angle's tangent comes nearest to across / up. Beyond 60 degrees the widest angle is the
// nearest; a point not above the ball gets straight up.
int aimOffset(int fromX, int fromY, int toX, int toY) {
  const int64_t up = fromY - toY;
  const int64_t across = std::abs(toX - fromX);
  if (up <= 0)
    return 0;
  int best = 0;
  int64_t bestMiss = INT64_MAX;
  for (int offset = 0; offset <= MostPaddleOffset; ++offset) {
    const int64_t miss = std::abs(PaddleAngleTable.tangent[offset] * up - across * TrigScale);
    if (miss < bestMiss) {
      bestMiss = miss;
      best = offset;
    }
  }
  return toX < fromX ? -best : best;
}

// The next standing brick to break from the slot where the last search stopped, in turn.
int nextBrickToAim(Game &game) {
  for (int i = 0; i < game.inUse; ++i) {
    const int slot = (game.autopilot.nextTarget + i) % game.inUse;
    if (game.standing[slot] != 0 && isBrickToBreak(game.bricks[slot].type)) {
      game.autopilot.nextTarget = slot + 1;
      return slot;
    }
  }
  return -1;
}

// Where the paddle must be for a ball landing at x to leave toward the next brick to aim at:
// the ball's centre, one pixel above the landing row, to the middle of the brick's underside.
int32_t placeUnderLanding(Game &game, int x) {
  const int slot = nextBrickToAim(game);
  int offset = 0;
  if (slot >= 0) {
    const Brick &target = game.bricks[slot];
    offset = aimOffset(x + BallSize / 2, LandingY - 1 + BallSize / 2, target.x + BrickWidth / 2,
                       target.y + BrickHeight + BallSize / 2);
  }
  return x + BallSize / 2 - PaddleWidth / 2 - offset;
}

} // namespace

int32_t steerAutopilot(Game &game) {
  Autopilot &pilot = game.autopilot;
  if (game.phase != GamePhase::Moving) {
    pilot.following = false;
    return game.paddleX;
  }
  if (!pilot.following || pilot.seenBrickHits != game.brickHits ||
      pilot.seenPaddleHits != game.paddleHits) {
    pilot.lookAhead = game.ball;
    pilot.following = true;
    pilot.seenBrickHits = game.brickHits;
    pilot.seenPaddleHits = game.paddleHits;
    pilot.landed = false;
  }
  for (int step = 0; step < LookAheadStepsPerTick && !pilot.landed; ++step) {
    moveBall(
        pilot.lookAhead,
        [&](int x, int y) { return y >= LandingY || fieldOrBrickBlocks(game, x, y); },
        [&](int x, int y, BlockedMove move) {
          if (y >= LandingY) {
            pilot.landed = true;
            pilot.paddleTarget = placeUnderLanding(game, x);
          } else {
            reverse(pilot.lookAhead, move);
          }
        });
  }
  return pilot.landed ? pilot.paddleTarget : game.paddleX;
}

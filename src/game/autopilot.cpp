#include "game/autopilot.h"

#include "game/brick_hits.h"
#include "game/game.h"
#include "game/never_broken.h"
#include "game/paddle_angles.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The look-ahead's floor: a box this low overlaps the paddle's rows, wherever the paddle is.
constexpr int LandingY = PaddleTop - BallSize + 1;
// Bricks tried as targets at one landing, which keeps that tick as cheap as any other: the
// next landing goes on from where this one stopped.
constexpr int MostTargetsTried = 16;
// Landings in a row that break or damage nothing before the course is varied.
constexpr int IdleLandingsBeforeVarying = 2;

// How far the bricks to break are from gone: what they still stand, less the hits taken.
int64_t damageLeft(const Game &game) {
  int64_t left = 0;
  for (int slot = 0; slot < game.inUse; ++slot)
    if (game.standing[slot] != 0 && isBrickToBreak(game.bricks[slot].type))
      left += hitsToBreak(game.bricks[slot].type) - game.hitsTaken[slot];
  return left;
}

// An offset drawn from the landings' count, the same in every game: a course that went
// nowhere is not played again.
int variedOffset(uint32_t landings) {
  return static_cast<int>((landings * 2654435761u >> 16) % (2 * MostPaddleOffset + 1)) -
         MostPaddleOffset;
}

// The paddle offset, -43..43, that sends a ball from one centre point toward another: the one
// whose angle's tangent comes nearest to across / up. A point farther aside than the widest
// angle reaches gets that angle, a point not above the ball straight up; neither is in reach.
int aimOffset(int fromX, int fromY, int toX, int toY, bool &inReach) {
  const int64_t up = fromY - toY;
  const int64_t across = std::abs(toX - fromX);
  inReach = up > 0 && across * TrigScale <= PaddleAngleTable.tangent[MostPaddleOffset] * up;
  if (up <= 0)
    return 0;
  // The tangents grow with the offset: the nearest is the first at least across / up or the
  // one before it.
  const auto &tangent = PaddleAngleTable.tangent;
  const auto missOf = [&](int offset) {
    return std::abs(tangent[offset] * up - across * TrigScale);
  };
  int best = static_cast<int>(
      std::partition_point(tangent.begin(), tangent.end(),
                           [&](int64_t each) { return each * up < across * TrigScale; }) -
      tangent.begin());
  if (best > MostPaddleOffset || (best > 0 && missOf(best - 1) <= missOf(best)))
    --best;
  return toX < fromX ? -best : best;
}

// Where the paddle must be for a ball landing at x to leave toward the next brick to break, in
// turn from the slot after the last one aimed at: from the ball's centre, one pixel above the
// landing row, toward the middle of the brick's underside, straight or off a side wall (toward
// the brick's image beyond the wall, where the ball's centre turns 4 pixels from it). A ball
// landing by a wall can only be sent off that wall toward the rest of the field. A brick out
// of reach from there, or that would need the paddle beyond the field, is passed over for the
// next; when none of those tried is in reach, the first is aimed at as nearly as can be.
int32_t placeUnderLanding(Game &game, int x) {
  constexpr int LeftTurn = PlayFieldBox.x + BallSize / 2;
  constexpr int RightTurn = PlayFieldRight - BallSize / 2;
  Autopilot &pilot = game.autopilot;
  const int fromX = x + BallSize / 2;
  const int fromY = LandingY - 1 + BallSize / 2;
  if (!pilot.reachKnown) {
    pilot.reachKnown = true;
    pilot.neverBroken.fill(0);
    for (const int32_t slot : bricksNeverBroken(game.bricks, game.inUse))
      pilot.neverBroken[slot] = 1;
  }
  const int64_t damage = damageLeft(game);
  pilot.idleLandings = damage == pilot.damageSeen ? pilot.idleLandings + 1 : 0;
  pilot.damageSeen = damage;
  if (pilot.idleLandings >= IdleLandingsBeforeVarying)
    return std::clamp(fromX - PaddleWidth / 2 - variedOffset(++pilot.landings), PlayFieldBox.x,
                      PlayFieldRight - PaddleWidth);
  bool fallbackSet = false;
  int32_t fallbackX = fromX - PaddleWidth / 2;
  for (int i = 0, tried = 0; i < game.inUse && tried < MostTargetsTried; ++i) {
    const int slot = (pilot.nextTarget + i) % game.inUse;
    const Brick &brick = game.bricks[slot];
    if (game.standing[slot] == 0 || !isBrickToBreak(brick.type) || pilot.neverBroken[slot] != 0)
      continue;
    ++tried;
    pilot.nextTarget = slot + 1;
    const int toX = brick.x + BrickWidth / 2;
    for (const int aimX : {toX, 2 * RightTurn - toX, 2 * LeftTurn - toX}) {
      bool inReach = false;
      const int32_t paddleX =
          fromX - PaddleWidth / 2 -
          aimOffset(fromX, fromY, aimX, brick.y + BrickHeight + BallSize / 2, inReach);
      if (inReach && paddleX >= PlayFieldBox.x && paddleX <= PlayFieldRight - PaddleWidth)
        return paddleX;
      if (!fallbackSet) {
        fallbackSet = true;
        fallbackX = paddleX;
      }
    }
  }
  return fallbackX;
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

#pragma once
// The autopilot: it serves at once, and while the ball flies it plays a copy of it ahead, a
// few steps a tick, against the standing bricks and a floor along the paddle's top. Where the
// copy lands, it places the paddle so that the ball leaves it toward a brick still to break,
// straight or off a side wall, taking the bricks in turn from one landing to the next and
// passing over those it cannot reach from there, so that it never plays the same course again
// and again (a ball landing by a wall and sent straight up would). A brick hit or a paddle hit
// changes the course, or the bricks ahead, and starts the look-ahead again from the ball in play.
// Its steps are bounded per tick, and so are the bricks it tries as targets at a landing, so a
// tick with the autopilot costs at most a few ball steps more than one without.

#include "game/ball_motion.h"
#include "level/brick.h"

#include <array>
#include <cstdint>

struct Game;

// Steps of the look-ahead per tick: from the paddle to the top of the field and back, some
// 3,900 ticks at the serve speed, is looked ahead within 500 ticks.
constexpr int LookAheadStepsPerTick = 8;

struct Autopilot {
  Ball lookAhead;
  // The look-ahead follows the ball in play as it was after these many hits.
  bool following;
  uint32_t seenBrickHits;
  uint32_t seenPaddleHits;
  // The look-ahead has reached the paddle's top, and where the paddle must be.
  bool landed;
  int32_t paddleTarget;
  // The slot from which the next brick to aim at is looked for.
  int32_t nextTarget;
  // The bricks no ball can ever break are no targets: worked out once, when first needed.
  bool reachKnown;
  std::array<uint8_t, BrickSlots> neverBroken;
  // Landings since the bricks to break last lost a hit, and how they stood then: a course
  // that keeps missing them is varied.
  int32_t idleLandings;
  int64_t damageSeen;
  uint32_t landings;
};

// Where the autopilot wants the paddle's left edge this tick.
int32_t steerAutopilot(Game &game);

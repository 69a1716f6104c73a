#pragma once
// The rules of the brick-breaking game that the levels are made for, as numbers: the field the
// ball moves in, the ball, the paddle, what each brick type takes to break and how far a
// dynamite blast reaches. The game, its autopilot and the analysis of which bricks can never be
// broken all read them from here.

#include "level/geometry.h"

#include <cstdint>

// The level area continued down to y 739: the left, right and top edges reflect the ball; a
// ball whose top passes the bottom edge is lost.
constexpr Box PlayFieldBox{LevelLeft, LevelTop, LevelWidth, 710};
constexpr int PlayFieldRight = PlayFieldBox.x + PlayFieldBox.w;  // 776, one past the last column
constexpr int PlayFieldBottom = PlayFieldBox.y + PlayFieldBox.h; // 740, one past the last row

constexpr int BallSize = 8;
constexpr int PaddleWidth = 80;
constexpr int PaddleHeight = 8;
constexpr int PaddleTop = 716;
// Where a ball waits to be served: on the paddle, its bottom on the paddle's top.
constexpr int BallRestY = PaddleTop - BallSize;
constexpr int BallsPerGame = 3;

// Speeds in pixels per second; the game runs in ticks of one millisecond.
constexpr int ServeSpeed = 360;
constexpr int MaxSpeed = 720;
constexpr int SpeedGainPercent = 2; // at each paddle hit
constexpr int ServeDegreesFromHorizontal = 60;
constexpr int PaddleMostDegreesFromVertical = 60;

constexpr int32_t UnbreakableType = 22;
constexpr int32_t DynamiteType = 23;
constexpr int32_t InvisibleType = 24;

// A dynamite breaks every brick but the unbreakable ones whose box overlaps its own box grown
// by this much on each side.
constexpr int BlastReachX = BrickWidth;
constexpr int BlastReachY = BrickHeight;

// Types 1 to 24 are bricks of the game; any other type (only a foreign file holds one) has no
// sprite and no rules, and takes no part in it.
constexpr bool isGameBrick(int32_t type) {
  return type >= 1 && type <= LastBrickType;
}
// The bricks a level is cleared of: every brick of the game but the unbreakable ones.
constexpr bool isBrickToBreak(int32_t type) {
  return isGameBrick(type) && type != UnbreakableType;
}
// Hits that break a brick: an ordinary type t takes (t - 1) mod 3 + 1, its palette column's
// heading; a dynamite one; an invisible two (the first shows it); an unbreakable one never
// breaks (0).
constexpr int hitsToBreak(int32_t type) {
  if (type == UnbreakableType || !isGameBrick(type))
    return 0;
  if (type == DynamiteType)
    return 1;
  if (type == InvisibleType)
    return 2;
  return (type - 1) % 3 + 1;
}

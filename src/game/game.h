#pragma once
// The game a level is made for, played from a level's bricks in ticks of one millisecond. It
// runs on integers alone, positions in micro-pixels, so the same level and the same inputs give
// the same game, tick for tick, on every build: the editor plays it, tests and the command line
// feed it ticks and expect exact events at exact ticks.
//
// What happens in one tick, in this order, each step appending its events:
//   1. A game already cleared or lost does nothing; otherwise the tick is counted and numbered
//      (the first tick is 1). A level with no brick left to break is Cleared there and then.
//   2. The paddle moves: to the pointer's x less half its width, or where the autopilot wants
//      it, clamped into the field, and never into the ball: it stops touching it.
//   3. A waiting ball sits on the paddle's middle. The serve input, or the autopilot, sends it
//      up and to the right at 60 degrees from the horizontal (Served).
//   4. A moving ball takes one step (game/ball_motion.h). When the box it tries is blocked,
//      every standing brick under that box, in slot order, takes a hit: Hit, then Shown for an
//      invisible brick's first hit, then Broken if that hit breaks it. A dynamite's Broken is
//      followed by its Blast, then Broken for each brick the blast breaks in slot order; a
//      dynamite among them goes off after them, with its own Blast and Broken, and so on in
//      the order they go off. A brick a blast broke takes no further hit in that step. The
//      paddle's top stopping a downward move gives PaddleHit, after any brick's events.
//   5. A ball whose top has passed the field's bottom is lost (BallLost); the next one waits on
//      the paddle at serve speed, and after the last one the game is lost (GameLost).
//   6. When no brick to break stands any more, the level is Cleared.

#include "game/autopilot.h"
#include "game/ball_motion.h"
#include "game/brick_cells.h"
#include "game/game_rules.h"
#include "level/brick.h"

#include <array>
#include <cstdint>
#include <vector>

struct TickInput {
  int32_t pointerX = 0;
  bool serve = false;
  bool autopilot = false;
};

enum class GameEventKind : uint8_t {
  Served,
  PaddleHit,
  Hit,
  Shown,
  Broken,
  Blast,
  BallLost,
  Cleared,
  GameLost
};

// slot is the brick's slot for Hit, Shown, Broken and Blast, -1 otherwise.
struct GameEvent {
  uint32_t tick;
  GameEventKind kind;
  int32_t slot;
};

enum class GamePhase : uint8_t { Waiting, Moving, Cleared, Lost };

struct Game {
  // The level's bricks as given; only slots below inUse count.
  Bricks bricks;
  int32_t inUse;
  // Per slot: non-zero while the brick stands (a type outside 1..24 never does), whether it
  // shows, and the hits it has taken. An unbreakable brick takes none: it is never damaged.
  std::array<uint8_t, BrickSlots> standing;
  std::array<uint8_t, BrickSlots> shown;
  std::array<uint8_t, BrickSlots> hitsTaken;
  BrickCells cells;
  Ball ball;
  int32_t paddleX;
  // Counting the ball in play.
  int32_t ballsLeft;
  int32_t bricksToBreakLeft;
  uint32_t tick;
  uint32_t paddleHits;
  uint32_t brickHits;
  GamePhase phase;
  Autopilot autopilot;
};

// A game of the level's slots below bricksInUse(brickCount): the paddle in the middle of the
// field, the first of three balls waiting on it.
Game startGame(const Bricks &bricks, int32_t brickCount);

// Advances one tick; appends what happened to events when given.
void advanceTick(Game &game, const TickInput &input, std::vector<GameEvent> *events = nullptr);

// What the editor draws and prints.
inline Point ballPixel(const Game &game) {
  return Point{pixelOf(game.ball.x), pixelOf(game.ball.y)};
}
inline int32_t paddleX(const Game &game) {
  return game.paddleX;
}
inline int32_t ballsLeft(const Game &game) {
  return game.ballsLeft;
}
inline int32_t bricksToBreakLeft(const Game &game) {
  return game.bricksToBreakLeft;
}
inline bool brickStanding(const Game &game, int slot) {
  return game.standing[slot] != 0;
}
inline bool brickShown(const Game &game, int slot) {
  return game.standing[slot] != 0 && game.shown[slot] != 0;
}
// Hit but still standing: drawn darker.
inline bool brickDamaged(const Game &game, int slot) {
  return game.standing[slot] != 0 && game.hitsTaken[slot] > 0;
}
inline uint32_t ticksPlayed(const Game &game) {
  return game.tick;
}
inline uint32_t paddleHits(const Game &game) {
  return game.paddleHits;
}
inline GamePhase phase(const Game &game) {
  return game.phase;
}
// Cleared or lost: further ticks change nothing.
inline bool gameOver(const Game &game) {
  return game.phase == GamePhase::Cleared || game.phase == GamePhase::Lost;
}

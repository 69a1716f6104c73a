#include "game/game.h"

#include "game/brick_hits.h"
#include "game/paddle_angles.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int TicksPerSecond = 1000;
constexpr int32_t microSpeed(int pixelsPerSecond) {
  return static_cast<int32_t>(pixelsPerSecond * MicroPerPixel / TicksPerSecond);
}
constexpr int32_t ServeMicroSpeed = microSpeed(ServeSpeed);
constexpr int32_t MaxMicroSpeed = microSpeed(MaxSpeed);
// The lowest a box stands clear of the paddle's rows.
constexpr int LowestPaddleFreeY = PaddleTop - BallSize;

void report(const Game &game, std::vector<GameEvent> *events, GameEventKind kind) {
  if (events != nullptr)
    events->push_back(GameEvent{game.tick, kind, -1});
}

// A component of a velocity of this speed, from a sine or cosine of the table: truncated
// toward zero.
int32_t component(int32_t speed, int32_t trig) {
  return static_cast<int32_t>(int64_t{speed} * trig / TrigScale);
}

// A waiting ball: its middle over the paddle's, its bottom on the paddle's top, at the centre
// of its pixel, still, at the serve speed.
void placeOnPaddle(Game &game) {
  const int x = game.paddleX + PaddleWidth / 2 - BallSize / 2;
  game.ball = Ball{int64_t{x} * MicroPerPixel + MicroPerPixel / 2,
                   int64_t{BallRestY} * MicroPerPixel + MicroPerPixel / 2, 0, 0, ServeMicroSpeed};
}

// 60 degrees from the horizontal is the table's widest angle from the vertical, with its sine
// and cosine swapped.
void serve(Ball &ball) {
  ball.vx = component(ball.speed, PaddleAngleTable.cosine[MostPaddleOffset]);
  ball.vy = -component(ball.speed, PaddleAngleTable.sine[MostPaddleOffset]);
}

bool overlapsPaddle(const Game &game, int x, int y) {
  return x < game.paddleX + PaddleWidth && game.paddleX < x + BallSize &&
         y < PaddleTop + PaddleHeight && PaddleTop < y + BallSize;
}

// The paddle goes where it is wanted, inside the field; a ball level with it (beside it, as it
// can never be inside it) stops it touching the ball on the side it comes from, so that it can
// neither push into the ball nor jump across it.
void movePaddle(Game &game, int64_t wanted) {
  int64_t x = std::clamp<int64_t>(wanted, PlayFieldBox.x, PlayFieldRight - PaddleWidth);
  const Point ball = ballPixel(game);
  if (ball.y > LowestPaddleFreeY && ball.y < PaddleTop + PaddleHeight) {
    if (ball.x >= game.paddleX + PaddleWidth)
      x = std::min<int64_t>(x, ball.x - PaddleWidth);
    else if (ball.x + BallSize <= game.paddleX)
      x = std::max<int64_t>(x, ball.x + BallSize);
  }
  game.paddleX = static_cast<int32_t>(x);
}

// The paddle's top sends the ball off at 60 degrees * offset / 43 from the vertical, offset the
// ball's middle less the paddle's in pixels, positive to the right, and 2% faster up to the
// top speed. As the box at x overlaps the paddle, the offset lies within -43..43.
void bounceOffPaddle(Game &game, int x, std::vector<GameEvent> *events) {
  const int offset = (x + BallSize / 2) - (game.paddleX + PaddleWidth / 2);
  Ball &ball = game.ball;
  ball.speed = std::min(ball.speed * (100 + SpeedGainPercent) / 100, MaxMicroSpeed);
  const int32_t across = component(ball.speed, PaddleAngleTable.sine[std::abs(offset)]);
  ball.vx = offset < 0 ? -across : across;
  ball.vy = -component(ball.speed, PaddleAngleTable.cosine[std::abs(offset)]);
  ++game.paddleHits;
  report(game, events, GameEventKind::PaddleHit);
}

// Whatever blocks the box is hit; the paddle's top turns a falling ball its own way, anything
// else reverses the stopped components.
void stepBall(Game &game, std::vector<GameEvent> *events) {
  moveBall(
      game.ball,
      [&](int x, int y) { return fieldOrBrickBlocks(game, x, y) || overlapsPaddle(game, x, y); },
      [&](int x, int y, BlockedMove move) {
        hitBricksUnder(game, x, y, events);
        if (move != BlockedMove::Across && game.ball.vy > 0 && overlapsPaddle(game, x, y))
          bounceOffPaddle(game, x, events);
        else
          reverse(game.ball, move);
      });
}

void playBall(Game &game, std::vector<GameEvent> *events) {
  stepBall(game, events);
  if (pixelOf(game.ball.y) < PlayFieldBottom)
    return;
  report(game, events, GameEventKind::BallLost);
  if (--game.ballsLeft == 0) {
    game.phase = GamePhase::Lost;
    report(game, events, GameEventKind::GameLost);
    return;
  }
  game.phase = GamePhase::Waiting;
  placeOnPaddle(game);
}

} // namespace

Game startGame(const Bricks &bricks, int32_t brickCount) {
  Game game{};
  game.bricks = bricks;
  game.inUse = bricksInUse(brickCount);
  for (int slot = 0; slot < game.inUse; ++slot) {
    const int32_t type = bricks[slot].type;
    game.standing[slot] = isGameBrick(type) ? 1 : 0;
    game.shown[slot] = type == InvisibleType ? 0 : 1;
    if (isBrickToBreak(type))
      ++game.bricksToBreakLeft;
  }
  buildBrickCells(game.bricks, game.inUse, game.standing, game.cells);
  game.paddleX = PlayFieldBox.x + (PlayFieldBox.w - PaddleWidth) / 2;
  game.ballsLeft = BallsPerGame;
  game.phase = GamePhase::Waiting;
  placeOnPaddle(game);
  return game;
}

void advanceTick(Game &game, const TickInput &input, std::vector<GameEvent> *events) {
  if (gameOver(game))
    return;
  ++game.tick;
  if (game.bricksToBreakLeft > 0) {
    // The autopilot's look-ahead is stale once it has missed a tick.
    if (!input.autopilot)
      game.autopilot.following = false;
    movePaddle(game,
               input.autopilot ? steerAutopilot(game) : int64_t{input.pointerX} - PaddleWidth / 2);
    if (game.phase == GamePhase::Waiting) {
      placeOnPaddle(game);
      if (input.serve || input.autopilot) {
        serve(game.ball);
        game.phase = GamePhase::Moving;
        report(game, events, GameEventKind::Served);
      }
    }
    if (game.phase == GamePhase::Moving)
      playBall(game, events);
    if (game.phase == GamePhase::Lost || game.bricksToBreakLeft > 0)
      return;
  }
  game.phase = GamePhase::Cleared;
  report(game, events, GameEventKind::Cleared);
}

#include "render/play_overlay.h"

#include "game/play_time.h"
#include "help/play_help.h"
#include "render/dialog_overlay.h"
#include "render/draw_primitives.h"
#include "render/sprite_sheet.h"

#include <algorithm>

namespace {

uint8_t lookOf(const Game &game, int slot) {
  if (!brickShown(game, slot))
    return PlayPicture::Unseen;
  return brickDamaged(game, slot) ? PlayPicture::Damaged : PlayPicture::Whole;
}

// The game's moving parts as they stand: what a frame shows of them.
PlayPicture pictureOf(const Play &play) {
  const Game &game = play.game;
  PlayPicture picture;
  picture.play = play.id;
  for (int32_t slot = 0; slot < game.inUse; ++slot)
    picture.looks[slot] = lookOf(game, slot);
  picture.ball = ballPixel(game);
  picture.ballShown = !gameOver(game);
  picture.paddleX = paddleX(game);
  picture.help = playHelpText(play);
  return picture;
}

bool overlap(const Box &a, const Box &b) {
  return int64_t{a.x} < int64_t{b.x} + b.w && int64_t{b.x} < int64_t{a.x} + a.w &&
         int64_t{a.y} < int64_t{b.y} + b.h && int64_t{b.y} < int64_t{a.y} + a.h;
}

// The field as it stands, within box only: grey, the bricks seen (a damaged one at half
// intensity over black, darker), the paddle and the ball. Bricks a foreign file puts off the
// field are cut at its edge.
void drawFieldWithin(const RenderResources &resources, const PlayPicture &picture, const Game &game,
                     const Box &box) {
  SDL_Surface *screen = resources.screen;
  const Box &field = PlayFieldBox;
  const int left = std::max(box.x, field.x), top = std::max(box.y, field.y);
  const int width = std::min(box.x + box.w, field.x + field.w) - left;
  const int height = std::min(box.y + box.h, field.y + field.h) - top;
  if (width <= 0 || height <= 0)
    return;
  SDL_Rect within = sdlRect(Box{left, top, width, height});
  SDL_SetClipRect(screen, &within);
  fillBox(screen, box, Grey);
  for (int32_t slot = 0; slot < game.inUse; ++slot) {
    const Brick &brick = game.bricks[slot];
    if (picture.looks[slot] == PlayPicture::Unseen ||
        !overlap(box, Box{brick.x, brick.y, BrickWidth, BrickHeight}))
      continue;
    const bool damaged = picture.looks[slot] == PlayPicture::Damaged;
    if (damaged)
      fillBox(screen, Box{brick.x, brick.y, BrickWidth, BrickHeight}, Black);
    setSheetAlpha(resources.sheet, damaged);
    drawBrickSprite(screen, resources.sheet, brick.type, brick.x, brick.y);
  }
  fillBox(screen, Box{picture.paddleX, PaddleTop, PaddleWidth, PaddleHeight}, Red);
  if (picture.ballShown)
    fillBox(screen, Box{picture.ball.x, picture.ball.y, BallSize, BallSize}, White);
  SDL_SetClipRect(screen, nullptr);
}

void drawHelpLine(SDL_Surface *screen, TTF_Font *font, const std::string &help) {
  fillBox(screen, Box{0, 0, ScreenWidth, PlayFieldBox.y}, Black);
  drawText(screen, font, help, White, HelpLinePosition.x, HelpLinePosition.y);
}

// Lines of text centred across the field, the block centred down it.
void drawOutcome(SDL_Surface *screen, TTF_Font *font, const Game &game) {
  const std::string lines[] = {
      phase(game) == GamePhase::Cleared ? "Niveau termin\xe9" : "Partie perdue",
      phase(game) == GamePhase::Cleared ? "en " + playTimeText(ticksPlayed(game)) + " de jeu" : ""};
  int width = 0, height = 0;
  for (int line = 0; line < 2 && font != nullptr; ++line) {
    if (lines[line].empty() || TTF_SizeText(font, lines[line].c_str(), &width, &height) != 0)
      continue;
    drawText(screen, font, lines[line], White, PlayFieldBox.x + (PlayFieldBox.w - width) / 2,
             PlayFieldBox.y + PlayFieldBox.h / 2 - height + line * height);
  }
}

// The whole frame: the editor dimmed behind, from the picture drawFrame drew on backSurface,
// which then keeps the dimmed picture for the frames after; the help line; the whole field;
// the outcome once the game is over.
void drawWholeFrame(const RenderResources &resources, const PlayPicture &picture,
                    const Game &game) {
  SDL_Surface *screen = resources.screen;
  FrameCache *cache = resources.cache;
  SDL_Surface *kept = resources.backSurface;
  if (cache == nullptr || kept == nullptr || cache->backdropOfPlay != picture.play) {
    dimScreen(screen, kept);
    if (cache != nullptr && kept != nullptr && SDL_UpperBlit(screen, nullptr, kept, nullptr) == 0)
      cache->backdropOfPlay = picture.play;
  } else {
    SDL_UpperBlit(kept, nullptr, screen, nullptr);
  }
  drawHelpLine(screen, resources.font, picture.help);
  drawFieldWithin(resources, picture, game, PlayFieldBox);
  if (gameOver(game))
    drawOutcome(screen, resources.font, game);
}

} // namespace

void drawPlay(const RenderResources &resources, const Editor &editor) {
  const Play &play = *editor.play;
  const Game &game = play.game;
  const PlayPicture picture = pictureOf(play);
  FrameCache *cache = resources.cache;
  // The screen keeps the last frame: while it shows this game still under way, only what
  // moved or changed is drawn again.
  if (cache == nullptr || cache->shown.play != play.id || gameOver(game) ||
      !cache->shown.ballShown) {
    drawWholeFrame(resources, picture, game);
  } else {
    const PlayPicture &shown = cache->shown;
    if (picture.help != shown.help)
      drawHelpLine(resources.screen, resources.font, picture.help);
    std::vector<Box> changed{{shown.ball.x, shown.ball.y, BallSize, BallSize},
                             {picture.ball.x, picture.ball.y, BallSize, BallSize}};
    if (picture.paddleX != shown.paddleX) {
      changed.push_back(Box{shown.paddleX, PaddleTop, PaddleWidth, PaddleHeight});
      changed.push_back(Box{picture.paddleX, PaddleTop, PaddleWidth, PaddleHeight});
    }
    for (int32_t slot = 0; slot < game.inUse; ++slot)
      if (picture.looks[slot] != shown.looks[slot])
        changed.push_back(Box{game.bricks[slot].x, game.bricks[slot].y, BrickWidth, BrickHeight});
    for (const Box &box : changed)
      drawFieldWithin(resources, picture, game, box);
  }
  if (cache != nullptr)
    cache->shown = picture;
}

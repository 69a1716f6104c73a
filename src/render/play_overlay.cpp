#include "render/play_overlay.h"

#include "game/play_time.h"
#include "help/play_help.h"
#include "render/dialog_overlay.h"
#include "render/draw_primitives.h"
#include "render/sprite_sheet.h"

namespace {

// Bricks a foreign file puts off the field are cut at its edge.
void drawBricks(SDL_Surface *screen, SDL_Surface *sheet, const Game &game) {
  SDL_Rect field = sdlRect(PlayFieldBox);
  SDL_SetClipRect(screen, &field);
  for (int32_t slot = 0; slot < game.inUse; ++slot) {
    if (!brickShown(game, slot))
      continue;
    const Brick &brick = game.bricks[slot];
    // Half intensity over black: a brick that took a hit shows darker.
    const bool damaged = brickDamaged(game, slot);
    if (damaged)
      fillBox(screen, Box{brick.x, brick.y, BrickWidth, BrickHeight}, Black);
    setSheetAlpha(sheet, damaged);
    drawBrickSprite(screen, sheet, brick.type, brick.x, brick.y);
  }
  SDL_SetClipRect(screen, nullptr);
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

} // namespace

void drawPlay(const RenderResources &resources, const Editor &editor) {
  SDL_Surface *screen = resources.screen;
  const Play &play = *editor.play;
  const Game &game = play.game;
  dimScreen(screen, resources.backSurface);
  // The game's help line replaces the editor's.
  fillBox(screen, Box{0, 0, ScreenWidth, PlayFieldBox.y}, Black);
  fillBox(screen, PlayFieldBox, Grey);
  drawBricks(screen, resources.sheet, game);
  fillBox(screen, Box{paddleX(game), PaddleTop, PaddleWidth, PaddleHeight}, Red);
  if (!gameOver(game)) {
    const Point ball = ballPixel(game);
    fillBox(screen, Box{ball.x, ball.y, BallSize, BallSize}, White);
  }
  drawText(screen, resources.font, playHelpText(play), White, HelpLinePosition.x,
           HelpLinePosition.y);
  if (gameOver(game))
    drawOutcome(screen, resources.font, game);
}

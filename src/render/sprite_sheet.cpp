#include "render/sprite_sheet.h"

#include "editor/editor_state.h"
#include "editor/screen_layout.h"
#include "render/colours.h"

#include <cstdint>

SDL_Rect brickSpriteRect(int32_t type) {
  if (!hasBrickSprite(type))
    return SDL_Rect{};
  if (type == LastBrickType)
    return SDL_Rect{LastTypeSpriteX, LastTypeSpriteY, BrickWidth, BrickHeight};
  const int index = type - 1;
  return SDL_Rect{static_cast<Sint16>(BrickWidth * (index % BricksPerSheetRow)),
                  static_cast<Sint16>(BrickRowsTop + BrickHeight * (index / BricksPerSheetRow)),
                  BrickWidth, BrickHeight};
}

SDL_Rect digitSpriteRect(int32_t digit) {
  if (digit < 0 || digit > 9)
    return SDL_Rect{};
  return SDL_Rect{static_cast<Sint16>(DigitSize * digit), DigitStripTop, DigitSize, DigitSize};
}

void setSheetAlpha(SDL_Surface *sheet, bool on) {
  if (sheet == nullptr)
    return;
  SDL_SetAlpha(sheet, on ? SDL_SRCALPHA : 0, HalfAlpha);
}

void drawSheetRect(SDL_Surface *screen, SDL_Surface *sheet, SDL_Rect source, int32_t x, int32_t y) {
  // A position beyond the library's 16-bit rectangles is far off the screen. The library cuts
  // the source to the sheet, moving the target with it, and the target to the screen.
  if (sheet == nullptr || !fitsRectPosition(x) || !fitsRectPosition(y))
    return;
  SDL_Rect to = blitTarget(x, y);
  SDL_UpperBlit(sheet, &source, screen, &to);
}

void drawBrickSprite(SDL_Surface *screen, SDL_Surface *sheet, int32_t type, int32_t x, int32_t y) {
  // A type without a sprite gets an empty rectangle, which draws nothing.
  drawSheetRect(screen, sheet, brickSpriteRect(type), x, y);
}

void drawCounter(SDL_Surface *screen, SDL_Surface *sheet, int32_t value, int32_t x, int32_t y) {
  drawSheetRect(screen, sheet, digitSpriteRect(value / 100), x, y);
  drawSheetRect(screen, sheet, digitSpriteRect(value % 100 / 10), x + DigitSize, y);
  drawSheetRect(screen, sheet, digitSpriteRect(value % 10), x + 2 * DigitSize, y);
}

void drawSignedCounter(SDL_Surface *screen, SDL_Surface *sheet, int32_t value, int32_t x,
                       int32_t y) {
  const Box &bar = MinusBarFromDigit;
  if (value < 0 && fitsRectPosition(int64_t{x} + bar.x) && fitsRectPosition(int64_t{y} + bar.y)) {
    SDL_Rect at{static_cast<Sint16>(x + bar.x), static_cast<Sint16>(y + bar.y),
                static_cast<Uint16>(bar.w), static_cast<Uint16>(bar.h)};
    SDL_FillRect(screen, &at, mapColour(screen, Red));
  }
  const int64_t magnitude = value < 0 ? -int64_t{value} : value;
  drawSheetRect(screen, sheet, digitSpriteRect(magnitude / 10), x, y);
  drawSheetRect(screen, sheet, digitSpriteRect(magnitude % 10), x + DigitSize, y);
}

#include "render/sprite_sheet.h"

#include "editor/editor_state.h"
#include "render/colours.h"

#include <algorithm>
#include <cstdint>
#include <limits>

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

namespace {

bool fitsRectPosition(int64_t value) {
  return value >= std::numeric_limits<Sint16>::min() && value <= std::numeric_limits<Sint16>::max();
}

} // namespace

void drawSheetRect(SDL_Surface *screen, SDL_Surface *sheet, SDL_Rect source, int32_t x, int32_t y) {
  if (sheet == nullptr)
    return;
  // Cut the source to the sheet; what is cut on the left or top moves the target with it.
  int64_t left = std::max<int64_t>(source.x, 0);
  int64_t top = std::max<int64_t>(source.y, 0);
  int64_t right = std::min<int64_t>(int64_t{source.x} + source.w, sheet->w);
  int64_t bottom = std::min<int64_t>(int64_t{source.y} + source.h, sheet->h);
  if (right <= left || bottom <= top)
    return;
  int64_t targetX = int64_t{x} + (left - source.x);
  int64_t targetY = int64_t{y} + (top - source.y);
  if (!fitsRectPosition(targetX) || !fitsRectPosition(targetY))
    return;
  SDL_Rect from{static_cast<Sint16>(left), static_cast<Sint16>(top),
                static_cast<Uint16>(right - left), static_cast<Uint16>(bottom - top)};
  SDL_Rect to = blitTarget(static_cast<int>(targetX), static_cast<int>(targetY));
  SDL_UpperBlit(sheet, &from, screen, &to);
}

void drawBrickSprite(SDL_Surface *screen, SDL_Surface *sheet, int32_t type, int32_t x, int32_t y) {
  // A type without a sprite gets an empty rectangle, which draws nothing.
  drawSheetRect(screen, sheet, brickSpriteRect(type), x, y);
}

void drawCounter(SDL_Surface *screen, SDL_Surface *sheet, int32_t value, int32_t x, int32_t y) {
  const int32_t shown = std::clamp<int32_t>(value, 0, 999);
  drawSheetRect(screen, sheet, digitSpriteRect(shown / 100), x, y);
  drawSheetRect(screen, sheet, digitSpriteRect(shown % 100 / 10), x + DigitSize, y);
  drawSheetRect(screen, sheet, digitSpriteRect(shown % 10), x + 2 * DigitSize, y);
}

void drawSignedCounter(SDL_Surface *screen, SDL_Surface *sheet, int32_t value, int32_t x,
                       int32_t y) {
  const int32_t shown = std::clamp<int32_t>(value, -99, 99);
  if (shown < 0 && fitsRectPosition(int64_t{x} - 8) && fitsRectPosition(int64_t{y} + 7)) {
    SDL_Rect bar{static_cast<Sint16>(x - 8), static_cast<Sint16>(y + 7), 6, 2};
    SDL_FillRect(screen, &bar, mapColour(screen, Red));
  }
  const int32_t magnitude = shown < 0 ? -shown : shown;
  drawSheetRect(screen, sheet, digitSpriteRect(magnitude / 10), x, y);
  drawSheetRect(screen, sheet, digitSpriteRect(magnitude % 10), x + DigitSize, y);
}

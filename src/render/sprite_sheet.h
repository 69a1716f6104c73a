#pragma once
// Where each sprite lies in bmp/objets.bmp, the sheet's alpha switch, and the drawing built on
// them: brick sprites and the digit counters of the spacing and offset panel.

#include "editor/editor_state.h"

#include <SDL.h>
#include <cstdint>

// A position the library's 16-bit rectangles can hold: one beyond is far off the screen.
constexpr bool fitsRectPosition(int64_t value) {
  return value >= INT16_MIN && value <= INT16_MAX;
}

// Where a blit puts its source's top left corner: the library reads no size from a target.
inline SDL_Rect blitTarget(int x, int y) {
  SDL_Rect target{};
  target.x = static_cast<Sint16>(x);
  target.y = static_cast<Sint16>(y);
  return target;
}

constexpr int DigitSize = 16;
constexpr int DigitStripTop = 40;
constexpr int BrickRowsTop = 90;
constexpr int BricksPerSheetRow = 8;
// Type 24 sits apart from the eight-per-row rule.
constexpr int LastTypeSpriteX = 80;
constexpr int LastTypeSpriteY = 150;

// Half-and-half mixing of a sprite with what lies beneath it.
constexpr Uint8 HalfAlpha = 128;

// A type that has a sprite: 1 to 24. Others come only from foreign level files.
constexpr bool hasBrickSprite(int32_t type) {
  return type >= 1 && type <= LastBrickType;
}

// Sheet rectangle of type 1..24; an empty rectangle (0, 0, 0, 0) for any other type.
SDL_Rect brickSpriteRect(int32_t type);
// Sheet rectangle of digit 0..9; an empty rectangle for anything else.
SDL_Rect digitSpriteRect(int32_t digit);

// Alpha off: sprites are copied opaque. On: mixed at 128 with the pixels beneath.
void setSheetAlpha(SDL_Surface *sheet, bool on);

// Blits a sheet rectangle with its top-left corner at (x, y) in the sheet's current alpha
// state. The library cuts the rectangle to the sheet, so a short sheet never makes the blit
// read past its pixels; a position that does not fit the library's 16-bit rectangle draws
// nothing rather than wrapping to the other side of the screen. A missing sheet draws nothing.
void drawSheetRect(SDL_Surface *screen, SDL_Surface *sheet, SDL_Rect source, int32_t x, int32_t y);

// The sprite of a brick type at (x, y); a type without a sprite draws nothing.
void drawBrickSprite(SDL_Surface *screen, SDL_Surface *sheet, int32_t type, int32_t x, int32_t y);

// Three digits with leading zeros (5 shows 0, 0, 5), 16 pixels apart, for the panel's 0..999;
// a digit of another value outside 0..9 has no sprite and draws nothing.
void drawCounter(SDL_Surface *screen, SDL_Surface *sheet, int32_t value, int32_t x, int32_t y);

// Two digits of the absolute value at (x, y) and (x + 16, y); a negative value also gets a red
// 6 by 2 minus bar at (x - 8, y + 7), for the panel's -99..99; a digit of another value outside
// 0..9 draws nothing.
void drawSignedCounter(SDL_Surface *screen, SDL_Surface *sheet, int32_t value, int32_t x,
                       int32_t y);

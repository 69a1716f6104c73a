#pragma once
// Filled boxes, text and pattern cells: everything on screen that is not a sheet sprite.

#include "editor/screen_layout.h"
#include "render/colours.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <string>

// The box as the library's rectangle.
inline SDL_Rect sdlRect(const Box &box) {
  return SDL_Rect{static_cast<Sint16>(box.x), static_cast<Sint16>(box.y),
                  static_cast<Uint16>(box.w), static_cast<Uint16>(box.h)};
}

// Fills the box on the surface with the colour mapped through its format.
void fillBox(SDL_Surface *surface, const Box &box, Colour colour);

// Renders one Latin-1 line solid (no smoothing, transparent background), blits it with its
// top-left corner at (x, y) and frees it. An empty text or a missing font draws nothing.
void drawText(SDL_Surface *screen, TTF_Font *font, const std::string &text, Colour colour, int x,
              int y);

// A pattern or chooser cell: solid red when marked, else a red one-pixel border around black.
void drawMarkedCell(SDL_Surface *screen, const Box &cell, bool marked);

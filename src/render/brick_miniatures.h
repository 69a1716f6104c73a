#pragma once
// Quarter-scale brick sprites for the browser's preview, made once at start-up from the sheet,
// so that a previewed level costs one small copy per brick and no scaling per frame.

#include "editor/screen_layout.h"

#include <SDL.h>
#include <cstdint>

constexpr int MiniatureWidth = BrickWidth / BrowserPreviewScale;   // 10
constexpr int MiniatureHeight = BrickHeight / BrowserPreviewScale; // 5

// A surface in the given format holding the miniature of every brick type, each pixel the
// average of the 4 by 4 block of sheet pixels it stands for (a box filter, rounded to
// nearest). nullptr when the surface cannot be made. Sheet pixels outside the sheet count as
// black. The caller frees it.
SDL_Surface *makeBrickMiniatures(SDL_Surface *sheet, const SDL_PixelFormat *format);

// Where the miniature of type 1..24 lies in that surface; an empty rectangle for other types.
SDL_Rect miniatureRect(int32_t type);

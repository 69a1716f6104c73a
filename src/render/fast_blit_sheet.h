#pragma once
// A copy of the sprite sheet that the library blits quickly.
//
// SDL 2, under the SDL 1.2 layer, copies an opaque blit with cache-bypassing stores when the
// row lengths of both surfaces are multiples of 16 bytes. The screen's rows always are, and
// so are those of the 320-pixel-wide 32-bit sheet: its 396 bricks then took about 0.74 ms a
// frame. From a copy one pixel wider the same blits take about 0.06 ms and give the same
// pixels.

#include <SDL.h>

// A new 32-bit surface of the sheet's format holding the same pixels, with a blank column or
// more on the right so that its row length in bytes is not a multiple of 16. A loaded sheet
// has no per-surface alpha or colour key, and the copy starts without them too: the drawing
// switches the alpha on and off itself. nullptr when the sheet is missing or not 32-bit (another
// depth takes other blit paths, which may mix differently) or when no such surface can be
// made; the caller then keeps the sheet. The caller owns the copy.
SDL_Surface *copyWithUnalignedRows(SDL_Surface *sheet);

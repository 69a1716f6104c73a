#pragma once
// Writes part of a surface to a picture file, for pictures of levels made without a window.

#include <SDL.h>
#include <string>

// Writes area of surface to path, each pixel enlarged to scale by scale pixels: an 8-bit RGB
// PNG, or a BMP when path ends in ".bmp". Any pixel format of surface is read through its
// colour mapping; alpha is dropped. The area lies inside the surface and the scale is a small
// whole number (the command line allows 1 to 4): the caller's to see to.
//
// The picture is encoded in memory, then written as a level is (writeFileAtomically), so a
// reader never sees half a picture and a failure leaves no new file behind. Returns false with one
// line in error (no line end) when the file cannot be written.
bool writeImage(SDL_Surface *surface, const SDL_Rect &area, int scale, const std::string &path,
                std::string &error);

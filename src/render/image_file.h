#pragma once
// Writes part of a surface to a picture file, for pictures of levels made without a window.

#include <SDL.h>
#include <string>

constexpr int MaxImageScale = 4;

// Writes area of surface to path, each pixel enlarged to scale by scale pixels: an 8-bit RGB
// PNG, or a BMP when path ends in ".bmp". Any pixel format of surface is read through its
// colour mapping; alpha is dropped.
//
// The picture is encoded in memory, then written as a level is (writeFileAtomically), so a
// reader never sees half a picture and a failure leaves no new file behind. Returns false with one
// line in error (no line end) when scale is outside 1..MaxImageScale, area is empty or not inside
// the surface, or the file cannot be written.
bool writeImage(SDL_Surface *surface, const SDL_Rect &area, int scale, const std::string &path,
                std::string &error);

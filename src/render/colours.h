#pragma once
// The four colours of the interface, and reading a pixel's back.

#include <SDL.h>
#include <cstring>

struct Colour {
  Uint8 r;
  Uint8 g;
  Uint8 b;
};

constexpr Colour Black{0, 0, 0};
constexpr Colour Grey{128, 128, 128};
constexpr Colour Red{255, 0, 0};
constexpr Colour White{255, 255, 255};

// Mapped through the surface's own format at each fill, as the format is the surface's.
inline Uint32 mapColour(const SDL_Surface *surface, Colour colour) {
  return SDL_MapRGB(surface->format, colour.r, colour.g, colour.b);
}

// The pixel value at (x, y) inside the surface, for any depth from 1 to 4 bytes; SDL_GetRGB
// reads its colour.
inline Uint32 pixelValue(const SDL_Surface *surface, int x, int y) {
  const int bytesPerPixel = surface->format->BytesPerPixel;
  Uint32 value = 0;
  std::memcpy(&value,
              static_cast<const Uint8 *>(surface->pixels) + y * surface->pitch + x * bytesPerPixel,
              bytesPerPixel);
  // The bytes copied are the value's low ones only on a little-endian machine.
  if (SDL_BYTEORDER == SDL_BIG_ENDIAN)
    value >>= 8 * (4 - bytesPerPixel);
  return value;
}

inline SDL_Color textColour(Colour colour) {
  return SDL_Color{colour.r, colour.g, colour.b, 0};
}

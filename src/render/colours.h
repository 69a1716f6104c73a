#pragma once
// The four colours of the interface.

#include <SDL.h>

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

inline SDL_Color textColour(Colour colour) {
  return SDL_Color{colour.r, colour.g, colour.b, 0};
}

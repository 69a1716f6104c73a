#include "render/brick_miniatures.h"

#include "render/colours.h"
#include "render/sprite_sheet.h"

namespace {

// The 24 miniatures side by side.
constexpr int MiniaturesWidth = MiniatureWidth * LastBrickType;

struct Rgb {
  unsigned r = 0, g = 0, b = 0;
};

// Any pixel depth.
Rgb pixelOf(const SDL_Surface *surface, int x, int y) {
  if (x < 0 || y < 0 || x >= surface->w || y >= surface->h)
    return Rgb{};
  Uint8 r, g, b;
  SDL_GetRGB(pixelValue(surface, x, y), surface->format, &r, &g, &b);
  return Rgb{r, g, b};
}

// The box filter of one sprite into the 32-bit XRGB canvas at (left, 0).
void shrinkSprite(const SDL_Surface *sheet, SDL_Rect sprite, SDL_Surface *canvas, int left) {
  constexpr int Scale = BrowserPreviewScale;
  constexpr unsigned Area = Scale * Scale;
  for (int y = 0; y < MiniatureHeight; ++y)
    for (int x = 0; x < MiniatureWidth; ++x) {
      Rgb sum;
      for (int dy = 0; dy < Scale; ++dy)
        for (int dx = 0; dx < Scale; ++dx) {
          const Rgb pixel = pixelOf(sheet, sprite.x + Scale * x + dx, sprite.y + Scale * y + dy);
          sum.r += pixel.r;
          sum.g += pixel.g;
          sum.b += pixel.b;
        }
      const Uint32 average = ((sum.r + Area / 2) / Area) << 16 | ((sum.g + Area / 2) / Area) << 8 |
                             (sum.b + Area / 2) / Area;
      auto *row =
          reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(canvas->pixels) + y * canvas->pitch);
      row[left + x] = average;
    }
}

} // namespace

SDL_Rect miniatureRect(int32_t type) {
  if (!hasBrickSprite(type))
    return SDL_Rect{};
  return SDL_Rect{static_cast<Sint16>(MiniatureWidth * (type - 1)), 0, MiniatureWidth,
                  MiniatureHeight};
}

SDL_Surface *makeBrickMiniatures(SDL_Surface *sheet, const SDL_PixelFormat *format) {
  if (sheet == nullptr || format == nullptr)
    return nullptr;
  // Made in a format of known layout, then converted once to the screen's.
  SDL_Surface *canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, MiniaturesWidth, MiniatureHeight, 32,
                                             0xff0000, 0x00ff00, 0x0000ff, 0);
  if (canvas == nullptr)
    return nullptr;
  SDL_FillRect(canvas, nullptr, 0);
  // Both surfaces are in memory, which the library reads and writes without a lock.
  for (int32_t type = 1; type <= LastBrickType; ++type)
    shrinkSprite(sheet, brickSpriteRect(type), canvas, miniatureRect(type).x);
  SDL_Surface *miniatures = SDL_ConvertSurface(canvas, const_cast<SDL_PixelFormat *>(format), 0);
  SDL_FreeSurface(canvas);
  return miniatures;
}

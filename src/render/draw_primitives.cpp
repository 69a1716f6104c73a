#include "render/draw_primitives.h"

#include "render/sprite_sheet.h"

#include <algorithm>

namespace {

// The library fills any row of 64 bytes or more with stores that bypass the cache. That pays
// for large areas but makes a small box about ten times slower than plain stores, and the
// pattern grid alone is hundreds of small boxes a frame. Small boxes are therefore filled in
// strips narrow enough to take the plain path; the pixels are the same.
constexpr int PlainFillRowBytes = 60;
constexpr int LargeBoxPixels = 128;

} // namespace

void fillBox(SDL_Surface *surface, const Box &area, Colour colour) {
  const int x = area.x, y = area.y, w = area.w, h = area.h;
  const Uint32 pixel = mapColour(surface, colour);
  const int bytesPerPixel = surface->format->BytesPerPixel;
  const int stripWidth = std::max(1, PlainFillRowBytes / bytesPerPixel);
  if (w >= LargeBoxPixels || w <= stripWidth) {
    SDL_Rect box = sdlRect(area);
    SDL_FillRect(surface, &box, pixel);
    return;
  }
  const int strips = (w + stripWidth - 1) / stripWidth;
  for (int done = 0, strip = 0; strip < strips; ++strip) {
    // Even strips, so none is left wide enough for the bypassing path.
    const int width = (w - done) / (strips - strip);
    SDL_Rect box = sdlRect(Box{x + done, y, width, h});
    SDL_FillRect(surface, &box, pixel);
    done += width;
  }
}

void drawText(SDL_Surface *screen, TTF_Font *font, const std::string &text, Colour colour, int x,
              int y) {
  if (font == nullptr || text.empty())
    return;
  SDL_Surface *rendered = TTF_RenderText_Solid(font, text.c_str(), textColour(colour));
  if (rendered == nullptr)
    return;
  SDL_Rect at = blitTarget(x, y);
  SDL_UpperBlit(rendered, nullptr, screen, &at);
  SDL_FreeSurface(rendered);
}

void drawMarkedCell(SDL_Surface *screen, const Box &cell, bool marked) {
  fillBox(screen, cell, Red);
  if (!marked)
    fillBox(screen, Box{cell.x + 1, cell.y + 1, cell.w - 2, cell.h - 2}, Black);
}

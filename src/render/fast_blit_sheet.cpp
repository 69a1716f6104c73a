#include "render/fast_blit_sheet.h"

#include <cstring>

namespace {

constexpr int SlowRowMultiple = 16;
// The library pads rows to 4 bytes at most, so one of these widths will do.
constexpr int MostExtraColumns = 3;

SDL_Surface *createUnaligned(const SDL_Surface *sheet) {
  const SDL_PixelFormat *format = sheet->format;
  for (int extra = 0; extra <= MostExtraColumns; ++extra) {
    SDL_Surface *copy =
        SDL_CreateRGBSurface(SDL_SWSURFACE, sheet->w + extra, sheet->h, 32, format->Rmask,
                             format->Gmask, format->Bmask, format->Amask);
    if (copy == nullptr || copy->pitch % SlowRowMultiple != 0)
      return copy;
    SDL_FreeSurface(copy);
  }
  return nullptr;
}

} // namespace

SDL_Surface *copyWithUnalignedRows(SDL_Surface *sheet) {
  if (sheet == nullptr || sheet->format->BitsPerPixel != 32)
    return nullptr;
  SDL_Surface *copy = createUnaligned(sheet);
  if (copy == nullptr)
    return nullptr;
  // Row by row: the two surfaces' rows differ in length. The extra columns stay blank (the
  // new surface starts zeroed); no sprite rectangle reaches them. Both surfaces are in memory,
  // which the library reads and writes without a lock.
  const auto *from = static_cast<const Uint8 *>(sheet->pixels);
  auto *to = static_cast<Uint8 *>(copy->pixels);
  const size_t rowBytes = static_cast<size_t>(sheet->w) * 4;
  for (int row = 0; row < sheet->h; ++row)
    std::memcpy(to + row * copy->pitch, from + row * sheet->pitch, rowBytes);
  return copy;
}

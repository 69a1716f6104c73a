// The sheet copy with unaligned rows holds the loaded sheet's pixels, colour key and alpha: every
// frame is drawn from it, so the frame sessions check how it blits.

#include "render/fast_blit_sheet.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(FastBlitSheet, TheCopyHoldsTheSheetInRowsOfAnotherLength) {
  SDL_Surface *sheet = SDL_LoadBMP(RUN_DIR "/bmp/objets.bmp");
  ASSERT_NE(sheet, nullptr) << SDL_GetError();
  SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, 0x123456);
  SDL_SetAlpha(sheet, SDL_SRCALPHA, 77);
  SDL_Surface *copy = copyWithUnalignedRows(sheet);
  ASSERT_TRUE(copy && copy->w > sheet->w && copy->h == sheet->h && copy->pitch % 16 != 0);
  for (int y = 0; y < sheet->h; ++y)
    ASSERT_EQ(std::memcmp(static_cast<Uint8 *>(copy->pixels) + y * copy->pitch,
                          static_cast<Uint8 *>(sheet->pixels) + y * sheet->pitch, 4 * sheet->w),
              0)
        << "row " << y;
  EXPECT_EQ(copy->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA), SDL_SRCCOLORKEY | SDL_SRCALPHA);
  EXPECT_EQ(copy->format->colorkey, 0x123456u);
  EXPECT_EQ(copy->format->alpha, 77);
  SDL_FreeSurface(copy);
  SDL_FreeSurface(sheet);
  // Other depths take other blit paths, which may mix differently: such a sheet is kept.
  sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 170, 24, 0xff0000, 0xff00, 0xff, 0);
  EXPECT_EQ(copyWithUnalignedRows(sheet), nullptr);
  SDL_FreeSurface(sheet);
}

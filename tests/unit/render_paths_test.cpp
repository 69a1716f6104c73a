// Drawing that takes a path of its own for speed: the sheet copy has rows of another length
// (the frame sessions check the sprites it blits against the sheet file) and a sheet of another
// depth is kept as it is; a screen that is not 32-bit is dimmed by the library's own mixing.

#include "render/dialog_overlay.h"
#include "render/fast_blit_sheet.h"

#include <gtest/gtest.h>

TEST(RenderPaths, TheSheetCopyHasRowsOfAnotherLengthAndOnly32BitSheetsAreCopied) {
  SDL_Surface *sheet = SDL_LoadBMP(RUN_DIR "/bmp/objets.bmp");
  ASSERT_NE(sheet, nullptr) << SDL_GetError();
  SDL_Surface *copy = copyWithUnalignedRows(sheet);
  EXPECT_TRUE(copy && copy->w > sheet->w && copy->h == sheet->h && copy->pitch % 16 != 0);
  SDL_FreeSurface(copy);
  SDL_FreeSurface(sheet);
  sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 170, 24, 0xff0000, 0xff00, 0xff, 0);
  EXPECT_EQ(copyWithUnalignedRows(sheet), nullptr);
  SDL_FreeSurface(sheet);
}

TEST(RenderPaths, A16BitScreenIsDimmedToHalf) {
  SDL_Surface *surfaces[2];
  for (SDL_Surface *&surface : surfaces)
    surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 8, 16, 0xf800, 0x07e0, 0x001f, 0);
  SDL_FillRect(surfaces[1], nullptr, SDL_MapRGB(surfaces[1]->format, 200, 100, 248));
  dimScreen(surfaces[0], surfaces[1]);
  Uint8 r, g, b;
  SDL_GetRGB(static_cast<Uint16 *>(surfaces[0]->pixels)[70], surfaces[0]->format, &r, &g, &b);
  EXPECT_NEAR(r, 100, 8);
  EXPECT_NEAR(g, 50, 4);
  EXPECT_NEAR(b, 124, 8);
  for (SDL_Surface *surface : surfaces)
    SDL_FreeSurface(surface);
}

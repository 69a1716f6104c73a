// The sheet copy has rows of another length; the frame sessions check the sprites it blits
// against the sheet file. A sheet of another depth is kept as it is.

#include "render/fast_blit_sheet.h"

#include <gtest/gtest.h>

TEST(FastBlitSheet, TheCopyHasRowsOfAnotherLengthAndOnly32BitSheetsAreCopied) {
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

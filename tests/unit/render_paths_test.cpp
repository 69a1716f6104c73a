// Drawing that takes a path of its own for speed: the sheet copy has rows of another length
// (the frame sessions check the sprites it blits against the sheet file) and a sheet of another
// depth is kept as it is; a screen that is not 32-bit, or whose picture has its channels in
// another order, is dimmed by the library's own mixing.

#include "render/dialog_overlay.h"
#include "render/fast_blit_sheet.h"

#include <cstring>
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

// Screens the shift cannot halve: 16-bit pixels, and a picture whose channels lie in another
// order than the screen's.
TEST(RenderPaths, ScreensOfOtherFormatsAreDimmedToHalfByTheLibrary) {
  const struct {
    int depth;
    Uint32 red, green, blue, backRed, backBlue;
    int tolerance;
  } rows[] = {{16, 0xf800, 0x07e0, 0x001f, 0xf800, 0x001f, 8},
              {32, 0xff0000, 0xff00, 0xff, 0xff, 0xff0000, 1}};
  for (const auto &row : rows) {
    SDL_Surface *screen =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 8, row.depth, row.red, row.green, row.blue, 0);
    SDL_Surface *back = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 8, row.depth, row.backRed,
                                             row.green, row.backBlue, 0);
    SDL_FillRect(back, nullptr, SDL_MapRGB(back->format, 200, 100, 248));
    dimScreen(screen, back);
    Uint32 pixel = 0;
    std::memcpy(&pixel, static_cast<Uint8 *>(screen->pixels) + screen->pitch + 6 * row.depth / 8,
                row.depth / 8);
    Uint8 r, g, b;
    SDL_GetRGB(pixel, screen->format, &r, &g, &b);
    EXPECT_NEAR(r, 100, row.tolerance) << row.depth;
    EXPECT_NEAR(g, 50, row.tolerance) << row.depth;
    EXPECT_NEAR(b, 124, row.tolerance) << row.depth;
    SDL_FreeSurface(screen);
    SDL_FreeSurface(back);
  }
}

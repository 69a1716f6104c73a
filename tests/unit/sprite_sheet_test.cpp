// The generated sheet, the sprite rectangles, and the sheet drawing operations on their own.

#include "render/sprite_sheet.h"
#include "render_test_support.h"

#include <climits>
#include <set>
#include <vector>

namespace {

std::vector<Pixel> spritePixels(SDL_Surface *sheet, SDL_Rect rect) {
  std::vector<Pixel> pixels;
  for (int y = rect.y; y < rect.y + rect.h; ++y)
    for (int x = rect.x; x < rect.x + rect.w; ++x)
      pixels.push_back(pixelAt(sheet, x, y));
  return pixels;
}

TEST(SpriteRects, FollowTheSheetLayout) {
  auto same = [](SDL_Rect a, SDL_Rect b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
  };
  EXPECT_TRUE(same(brickSpriteRect(1), SDL_Rect{0, 90, 40, 20}));
  EXPECT_TRUE(same(brickSpriteRect(8), SDL_Rect{280, 90, 40, 20}));
  EXPECT_TRUE(same(brickSpriteRect(9), SDL_Rect{0, 110, 40, 20}));
  EXPECT_TRUE(same(brickSpriteRect(21), SDL_Rect{160, 130, 40, 20}));
  EXPECT_TRUE(same(brickSpriteRect(23), SDL_Rect{240, 130, 40, 20}));
  // Not (280, 130), where the eight-per-row rule would put it.
  EXPECT_TRUE(same(brickSpriteRect(24), SDL_Rect{80, 150, 40, 20}));
  EXPECT_TRUE(same(digitSpriteRect(0), SDL_Rect{0, 40, 16, 16}));
  EXPECT_TRUE(same(digitSpriteRect(9), SDL_Rect{144, 40, 16, 16}));
  for (int32_t type : {0, -1, 25, 1000, INT32_MIN, INT32_MAX})
    EXPECT_EQ(brickSpriteRect(type).w, 0) << type;
  for (int32_t digit : {-1, 10})
    EXPECT_EQ(digitSpriteRect(digit).w, 0) << digit;
}

TEST(SpriteSheetFile, HoldsThirtyFourDifferentImages) {
  SDL_Surface *sheet = SDL_LoadBMP(RUN_DIR "/bmp/objets.bmp");
  ASSERT_NE(sheet, nullptr) << SDL_GetError();
  EXPECT_GE(sheet->w, 320);
  EXPECT_GE(sheet->h, 170);
  // XRGB without an alpha channel: a per-pixel alpha would override the sheet's alpha switch.
  EXPECT_EQ(sheet->format->BitsPerPixel, 32);
  EXPECT_EQ(sheet->format->Amask, 0u);

  std::vector<std::vector<Pixel>> sprites;
  for (int digit = 0; digit <= 9; ++digit)
    sprites.push_back(spritePixels(sheet, digitSpriteRect(digit)));
  for (int type = 1; type <= 24; ++type)
    sprites.push_back(spritePixels(sheet, brickSpriteRect(type)));
  for (std::size_t i = 0; i < sprites.size(); ++i) {
    // An image, not a flat box: a brick has its bevel and markings, a digit its glyph.
    std::set<Pixel> colours(sprites[i].begin(), sprites[i].end());
    EXPECT_GT(colours.size(), 3u) << "sprite " << i;
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_NE(sprites[i], sprites[j]) << "sprites " << j << " and " << i;
  }
  // Bricks fill their whole rectangle: no black background around them.
  for (int type = 1; type <= 24; ++type) {
    const SDL_Rect rect = brickSpriteRect(type);
    EXPECT_NE(pixelAt(sheet, rect.x + 20, rect.y + 1), BlackPixel) << type;
    EXPECT_NE(pixelAt(sheet, rect.x + 3, rect.y + 17), BlackPixel) << type;
  }
  SDL_FreeSurface(sheet);
}

using SheetDrawing = HeadlessRender;

TEST_F(SheetDrawing, BrickSpriteOpaqueThenHalfOverBlack) {
  SDL_FillRect(screen, nullptr, 0);
  setSheetAlpha(sheet, false);
  drawBrickSprite(screen, sheet, 23, 100, 200);
  EXPECT_TRUE(boxMatchesSheet(100, 200, brickSpriteRect(23), same));
  setSheetAlpha(sheet, true);
  drawBrickSprite(screen, sheet, 24, 300, 200);
  EXPECT_TRUE(boxMatchesSheet(300, 200, brickSpriteRect(24), halfOverBlack));
  // Just outside the box nothing was drawn.
  EXPECT_EQ(at(99, 200), BlackPixel);
  EXPECT_EQ(at(140, 200), BlackPixel);
  EXPECT_EQ(at(100, 220), BlackPixel);
}

TEST_F(SheetDrawing, ScreenEdgeClipsWithoutShifting) {
  SDL_FillRect(screen, nullptr, 0);
  setSheetAlpha(sheet, false);
  drawBrickSprite(screen, sheet, 5, -25, 758);
  const SDL_Rect source = brickSpriteRect(5);
  // The visible part is the sprite's lower-right corner, still in its place.
  EXPECT_TRUE(boxMatchesSheet(
      0, 758, SDL_Rect{static_cast<Sint16>(source.x + 25), source.y, 15, 10}, same));
}

TEST_F(SheetDrawing, UnknownTypesAndUnreachablePositionsDrawNothing) {
  SDL_FillRect(screen, nullptr, 0);
  setSheetAlpha(sheet, false);
  for (int32_t type : {0, -1, 25, 99, INT32_MIN, INT32_MAX})
    drawBrickSprite(screen, sheet, type, 100, 100);
  // 65636 and -65436 would land on (100, 100) if cut to 16 bits.
  drawBrickSprite(screen, sheet, 3, 65636, 100);
  drawBrickSprite(screen, sheet, 3, 100, -65436);
  drawBrickSprite(screen, sheet, 3, INT32_MAX, INT32_MAX);
  drawBrickSprite(screen, sheet, 3, INT32_MIN, 100);
  EXPECT_EQ(countColour(0, 0, 1024, 768, BlackPixel), 1024 * 768);
}

TEST_F(SheetDrawing, ShortSheetDrawsOnlyWhatItHolds) {
  // A sheet 60 by 100: types of the lower rows and right columns have no pixels there.
  SDL_Surface *shortSheet =
      SDL_CreateRGBSurface(SDL_SWSURFACE, 60, 100, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
  ASSERT_NE(shortSheet, nullptr);
  SDL_FillRect(shortSheet, nullptr, SDL_MapRGB(shortSheet->format, 10, 200, 30));
  SDL_FillRect(screen, nullptr, 0);
  setSheetAlpha(shortSheet, false);
  drawBrickSprite(screen, shortSheet, 9, 300, 300);
  drawBrickSprite(screen, shortSheet, 24, 300, 300);
  drawBrickSprite(screen, shortSheet, 3, 300, 300);
  EXPECT_EQ(countColour(0, 0, 1024, 768, BlackPixel), 1024 * 768);
  drawBrickSprite(screen, shortSheet, 1, 100, 100);
  EXPECT_TRUE(boxIs(100, 100, 40, 10, Pixel{10, 200, 30}));
  EXPECT_TRUE(boxIs(100, 110, 40, 10, BlackPixel));
  // Type 2 lies across the sheet's right edge: its left 20 columns, in place.
  drawBrickSprite(screen, shortSheet, 2, 200, 100);
  EXPECT_TRUE(boxIs(200, 100, 20, 10, Pixel{10, 200, 30}));
  EXPECT_TRUE(boxIs(220, 100, 20, 20, BlackPixel));
  SDL_FreeSurface(shortSheet);
}

TEST_F(SheetDrawing, CountersShowEveryDigit) {
  SDL_FillRect(screen, nullptr, 0);
  setSheetAlpha(sheet, false);
  drawCounter(screen, sheet, 672, 100, 100);
  EXPECT_TRUE(boxMatchesSheet(100, 100, digitSpriteRect(6), same));
  EXPECT_TRUE(boxMatchesSheet(116, 100, digitSpriteRect(7), same));
  EXPECT_TRUE(boxMatchesSheet(132, 100, digitSpriteRect(2), same));
  drawCounter(screen, sheet, 5, 100, 200);
  EXPECT_TRUE(boxMatchesSheet(100, 200, digitSpriteRect(0), same));
  EXPECT_TRUE(boxMatchesSheet(116, 200, digitSpriteRect(0), same));
  EXPECT_TRUE(boxMatchesSheet(132, 200, digitSpriteRect(5), same));
}

TEST_F(SheetDrawing, SignedCounterBarOnlyWhenNegative) {
  SDL_FillRect(screen, nullptr, 0);
  setSheetAlpha(sheet, false);
  drawSignedCounter(screen, sheet, -40, 100, 100);
  EXPECT_TRUE(boxIs(92, 107, 6, 2, RedPixel));
  EXPECT_EQ(at(91, 107), BlackPixel);
  EXPECT_EQ(at(98, 107), BlackPixel);
  EXPECT_EQ(at(92, 106), BlackPixel);
  EXPECT_EQ(at(92, 109), BlackPixel);
  EXPECT_TRUE(boxMatchesSheet(100, 100, digitSpriteRect(4), same));
  EXPECT_TRUE(boxMatchesSheet(116, 100, digitSpriteRect(0), same));

  drawSignedCounter(screen, sheet, -1, 100, 200);
  EXPECT_TRUE(boxIs(92, 207, 6, 2, RedPixel));
  EXPECT_TRUE(boxMatchesSheet(100, 200, digitSpriteRect(0), same));
  EXPECT_TRUE(boxMatchesSheet(116, 200, digitSpriteRect(1), same));

  drawSignedCounter(screen, sheet, 40, 100, 300);
  drawSignedCounter(screen, sheet, 0, 100, 400);
  EXPECT_TRUE(boxIs(92, 307, 6, 2, BlackPixel));
  EXPECT_TRUE(boxIs(92, 407, 6, 2, BlackPixel));
  EXPECT_TRUE(boxMatchesSheet(100, 300, digitSpriteRect(4), same));
  EXPECT_TRUE(boxMatchesSheet(116, 400, digitSpriteRect(0), same));
}

} // namespace

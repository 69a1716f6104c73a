// The generated sheet, the sprite rectangles, and drawing from the sheet at its edges.

#include "render/sprite_sheet.h"
#include "render_test_support.h"

#include <climits>
#include <set>
#include <vector>

namespace {

TEST(SpriteRects, FollowTheSheetLayout) {
  const SDL_Rect cases[][2] = {
      {brickSpriteRect(1), {0, 90, 40, 20}},     {brickSpriteRect(8), {280, 90, 40, 20}},
      {brickSpriteRect(9), {0, 110, 40, 20}},    {brickSpriteRect(21), {160, 130, 40, 20}},
      {brickSpriteRect(23), {240, 130, 40, 20}}, {brickSpriteRect(24), {80, 150, 40, 20}},
      {digitSpriteRect(0), {0, 40, 16, 16}},     {digitSpriteRect(9), {144, 40, 16, 16}}};
  // Type 24 is not at (280, 130), where the eight-per-row rule would put it.
  for (const auto &[rect, expected] : cases)
    EXPECT_TRUE(rect.x == expected.x && rect.y == expected.y && rect.w == expected.w &&
                rect.h == expected.h)
        << expected.x << ", " << expected.y;
  for (int32_t type : {0, -1, 25, 1000, INT32_MIN, INT32_MAX})
    EXPECT_EQ(brickSpriteRect(type).w, 0) << type;
  for (int32_t digit : {-1, 10})
    EXPECT_EQ(digitSpriteRect(digit).w, 0) << digit;
}

std::vector<Pixel> spritePixels(SDL_Surface *sheet, SDL_Rect rect) {
  std::vector<Pixel> pixels;
  for (int y = rect.y; y < rect.y + rect.h; ++y)
    for (int x = rect.x; x < rect.x + rect.w; ++x)
      pixels.push_back(pixelAt(sheet, x, y));
  return pixels;
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
  for (int type = 1; type <= 24; ++type) {
    const SDL_Rect rect = brickSpriteRect(type);
    sprites.push_back(spritePixels(sheet, rect));
    // Bricks fill their whole rectangle: no black background around them.
    EXPECT_NE(pixelAt(sheet, rect.x + 20, rect.y + 1), BlackPixel) << type;
    EXPECT_NE(pixelAt(sheet, rect.x + 3, rect.y + 17), BlackPixel) << type;
  }
  for (std::size_t i = 0; i < sprites.size(); ++i) {
    // An image, not a flat box.
    EXPECT_GT(std::set<Pixel>(sprites[i].begin(), sprites[i].end()).size(), 3u) << i;
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_NE(sprites[i], sprites[j]) << "sprites " << j << " and " << i;
  }
  SDL_FreeSurface(sheet);
}

using SheetDrawing = HeadlessRender;

TEST_F(SheetDrawing, ScreenEdgeAndShortSheetClipWithoutShifting) {
  SDL_FillRect(screen, nullptr, 0);
  setSheetAlpha(sheet, false);
  drawBrickSprite(screen, sheet, 5, -25, 758);
  const SDL_Rect source = brickSpriteRect(5);
  EXPECT_TRUE(boxMatchesSheet(0, 758, SDL_Rect{Sint16(source.x + 25), source.y, 15, 10}, same));

  // 60 by 100: types of the lower rows and right columns have no pixels there.
  SDL_Surface *shortSheet =
      SDL_CreateRGBSurface(SDL_SWSURFACE, 60, 100, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
  ASSERT_NE(shortSheet, nullptr);
  const Pixel green{10, 200, 30};
  SDL_FillRect(shortSheet, nullptr, SDL_MapRGB(shortSheet->format, green.r, green.g, green.b));
  SDL_FillRect(screen, nullptr, 0);
  setSheetAlpha(shortSheet, false);
  for (int32_t type : {9, 24, 3})
    drawBrickSprite(screen, shortSheet, type, 300, 300);
  EXPECT_EQ(countColour(0, 0, 1024, 768, BlackPixel), 1024 * 768);
  drawBrickSprite(screen, shortSheet, 1, 100, 100);
  EXPECT_TRUE(boxIs(100, 100, 40, 10, green));
  EXPECT_TRUE(boxIs(100, 110, 40, 10, BlackPixel));
  // Type 2 lies across the sheet's right edge: its left 20 columns, in place.
  drawBrickSprite(screen, shortSheet, 2, 200, 100);
  EXPECT_TRUE(boxIs(200, 100, 20, 10, green));
  EXPECT_TRUE(boxIs(220, 100, 20, 20, BlackPixel));
  SDL_FreeSurface(shortSheet);
}

} // namespace

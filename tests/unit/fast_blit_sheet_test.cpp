// The sheet copy with unaligned rows draws exactly the frame the sheet itself draws.

#include "render/fast_blit_sheet.h"
#include "headless_render.h"

TEST_F(HeadlessRender, UnalignedSheetCopyDrawsTheSameFrame) {
  SDL_Surface *copy = copyWithUnalignedRows(sheet);
  ASSERT_NE(copy, nullptr) << SDL_GetError();
  EXPECT_NE(copy->pitch % 16, 0);
  // Opaque bricks of every type over the level, and the palette at half alpha.
  Editor editor;
  for (int slot = 0; slot < BrickSlots; ++slot)
    editor.bricks[slot] = Brick{24 + 40 * (slot % 18), 30 + 20 * (slot / 18), 1 + slot % 24};
  editor.state.brickCount = BrickSlots;
  std::vector<Pixel> frames[2];
  for (int use = 0; use < 2; ++use) {
    drawFrame(RenderResources{screen, backSurface, use == 0 ? sheet : copy, font}, editor);
    for (int y = 30; y < 470; ++y)
      for (int x = 24; x < 935; ++x)
        frames[use].push_back(at(x, y));
  }
  SDL_FreeSurface(copy);
  EXPECT_EQ(at(30, 35), sheetAt(6, 95)); // the frame does show the sheet
  EXPECT_TRUE(frames[0] == frames[1]);
}

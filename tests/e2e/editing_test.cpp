// Editing with the mouse in the real program: pick a type, edit the pattern grid and the
// spacing, lay bricks by a click and by a drag, retype and erase with the right button, check
// the bricks on screen against the sprite sheet, then save on the way out.

#include "x_session.h"

#include "render/sprite_sheet.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const Rgb Grey{128, 128, 128};

// The sheet is 32 bits per pixel.
Rgb spritePixel(SDL_Surface *sheet, int type, int dx, int dy) {
  const SDL_Rect rect = brickSpriteRect(type);
  Uint8 r, g, b;
  SDL_GetRGB(
      static_cast<const Uint32 *>(sheet->pixels)[(rect.y + dy) * sheet->pitch / 4 + rect.x + dx],
      sheet->format, &r, &g, &b);
  return Rgb{r, g, b};
}

// Pixels of the 40 by 20 box at (x, y) that differ from the sprite of the type, or from the
// bare level area for type 0.
int mismatches(const Screenshot &shot, SDL_Surface *sheet, int type, int x, int y) {
  int count = 0;
  for (int dy = 0; dy < 20; ++dy)
    for (int dx = 0; dx < 40; ++dx)
      count += !(shot.at(x + dx, y + dy) == (type ? spritePixel(sheet, type, dx, dy) : Grey));
  return count;
}

constexpr int PaletteType7X = 820, PaletteType7Y = 120;
constexpr int SpecialType22X = 820, SpecialType22Y = 270;

} // namespace

TEST(EditingE2E, BricksLaidRetypedAndErasedShowWithTheirSpritesAndQueuedReturnSaves) {
  SDL_Surface *sheet = SDL_LoadBMP(RUN_DIR "/bmp/objets.bmp");
  ASSERT_NE(sheet, nullptr) << SDL_GetError();

  XSession session;
  session.launch(5, 5);
  // Type 7; cells (0, 0) and (1, 0); a gap of 2 pixels between the two columns.
  session.click(PaletteType7X, PaletteType7Y);
  session.click(24 + 21 + 10, 480 + 6);
  session.click(483, 488);
  session.click(483, 488);
  // A click lays the two bricks at (100, 100) and (142, 100).
  session.click(100, 100);
  // A drag to the right in 2-pixel steps lays the pattern each time it stops overlapping the
  // last one: at x 100, 182 and 264.
  session.moveTo(100, 200);
  session.press(1);
  for (int x = 102; x <= 300; x += 2)
    session.moveTo(x, 200);
  session.release(1);
  session.moveTo(400, 300);
  session.moveTo(500, 320);
  // Retype the brick at (142, 100) to 22 with a right click; then picking 7 twice leaves no
  // type, and a right click erases the brick at (182, 200).
  session.click(SpecialType22X, SpecialType22Y);
  session.click(160, 110, 3);
  session.click(PaletteType7X, PaletteType7Y);
  session.click(PaletteType7X, PaletteType7Y);
  session.click(200, 210, 3);
  session.moveTo(1000, 700);

  const Screenshot shot = session.settledScreenshot();
  const struct {
    int x, y, type;
  } boxes[] = {{100, 100, 7}, {142, 100, 22}, {100, 200, 7}, {142, 200, 7},
               {224, 200, 7}, {264, 200, 7},  {306, 200, 7}, {182, 200, 0},
               {346, 200, 0}, {400, 300, 0},  {100, 220, 0}};
  for (const auto &box : boxes)
    EXPECT_EQ(mismatches(shot, sheet, box.type, box.x, box.y), 0)
        << "type " << box.type << " at " << box.x << "," << box.y;
  // The gaps the spacing left.
  for (int y = 100; y < 120; ++y)
    for (int x : {99, 140, 141, 182})
      EXPECT_EQ(shot.at(x, y), Grey) << x << ", " << y;
  if (HasFailure())
    shot.save("/tmp/editing_e2e_failure.ppm");
  SDL_FreeSurface(sheet);

  // Escape and Return reach the editor in one pass of its loop: the level is still saved.
  session.click(865, 392);
  session.type("Niv");
  session.key("Return");
  session.type("Moi");
  session.suspend();
  session.key("Escape");
  session.key("Return");
  session.resume();
  EXPECT_EQ(session.waitForExit(), 0);
  std::ifstream in(fs::path(session.workDir()) / "niv" / "Niv.lvbk", std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(saved.rfind("7\r\n100;100;7\r\n142;100;22\r\n", 0), 0u) << saved;
  EXPECT_EQ(saved.substr(saved.size() < 3 ? 0 : saved.size() - 3), "Moi") << saved;
}

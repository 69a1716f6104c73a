// Editing with the mouse in the real program: pick a type, edit the pattern grid and the
// spacing, lay bricks by a click and by a drag, retype and erase with the right button, then
// check the bricks on screen against the sprite sheet.

#include "x_session.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct SurfaceFree {
  void operator()(SDL_Surface *surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

Rgb pixelAt(SDL_Surface *surface, int x, int y) {
  const int bytes = surface->format->BytesPerPixel;
  const uint8_t *p = static_cast<const uint8_t *>(surface->pixels) + y * surface->pitch + x * bytes;
  uint32_t value = 0;
  switch (bytes) {
  case 1:
    value = *p;
    break;
  case 2:
    value = *reinterpret_cast<const uint16_t *>(p);
    break;
  case 3:
    value = SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16
                                            : p[2] | p[1] << 8 | p[0] << 16;
    break;
  default:
    value = *reinterpret_cast<const uint32_t *>(p);
  }
  uint8_t r, g, b;
  SDL_GetRGB(value, surface->format, &r, &g, &b);
  return Rgb{r, g, b};
}

// Where the sheet keeps the 40 by 20 sprite of a brick type.
void spriteOrigin(int type, int &x, int &y) {
  if (type == 24) {
    x = 80;
    y = 150;
    return;
  }
  x = 40 * ((type - 1) % 8);
  y = 90 + 20 * ((type - 1) / 8);
}

class Sheet {
public:
  Sheet() : surface_(SDL_LoadBMP(RUN_DIR "/bmp/objets.bmp")) {}
  bool loaded() const { return surface_ != nullptr; }
  Rgb sprite(int type, int dx, int dy) const {
    int x = 0, y = 0;
    spriteOrigin(type, x, y);
    return pixelAt(surface_.get(), x + dx, y + dy);
  }
  // How many pixels of the brick at (x, y) on screen differ from the sprite of the type.
  int mismatches(const Screenshot &shot, int type, int x, int y) const {
    int count = 0;
    for (int dy = 0; dy < 20; ++dy) {
      for (int dx = 0; dx < 40; ++dx)
        count += !(shot.at(x + dx, y + dy) == sprite(type, dx, dy));
    }
    return count;
  }
  bool spritesDiffer(int type, int other) const {
    for (int dy = 0; dy < 20; ++dy) {
      for (int dx = 0; dx < 40; ++dx) {
        if (!(sprite(type, dx, dy) == sprite(other, dx, dy)))
          return true;
      }
    }
    return false;
  }

private:
  SurfacePtr surface_;
};

const Rgb Grey{128, 128, 128};

// Every pixel of the 40 by 20 box at (x, y) shows the bare level area.
bool boxIsGrey(const Screenshot &shot, int x, int y) {
  for (int dy = 0; dy < 20; ++dy) {
    for (int dx = 0; dx < 40; ++dx) {
      if (!(shot.at(x + dx, y + dy) == Grey))
        return false;
    }
  }
  return true;
}

// Screen centres of the controls used below.
constexpr int PaletteType7X = 820, PaletteType7Y = 120;
constexpr int SpecialType22X = 820, SpecialType22Y = 270;
constexpr int GridCell10X = 24 + 21 + 10, GridCell10Y = 480 + 6;
constexpr int SpacingXPlusX = 483, SpacingXPlusY = 488;

} // namespace

TEST(EditingE2E, BricksLaidRetypedAndErasedShowWithTheirSprites) {
  Sheet sheet;
  ASSERT_TRUE(sheet.loaded()) << SDL_GetError();
  // Retyping can only be seen if the two types look different.
  ASSERT_TRUE(sheet.spritesDiffer(7, 22));

  XSession session;
  session.launch(5, 5);

  // Type 7; cells (0, 0) and (1, 0); a gap of 2 pixels between the two columns.
  session.click(PaletteType7X, PaletteType7Y);
  session.click(GridCell10X, GridCell10Y);
  session.click(SpacingXPlusX, SpacingXPlusY);
  session.click(SpacingXPlusX, SpacingXPlusY);

  // A click lays the two bricks at (100, 100) and (142, 100).
  session.click(100, 100);

  // A drag to the right in 2-pixel steps lays the pattern each time it stops overlapping the
  // last one: at x 100, 182 and 264, two bricks each.
  session.moveTo(100, 200);
  session.press(1);
  for (int x = 102; x <= 300; x += 2)
    session.moveTo(x, 200);
  session.release(1);
  // Motion with no drag lays nothing more.
  session.moveTo(400, 300);
  session.moveTo(500, 320);

  // Retype the brick at (142, 100) to 22 with a right click.
  session.click(SpecialType22X, SpecialType22Y);
  session.click(160, 110, 3);
  // Picking 7 twice leaves no type: a right click now erases the brick at (182, 200).
  session.click(PaletteType7X, PaletteType7Y);
  session.click(PaletteType7X, PaletteType7Y);
  session.click(200, 210, 3);
  session.moveTo(1000, 700);

  const Screenshot shot = session.settledScreenshot();
  const struct {
    int x, y, type;
  } shown[] = {{100, 100, 7}, {142, 100, 22}, {100, 200, 7}, {142, 200, 7},
               {224, 200, 7}, {264, 200, 7},  {306, 200, 7}};
  for (const auto &brick : shown) {
    EXPECT_EQ(sheet.mismatches(shot, brick.type, brick.x, brick.y), 0)
        << "brick of type " << brick.type << " at " << brick.x << "," << brick.y;
  }
  // The erased brick leaves the level area bare, and so do the gaps the spacing left.
  EXPECT_TRUE(boxIsGrey(shot, 182, 200));
  for (int y = 100; y < 120; ++y) {
    EXPECT_EQ(shot.at(140, y), Grey);
    EXPECT_EQ(shot.at(141, y), Grey);
    EXPECT_EQ(shot.at(99, y), Grey);
    EXPECT_EQ(shot.at(182, y), Grey);
  }
  // Nothing laid where the drag did not stop or after it ended.
  EXPECT_TRUE(boxIsGrey(shot, 346, 200));
  EXPECT_TRUE(boxIsGrey(shot, 400, 300));
  EXPECT_TRUE(boxIsGrey(shot, 100, 220));
  if (HasFailure())
    shot.save("/tmp/editing_e2e_failure.ppm");
}

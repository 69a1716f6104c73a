// The running editor shows exactly the frame that drawFrame composes headless for the same
// state: a level opened through the browser, a picked type, a pattern and the pointer over
// the level area.
//
// With BRICKEDIT_SCREENSHOT=<path.ppm> the grab is also written there; docs/screenshot.png
// is made from it.

#include "x_session.h"

#include "../unit/render_test_support.h"

#include "editor/editor.h"
#include "help/help_texts.h"
#include "render/frame.h"
#include "storage/level_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A showcase level: a steel lintel, seven rows striped through all 21 lifetimes, and a row of
// the special bricks with dynamite in the middle.
std::vector<Brick> showcaseBricks() {
  std::vector<Brick> bricks;
  for (int column = 0; column < 17; ++column)
    bricks.push_back(Brick{64 + 40 * column, 50, 22});
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 17; ++column)
      bricks.push_back(Brick{64 + 40 * column, 80 + 20 * row, 1 + (column + 3 * row) % 21});
  for (int column = 0; column < 17; ++column) {
    const int32_t type = column == 8 ? 23 : column % 4 == 0 ? 22 : column % 2 ? 24 : 23;
    bricks.push_back(Brick{64 + 40 * column, 240, type});
  }
  return bricks;
}

// Headless drawing in this process; the editor started later must not inherit the dummy
// driver.
class ScreenshotE2E : public HeadlessRender {
protected:
  void SetUp() override {
    HeadlessRender::SetUp();
    unsetenv("SDL_VIDEODRIVER");
  }
};

TEST_F(ScreenshotE2E, RunningEditorShowsTheHeadlessFrameAndEscapeEndsIt) {
  const std::vector<Brick> bricks = showcaseBricks();
  XSession session;
  {
    std::ofstream level(session.workDir() + "/niv/Vitrine.lvbk", std::ios::binary);
    level << bricks.size() << "\r\n";
    for (const Brick &brick : bricks)
      level << brick.x << ";" << brick.y << ";" << brick.type << "\r\n";
    level << "Vitrine";
  }
  session.launch();
  // Open the level through the browser: "Ouvrir niveau", then its row.
  session.click(860, 420);
  session.click(300, 285);
  // Pick type 9, add cells (1, 0) and (0, 1) to the pattern, set the horizontal spacing to 2.
  session.click(910, 120);
  session.click(24 + 21 + 10, 480 + 6);
  session.click(24 + 10, 480 + 13 + 6);
  session.click(483, 488);
  session.click(483, 488);
  const int pointerX = 330, pointerY = 360;
  session.moveTo(pointerX, pointerY);
  const Screenshot shown = session.settledScreenshot();
  if (const char *path = std::getenv("BRICKEDIT_SCREENSHOT"))
    shown.save(path);

  Editor editor;
  ASSERT_TRUE(readLevelFile(session.workDir() + "/niv/Vitrine.lvbk", editor.bricks, editor.state));
  ASSERT_EQ(editor.state.brickCount, static_cast<int32_t>(bricks.size()));
  editor.levelList = {"Vitrine.lvbk"};
  editor.currentBrickType = 9;
  editor.selection[cellIndex(1, 0)] = editor.selection[cellIndex(0, 1)] = 1;
  editor.state.spacingX = 2;
  updatePatternBox(editor.selection, editor.state);
  editor.pointerX = pointerX;
  editor.pointerY = pointerY;
  editor.helpText = helpTextAt(pointerX, pointerY, editor.currentBrickType, editor.state);
  drawFrame(resources(), editor);
  ASSERT_EQ(shown.width, 1024);

  // Every third pixel each way, plus every pixel of the palette and of the preview, where the
  // translucency shows.
  int compared = 0, differing = 0;
  std::ostringstream firstDifferences;
  auto compare = [&](int x, int y) {
    const Rgb a = shown.at(x, y);
    const Pixel b = at(x, y);
    ++compared;
    if (!(a.r == b.r && a.g == b.g && a.b == b.b) && ++differing <= 5)
      firstDifferences << " (" << x << ", " << y << ") shown " << a.r << "," << a.g << "," << a.b
                       << " drawn " << b.r << "," << b.g << "," << b.b << ";";
  };
  for (int y = 0; y < 768; y += 3)
    for (int x = 0; x < 1024; x += 3)
      compare(x, y);
  for (int y = 37; y < 280; ++y)
    for (int x = 800; x < 930; ++x)
      compare(x, y);
  for (int y = pointerY; y < pointerY + 40; ++y)
    for (int x = pointerX; x < pointerX + 82; ++x)
      compare(x, y);
  if (differing > 0) {
    shown.save(::testing::TempDir() + "screenshot_shown.ppm");
    SDL_SaveBMP(screen, (::testing::TempDir() + "screenshot_drawn.bmp").c_str());
  }
  EXPECT_EQ(differing, 0) << "of " << compared << " pixels:" << firstDifferences.str();
  // The preview really is on screen: its first brick half-way between type 9 and grey.
  EXPECT_FALSE(shown.at(pointerX + 20, pointerY + 10) == (Rgb{128, 128, 128}));

  session.key("Escape");
  EXPECT_EQ(session.waitForExit(), 0);
}

} // namespace

// The browser's preview of the level under the pointer: frames drawn headless after the
// preview is brought in line as the event loop does, with the reads counted at the seam.

#include "headless_render.h"
#include "storage_test_support.h"

#include "editor/control/handle_input.h"
#include "editor/screen_layout.h"
#include "render/sprite_sheet.h"
#include "storage/level_preview.h"

namespace {

const Box &Field = BrowserPreviewField;
const std::string Levels = TEST_DATA_DIR "/preview/";

class PreviewFrame : public HeadlessRender {
protected:
  // A pass of the loop with the pointer at (x, y): the preview brought in line, then the frame.
  std::vector<Uint8> frameAt(int x, int y, int32_t mode = BrowsingLevels) {
    editor.state.mode = mode;
    editor.levelList = {"small.lvbk", "refused.lvbk", "missing.lvbk"};
    editor.pointerX = x;
    editor.pointerY = y;
    const auto countingReader = [&](const std::string &path, std::string &bytes) {
      return ++reads, readFileBytes(path, bytes);
    };
    refreshBrowserPreview(editor.browserPreview, editor, countingReader, Levels);
    return frame();
  }
  std::vector<Uint8> frame() {
    drawFrame(setup->resources(), editor);
    const SDL_Surface *screen = setup->resources().screen;
    const Uint8 *pixels = static_cast<const Uint8 *>(screen->pixels);
    return std::vector<Uint8>(pixels, pixels + screen->pitch * screen->h);
  }

  Editor editor;
  int reads = 0;
};

TEST_F(PreviewFrame, EachMiniaturePixelIsTheMeanOfItsBlockOfTheSprite) {
  frameAt(400, 285);
  for (int slot = 0; slot < 3; ++slot) {
    const Brick &brick = editor.browserPreview.bricks[slot];
    const SDL_Rect sprite = brickSpriteRect(brick.type);
    // Each pixel at a quarter of the brick's place, the mean of its 4 by 4 block of the sprite.
    for (int i = 0; i < 50; ++i) {
      Pixel sum{0, 0, 0};
      for (int j = 0; j < 16; ++j) {
        const Pixel p = sheetAt(sprite.x + 4 * (i % 10) + j % 4, sprite.y + 4 * (i / 10) + j / 4);
        sum = Pixel{sum.r + p.r, sum.g + p.g, sum.b + p.b};
      }
      const Pixel shown =
          at(Field.x + (brick.x - 24) / 4 + i % 10, Field.y + (brick.y - 30) / 4 + i / 10);
      EXPECT_TRUE(near(shown, Pixel{sum.r / 16, sum.g / 16, sum.b / 16})) << slot << ", " << i;
    }
  }
  EXPECT_EQ(previewCaption("Bo", 1), "Auteur : Bo  -  1 brique");
  EXPECT_EQ(previewCaption("", 0), "Auteur inconnu  -  0 brique");
}

TEST_F(PreviewFrame, EachNameIsReadOnceAsThePointerComesOntoItAndOffTheNamesNothingShows) {
  EXPECT_EQ(printedBy([&] { frameAt(400, 285); }), "");
  // Along row 0, to row 1 and back; off the names: above the pick area, a row without a name,
  // the bottom strip, either side of the pick area; back; out of the browser and back.
  constexpr int B = BrowsingLevels;
  const int steps[][5] = {{600, 294, B, 1, 1},       {400, 305, B, 2, 1}, {400, 286, B, 3, 1},
                          {400, 275, B, 3, 0},       {400, 345, B, 3, 0}, {400, 477, B, 3, 0},
                          {250, 285, B, 3, 0},       {750, 285, B, 3, 0}, {400, 285, B, 4, 1},
                          {400, 285, Editing, 4, 0}, {400, 285, B, 5, 1}};
  for (const auto &step : steps) {
    const std::vector<Uint8> shown = frameAt(step[0], step[1], step[2]);
    EXPECT_EQ(reads, step[3]) << step[0] << ", " << step[1];
    if (step[4] == 0) { // off the names every pixel is as with no preview at all
      const ::BrowserPreview held = std::exchange(editor.browserPreview, ::BrowserPreview{});
      EXPECT_TRUE(frame() == shown) << step[0] << ", " << step[1];
      editor.browserPreview = held;
    }
  }
}

} // namespace

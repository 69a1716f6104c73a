// The browser's preview of the level under the pointer: frames drawn headless after the
// preview is brought in line as the event loop does, with the reads counted at the seam.

#include "render_test_support.h"
#include "storage_test_support.h"

#include "editor/control/handle_input.h"
#include "editor/screen_layout.h"
#include "render/sprite_sheet.h"
#include "storage/level_parser.h"
#include "storage/level_preview.h"

namespace {

const std::string Levels = TEST_DATA_DIR "/preview/";
const Box &Field = BrowserPreviewField;

class PreviewFrame : public HeadlessRender {
protected:
  void SetUp() override {
    HeadlessRender::SetUp();
    editor->state.mode = BrowsingLevels;
    editor->levelList = {"small.lvbk", "refused.lvbk", "missing.lvbk"};
  }
  // Where the loop's pass begins: the pointer, the preview brought in line, the frame.
  void frameAt(int x, int y, bool refresh = true) {
    editor->pointerX = x;
    editor->pointerY = y;
    if (refresh)
      refreshBrowserPreview(editor->browserPreview, *editor, countingReader, Levels);
    drawFrame(setup->resources(), *editor);
  }
  std::vector<Uint8> pixels() const {
    const Uint8 *first = static_cast<const Uint8 *>(screen->pixels);
    return std::vector<Uint8>(first, first + screen->pitch * screen->h);
  }
  int fieldPixels(Pixel colour) const {
    return countColour(Field.x, Field.y, Field.w, Field.h, colour);
  }

  std::unique_ptr<Editor> editor = std::make_unique<Editor>();
  int reads = 0;
  LevelBytesReader countingReader = [this](const std::string &path, std::string &bytes) {
    ++reads;
    return readFileBytes(path, bytes);
  };
};

TEST_F(PreviewFrame, OverANameItsBricksShowAsQuarterScaleMiniaturesBesideTheNames) {
  frameAt(400, 285);
  Bricks bricks{};
  int32_t count = 0;
  const std::string bytes = fileBytes(Levels + "small.lvbk");
  parseLevelBytes(bytes.data(), bytes.size(), bricks, count);
  for (int32_t slot = 0; slot < count; ++slot) {
    const int x = Field.x + (bricks[slot].x - LevelLeft) / 4;
    const int y = Field.y + (bricks[slot].y - LevelTop) / 4;
    const SDL_Rect sprite = brickSpriteRect(bricks[slot].type);
    // Each pixel the mean of its 4 by 4 block of the sprite.
    for (int i = 0; i < 50; ++i) {
      Pixel sum{0, 0, 0};
      for (int j = 0; j < 16; ++j) {
        const Pixel p = sheetAt(sprite.x + 4 * (i % 10) + j % 4, sprite.y + 4 * (i / 10) + j / 4);
        sum = Pixel{sum.r + p.r, sum.g + p.g, sum.b + p.b};
      }
      EXPECT_TRUE(near(at(x + i % 10, y + i / 10), Pixel{sum.r / 16, sum.g / 16, sum.b / 16}))
          << "brick " << slot << " pixel " << i;
    }
  }
  EXPECT_EQ(fieldPixels(GreyPixel), Field.w * Field.h - 50 * count);
  EXPECT_TRUE(textMatches("Auteur : Ana  -  3 briques", Field.x, BrowserPreviewCaptionTop,
                          WhitePixel, GreyPixel));
  // Every name still shows its own glyphs on the dialog's grey and nothing else.
  for (int row = 0; row < 3; ++row)
    EXPECT_TRUE(textMatches(editor->levelList[row], BrowserRowLeft, BrowserRowTop + 20 * row,
                            row == 0 ? RedPixel : WhitePixel, GreyPixel));
}

TEST_F(PreviewFrame, OverNoNameEveryPixelIsTheFrameWithoutAPreview) {
  // Above the pick area, a row without a name, the bottom strip, beside the pick area.
  const Point noName[] = {{400, 275}, {400, 345}, {400, 477}, {250, 285}, {750, 285}};
  for (const Point point : noName) {
    frameAt(400, 285);
    frameAt(point.x, point.y, false);
    const std::vector<Uint8> withHeldPreview = pixels();
    editor->browserPreview = ::BrowserPreview{};
    frameAt(point.x, point.y);
    EXPECT_TRUE(pixels() == withHeldPreview) << point.x << ", " << point.y;
  }
}

TEST_F(PreviewFrame, AnUnreadableLevelSaysSoAndAClickOnItOpensNothing) {
  SDL_Surface *ink = TTF_RenderText_Solid(font, "Niveau illisible", SDL_Color{255, 255, 255, 0});
  ASSERT_NE(ink, nullptr);
  const int inked = static_cast<int>(std::count_if(
      static_cast<Uint8 *>(ink->pixels), static_cast<Uint8 *>(ink->pixels) + ink->pitch * ink->h,
      [](Uint8 index) { return index != 0; }));
  SDL_FreeSurface(ink);
  for (const int y : {305, 325}) { // a refused count, a file gone since the listing
    frameAt(400, y);
    EXPECT_EQ(fieldPixels(WhitePixel), inked);
    EXPECT_EQ(fieldPixels(GreyPixel), Field.w * Field.h - inked);
    EXPECT_TRUE(boxIs(Field.x, BrowserPreviewCaptionTop, Field.w, 40, GreyPixel));
    handleInput(InputEvent{InputKind::ButtonUp, 400, static_cast<uint16_t>(y), MouseLeft}, *editor,
                Levels);
    EXPECT_EQ(editor->state.mode, BrowsingLevels);
    EXPECT_EQ(editor->state.brickCount, 0);
  }
}

TEST_F(PreviewFrame, TheFileIsReadOnceEachTimeThePointerComesOntoAnotherName) {
  EXPECT_EQ(printedBy([&] { frameAt(400, 285); }), "");
  // Along row 0, to row 1 and back, off the names and back, outside the browser's mode.
  const int steps[][4] = {{600, 294, BrowsingLevels, 1}, {400, 305, BrowsingLevels, 2},
                          {400, 286, BrowsingLevels, 3}, {400, 345, BrowsingLevels, 3},
                          {400, 285, BrowsingLevels, 4}, {400, 285, Editing, 4},
                          {400, 285, BrowsingLevels, 5}};
  for (const auto &step : steps) {
    editor->state.mode = step[2];
    frameAt(step[0], step[1]);
    EXPECT_EQ(reads, step[3]) << step[0] << ", " << step[1];
  }
  // A list rebuilt with another name under the pointer's row.
  editor->levelList[0] = "refused.lvbk";
  frameAt(400, 285);
  EXPECT_EQ(reads, 6);
}

TEST(PreviewCaption, GivesTheAuthorAndTheCountInFrench) {
  const std::tuple<std::string, int32_t, std::string> cases[] = {
      {"Ana", 42, "Auteur : Ana  -  42 briques"},
      {"Bo", 1, "Auteur : Bo  -  1 brique"},
      {"", 0, "Auteur inconnu  -  0 brique"}};
  for (const auto &[author, count, caption] : cases) {
    ::BrowserPreview preview;
    preview.author = author;
    preview.brickCount = count;
    EXPECT_EQ(previewCaption(preview), caption);
  }
}

} // namespace

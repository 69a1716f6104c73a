// Whole frames drawn headless and read back pixel by pixel.

#include "render/dialog_overlay.h"
#include "render/render_layout.h"
#include "render/sprite_sheet.h"
#include "render_test_support.h"

#include <climits>

namespace {

class Frame : public HeadlessRender {
protected:
  // No preview unless a test puts the pointer in the level area.
  void SetUp() override {
    HeadlessRender::SetUp();
    editor.pointerX = 0;
    editor.pointerY = 0;
    editor.helpText = "";
  }
  void draw() { drawFrame(resources(), editor); }

  Editor editor;
};

TEST_F(Frame, LevelAreaGreyWithBlackAround) {
  draw();
  for (auto [x, y] : {std::pair{24, 30}, {775, 30}, {24, 469}, {775, 469}, {400, 250}})
    EXPECT_EQ(at(x, y), GreyPixel) << x << ", " << y;
  for (auto [x, y] : {std::pair{23, 30},
                      {24, 29},
                      {776, 30},
                      {775, 29},
                      {23, 469},
                      {24, 470},
                      {776, 469},
                      {775, 470},
                      {0, 767},
                      {1023, 0}})
    EXPECT_EQ(at(x, y), BlackPixel) << x << ", " << y;
}

TEST_F(Frame, PlacedBricksShowTheirSpritesLaterOnTop) {
  editor.bricks[0] = Brick{100, 100, 5};
  editor.bricks[1] = Brick{120, 110, 22};
  editor.bricks[2] = Brick{500, 300, 24};
  editor.state.brickCount = 3;
  draw();
  // The second brick covers the lower-right quarter of the first.
  EXPECT_TRUE(boxMatchesSheet(120, 110, brickSpriteRect(22), same));
  const SDL_Rect first = brickSpriteRect(5);
  EXPECT_TRUE(boxMatchesSheet(100, 100, SDL_Rect{first.x, first.y, 40, 10}, same));
  EXPECT_TRUE(boxMatchesSheet(100, 110,
                              SDL_Rect{first.x, static_cast<Sint16>(first.y + 10), 20, 10}, same));
  EXPECT_TRUE(boxMatchesSheet(500, 300, brickSpriteRect(24), same));
}

TEST_F(Frame, BricksBeyondTheLevelAreaAreClippedOnlyByTheScreen) {
  editor.bricks[0] = Brick{1000, 750, 1};
  editor.state.brickCount = 1;
  draw();
  const SDL_Rect source = brickSpriteRect(1);
  EXPECT_TRUE(boxMatchesSheet(1000, 750, SDL_Rect{source.x, source.y, 24, 18}, same));
}

TEST_F(Frame, BadTypesAndFarPositionsDrawNothing) {
  int slot = 0;
  for (int32_t type : {0, -1, 25, 1000, INT32_MIN})
    editor.bricks[slot++] = Brick{100, 100, type};
  // Each would land on (100, 100) or nearby if its position were cut to 16 bits.
  editor.bricks[slot++] = Brick{65536 + 100, 100, 3};
  editor.bricks[slot++] = Brick{100, 100 - 65536, 3};
  editor.bricks[slot++] = Brick{INT32_MIN, INT32_MIN, 3};
  editor.bricks[slot++] = Brick{INT32_MAX, 100, 3};
  editor.state.brickCount = slot;
  editor.currentBrickType = 31; // no palette entry opaque, no preview
  editor.pointerX = 300;
  editor.pointerY = 300;
  draw();
  EXPECT_TRUE(boxIs(LevelLeft, LevelTop, LevelWidth, LevelHeight, GreyPixel));
}

TEST_F(Frame, OnlyTheCurrentPaletteEntryIsOpaque) {
  editor.currentBrickType = 7;
  draw();
  for (int32_t type = 1; type <= 24; ++type) {
    const Point entry = palettePosition(type);
    if (type == 7)
      EXPECT_TRUE(boxMatchesSheet(entry.x, entry.y, brickSpriteRect(type), same));
    else
      EXPECT_TRUE(boxMatchesSheet(entry.x, entry.y, brickSpriteRect(type), halfOverBlack))
          << "type " << type;
  }
  // Headings 1, 2, 3 centred over the columns, opaque.
  EXPECT_TRUE(boxMatchesSheet(812, 37, digitSpriteRect(1), same));
  EXPECT_TRUE(boxMatchesSheet(857, 37, digitSpriteRect(2), same));
  EXPECT_TRUE(boxMatchesSheet(902, 37, digitSpriteRect(3), same));
}

TEST_F(Frame, PaletteWithoutTypeOrWithTheLastType) {
  editor.currentBrickType = 0;
  draw();
  for (int32_t type = 1; type <= 24; ++type) {
    const Point entry = palettePosition(type);
    EXPECT_TRUE(boxMatchesSheet(entry.x, entry.y, brickSpriteRect(type), halfOverBlack))
        << "type " << type;
  }
  editor.currentBrickType = 24;
  draw();
  EXPECT_TRUE(boxMatchesSheet(890, 260, SDL_Rect{80, 150, 40, 20}, same));
  EXPECT_TRUE(boxMatchesSheet(845, 260, brickSpriteRect(23), halfOverBlack));
}

TEST_F(Frame, PreviewShowsOnlyWhereThePatternFits) {
  editor.currentBrickType = 3;
  editor.pointerX = 736;
  editor.pointerY = 100;
  draw();
  EXPECT_TRUE(boxMatchesSheet(736, 100, brickSpriteRect(3), halfOverGrey));
  editor.pointerX = 737;
  draw();
  EXPECT_TRUE(boxIs(LevelLeft, LevelTop, LevelWidth, LevelHeight, GreyPixel));
  editor.pointerX = 24;
  editor.pointerY = 450;
  draw();
  EXPECT_TRUE(boxMatchesSheet(24, 450, brickSpriteRect(3), halfOverGrey));
  editor.pointerY = 451;
  draw();
  EXPECT_TRUE(boxIs(LevelLeft, LevelTop, LevelWidth, LevelHeight, GreyPixel));
  editor.pointerX = 23;
  editor.pointerY = 30;
  draw();
  EXPECT_TRUE(boxIs(LevelLeft, LevelTop, LevelWidth, LevelHeight, GreyPixel));
}

TEST_F(Frame, PreviewDrawsSelectedCellsAtTheirOffsetsOverBricks) {
  editor.selection.fill(0);
  editor.selection[cellIndex(4, 2)] = 1;
  editor.selection[cellIndex(6, 3)] = 1;
  editor.state.spacingX = 5;
  editor.state.spacingY = 3;
  updatePatternBox(editor.selection, editor.state);
  editor.bricks[0] = Brick{190, 123, 10};
  editor.state.brickCount = 1;
  editor.currentBrickType = 12;
  editor.pointerX = 100;
  editor.pointerY = 100;
  draw();
  // Cell (4, 2) at the pointer; cell (6, 3) two columns of 45 and one row of 23 further, over
  // the placed brick; the empty cells of the box show nothing.
  EXPECT_TRUE(boxMatchesSheet(100, 100, brickSpriteRect(12), halfOverGrey));
  const SDL_Rect preview = brickSpriteRect(12);
  const SDL_Rect placed = brickSpriteRect(10);
  for (int dy = 0; dy < 20; ++dy)
    for (int dx = 0; dx < 40; ++dx) {
      const Pixel under = sheetAt(placed.x + dx, placed.y + dy);
      const Pixel sprite = sheetAt(preview.x + dx, preview.y + dy);
      ASSERT_TRUE(near(at(190 + dx, 123 + dy), halfOver(sprite, under))) << dx << ", " << dy;
    }
  EXPECT_TRUE(boxIs(145, 100, 40, 20, GreyPixel));
  EXPECT_TRUE(boxIs(100, 123, 40, 20, GreyPixel));
  EXPECT_TRUE(boxIs(190, 100, 40, 20, GreyPixel));
}

TEST_F(Frame, NoPreviewWithoutTypeOrWithoutCells) {
  editor.pointerX = 300;
  editor.pointerY = 200;
  editor.currentBrickType = 0;
  draw();
  EXPECT_TRUE(boxIs(LevelLeft, LevelTop, LevelWidth, LevelHeight, GreyPixel));
  editor.currentBrickType = 4;
  editor.selection.fill(0);
  updatePatternBox(editor.selection, editor.state);
  draw();
  EXPECT_TRUE(boxIs(LevelLeft, LevelTop, LevelWidth, LevelHeight, GreyPixel));
}

TEST_F(Frame, CountersOfThePanel) {
  editor.state.spacingX = 672;
  editor.state.spacingY = 0;
  editor.state.offsetX = -7;
  editor.state.offsetY = 0;
  draw();
  EXPECT_TRUE(boxMatchesSheet(515, 480, digitSpriteRect(6), same));
  EXPECT_TRUE(boxMatchesSheet(531, 480, digitSpriteRect(7), same));
  EXPECT_TRUE(boxMatchesSheet(547, 480, digitSpriteRect(2), same));
  for (int x : {515, 531, 547})
    EXPECT_TRUE(boxMatchesSheet(x, 500, digitSpriteRect(0), same));
  EXPECT_TRUE(boxIs(523, 547, 6, 2, RedPixel));
  EXPECT_TRUE(boxMatchesSheet(531, 540, digitSpriteRect(0), same));
  EXPECT_TRUE(boxMatchesSheet(547, 540, digitSpriteRect(7), same));
  EXPECT_TRUE(boxIs(523, 567, 6, 2, BlackPixel));
  EXPECT_TRUE(boxMatchesSheet(531, 560, digitSpriteRect(0), same));
}

TEST_F(Frame, StepperSignsAndButtons) {
  draw();
  for (int top : {481, 501, 541, 561}) {
    EXPECT_TRUE(boxIs(476, top + 5, 14, 4, RedPixel)) << top;
    EXPECT_TRUE(boxIs(481, top, 4, 14, RedPixel)) << top;
    EXPECT_TRUE(boxIs(496, top + 5, 14, 4, RedPixel)) << top;
    EXPECT_EQ(at(476, top), BlackPixel);
    EXPECT_EQ(at(496, top), BlackPixel);
  }
  for (int top : {350, 380, 410}) {
    // Grey box with a red label on it, black between the boxes.
    EXPECT_EQ(at(800, top), GreyPixel);
    EXPECT_EQ(at(929, top + 24), GreyPixel);
    EXPECT_EQ(at(800, top + 25), BlackPixel);
    EXPECT_GT(countColour(810, top, 110, 25, RedPixel), 30) << top;
  }
  EXPECT_TRUE(textMatches("Effacer tout !", 810, 350, RedPixel, GreyPixel));
  EXPECT_TRUE(textMatches("Pos X :", 410, 535, RedPixel, BlackPixel));
  EXPECT_TRUE(textMatches("H :", 440, 495, RedPixel, BlackPixel));
}

TEST_F(Frame, ChooserAndPatternGridMarks) {
  editor.selection.fill(0);
  editor.selection[cellIndex(3, 4)] = 1;
  editor.selection[cellIndex(17, 21)] = 1;
  editor.state.relativeX = 1;
  editor.state.relativeY = -1;
  draw();
  // Marked cells solid red; unmarked ones a red border round black; one black pixel between.
  EXPECT_TRUE(boxIs(24 + 63, 480 + 52, 20, 12, RedPixel));
  EXPECT_TRUE(boxIs(24 + 357, 480 + 273, 20, 12, RedPixel));
  EXPECT_TRUE(boxIs(25, 481, 18, 10, BlackPixel));
  EXPECT_EQ(at(24, 480), RedPixel);
  EXPECT_EQ(at(43, 491), RedPixel);
  EXPECT_EQ(at(44, 480), BlackPixel);
  EXPECT_EQ(at(24, 492), BlackPixel);
  EXPECT_TRUE(boxIs(612, 540, 20, 12, RedPixel));
  EXPECT_TRUE(boxIs(592, 554, 18, 10, BlackPixel));
  EXPECT_EQ(at(591, 553), RedPixel);

  editor.state.relativeX = 0;
  editor.state.relativeY = 0;
  draw();
  EXPECT_TRUE(boxIs(591, 553, 20, 12, RedPixel));
  EXPECT_TRUE(boxIs(613, 541, 18, 10, BlackPixel));
}

TEST_F(Frame, HelpLineKeepsLatinOneAccents) {
  editor.helpText = "Cliquez pour d\xe9placer \xe0 c\xf4t\xe9";
  draw();
  EXPECT_TRUE(textMatches(editor.helpText, 10, 5, WhitePixel, BlackPixel));
  // One glyph per byte: é is neither e nor two stray glyphs.
  int accentWidth = 0, plainWidth = 0, height = 0;
  TTF_SizeText(font, "\xe9", &accentWidth, &height);
  TTF_SizeText(font, "e", &plainWidth, &height);
  EXPECT_EQ(accentWidth, plainWidth);
  SDL_FillRect(screen, nullptr, 0);
  editor.helpText = "\xe9";
  draw();
  const int accentInk = countColour(10, 5, accentWidth, 20, WhitePixel);
  editor.helpText = "e";
  draw();
  EXPECT_GT(accentInk, countColour(10, 5, plainWidth, 20, WhitePixel));
}

TEST_F(Frame, MissingFontDrawsEverythingButText) {
  editor.helpText = "Aide";
  RenderResources noFont = resources();
  noFont.font = nullptr;
  drawFrame(noFont, editor);
  EXPECT_TRUE(boxIs(0, 0, 700, 28, BlackPixel));
  EXPECT_TRUE(boxIs(800, 350, 130, 25, GreyPixel));
  editor.state.mode = BrowsingLevels;
  editor.levelList = {"a.lvbk"};
  drawFrame(noFont, editor);
  EXPECT_TRUE(boxIs(DialogLeft, DialogTop, DialogWidth, DialogHeight, GreyPixel));
}

class Dialog : public Frame {};

TEST_F(Dialog, LevelNameDimsTheEditorAndShowsThePrompt) {
  editor.currentBrickType = 2;
  editor.state.mode = EnteringLevelName;
  draw();
  EXPECT_TRUE(near(at(30, 40), halved(GreyPixel)));
  EXPECT_TRUE(boxMatchesSheet(845, 60, brickSpriteRect(2), halfOverBlack));
  EXPECT_TRUE(near(at(24, 480), halved(RedPixel)));
  EXPECT_EQ(at(250, 270), GreyPixel);
  EXPECT_EQ(at(749, 479), GreyPixel);
  EXPECT_TRUE(near(at(750, 479), halved(BlackPixel)));
  EXPECT_TRUE(textMatches(LevelNamePrompt, 260, 275, WhitePixel, GreyPixel));
  // Nothing typed yet: no field, no second prompt.
  EXPECT_TRUE(boxIs(260, 295, 480, 180, GreyPixel));
}

TEST_F(Dialog, TypedNamesShowUnderTheirPrompts) {
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_n;
  key.key.keysym.unicode = 'N';
  editor.levelNameField.handleKey(key, font, SDL_Color{255, 255, 255, 0});
  key.key.keysym.sym = SDLK_z;
  key.key.keysym.unicode = 'z';
  editor.authorField.handleKey(key, font, SDL_Color{255, 255, 255, 0});
  ASSERT_NE(editor.levelNameField.surface(), nullptr);
  ASSERT_NE(editor.authorField.surface(), nullptr);

  editor.state.mode = EnteringLevelName;
  draw();
  EXPECT_TRUE(textMatches("N", 260, 295, WhitePixel, GreyPixel));
  EXPECT_TRUE(boxIs(260, 325, 480, 150, GreyPixel));

  editor.state.mode = EnteringAuthorName;
  draw();
  EXPECT_TRUE(textMatches(LevelNamePrompt, 260, 275, WhitePixel, GreyPixel));
  EXPECT_TRUE(textMatches("N", 260, 295, WhitePixel, GreyPixel));
  EXPECT_TRUE(textMatches(AuthorPrompt, 260, 325, WhitePixel, GreyPixel));
  EXPECT_TRUE(textMatches("z", 260, 345, WhitePixel, GreyPixel));
}

TEST_F(Dialog, WithoutBackSurfaceTheEditorStaysUndimmed) {
  editor.state.mode = EnteringLevelName;
  RenderResources noBack = resources();
  noBack.backSurface = nullptr;
  drawFrame(noBack, editor);
  EXPECT_EQ(at(30, 40), GreyPixel);
  EXPECT_EQ(at(260, 470), GreyPixel);
  EXPECT_TRUE(textMatches(LevelNamePrompt, 260, 275, WhitePixel, GreyPixel));
}

std::vector<std::string> names(int count) {
  std::vector<std::string> list;
  for (int index = 0; index < count; ++index)
    list.push_back("niveau" + std::to_string(index) + ".lvbk");
  return list;
}

TEST_F(Dialog, BrowserShowsTenNamesFromTheScrollWithTheRowUnderThePointerRed) {
  editor.state.mode = BrowsingLevels;
  editor.levelList = names(25);
  editor.state.browserScroll = 15;
  editor.pointerX = 5; // the highlight ignores x
  editor.pointerY = 275 + 3 * 20 + 7;
  draw();
  for (int row = 0; row < 10; ++row)
    EXPECT_TRUE(textMatches(editor.levelList[15 + row], 260, 275 + 20 * row,
                            row == 3 ? RedPixel : WhitePixel, GreyPixel))
        << "row " << row;
  EXPECT_TRUE(boxIs(251, 475, 498, 5, GreyPixel));
}

TEST_F(Dialog, BrowserHighlightJustAboveTheFirstRow) {
  editor.state.mode = BrowsingLevels;
  editor.levelList = names(4);
  editor.pointerY = 260;
  draw();
  EXPECT_TRUE(textMatches(editor.levelList[0], 260, 275, RedPixel, GreyPixel));
  EXPECT_TRUE(textMatches(editor.levelList[1], 260, 295, WhitePixel, GreyPixel));
  editor.pointerY = 254;
  draw();
  EXPECT_TRUE(textMatches(editor.levelList[0], 260, 275, WhitePixel, GreyPixel));
}

TEST_F(Dialog, BrowserNeverReadsPastTheList) {
  editor.state.mode = BrowsingLevels;
  editor.pointerY = 600;
  draw();
  EXPECT_TRUE(boxIs(DialogLeft, DialogTop, DialogWidth, DialogHeight, GreyPixel));

  editor.levelList = names(10);
  editor.state.browserScroll = 7;
  draw();
  EXPECT_TRUE(textMatches(editor.levelList[0], 260, 275, WhitePixel, GreyPixel));
  EXPECT_TRUE(textMatches(editor.levelList[9], 260, 455, WhitePixel, GreyPixel));

  editor.levelList = names(12);
  for (int32_t scroll : {50, 12, INT32_MAX, -3, INT32_MIN}) {
    editor.state.browserScroll = scroll;
    draw();
  }
  editor.state.browserScroll = 5;
  draw();
  EXPECT_TRUE(textMatches(editor.levelList[5], 260, 275, WhitePixel, GreyPixel));
  EXPECT_TRUE(textMatches(editor.levelList[11], 260, 395, WhitePixel, GreyPixel));
  EXPECT_TRUE(boxIs(251, 415, 498, 64, GreyPixel));
}

TEST(VisibleLevelNames, WindowStaysInsideTheList) {
  auto window = [](std::size_t count, int32_t scroll) {
    const VisibleNames names = visibleLevelNames(count, scroll);
    return std::pair{names.first, names.end};
  };
  EXPECT_EQ(window(0, 0), (std::pair<std::size_t, std::size_t>{0, 0}));
  EXPECT_EQ(window(10, 7), (std::pair<std::size_t, std::size_t>{0, 10}));
  EXPECT_EQ(window(25, 15), (std::pair<std::size_t, std::size_t>{15, 25}));
  EXPECT_EQ(window(25, 20), (std::pair<std::size_t, std::size_t>{20, 25}));
  EXPECT_EQ(window(12, 40), (std::pair<std::size_t, std::size_t>{12, 12}));
  EXPECT_EQ(window(12, -4), (std::pair<std::size_t, std::size_t>{0, 10}));
  EXPECT_EQ(window(12, INT32_MAX), (std::pair<std::size_t, std::size_t>{12, 12}));
}

} // namespace

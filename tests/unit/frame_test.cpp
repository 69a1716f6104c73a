// Whole frames drawn headless and read back pixel by pixel.

#include "editor/screen_layout.h"
#include "input_test_support.h"
#include "render/dialog_overlay.h"
#include "render/sprite_sheet.h"
#include "render_test_support.h"
#include "storage/level_browser.h"

#include <climits>

namespace {

constexpr Pixel Grey = GreyPixel, Black = BlackPixel, Red = RedPixel, White = WhitePixel;

class Frame : public HeadlessRender {
protected:
  // No preview unless a test puts the pointer in the level area.
  void SetUp() override {
    HeadlessRender::SetUp();
    pointAt(0, 0);
    editor.helpText = "";
  }
  void draw() { drawFrame(resources(), editor); }
  void place(std::initializer_list<Brick> bricks) {
    for (const Brick &brick : bricks)
      editor.bricks[editor.state.brickCount++] = brick;
  }
  void pointAt(int x, int y) {
    editor.pointerX = x;
    editor.pointerY = y;
  }
  void select(std::initializer_list<std::pair<int, int>> cells) {
    editor.selection.fill(0);
    for (auto [column, row] : cells)
      editor.selection[cellIndex(column, row)] = 1;
    updatePatternBox(editor.selection, editor.state);
  }
  ::testing::AssertionResult levelAreaBare() const {
    return boxIs(LevelLeft, LevelTop, LevelWidth, LevelHeight, Grey);
  }
  ::testing::AssertionResult dialogText(const std::string &text, int y, Pixel colour = White) {
    return textMatches(text, 260, y, colour, Grey);
  }

  Editor editor;
};

TEST_F(Frame, LevelAreaGreyWithBlackAround) {
  draw();
  EXPECT_TRUE(levelAreaBare());
  const std::vector<Box> around = {{23, 30, 1, 440, Black},
                                   {776, 30, 1, 440, Black},
                                   {24, 29, 752, 1, Black},
                                   {24, 470, 752, 1, Black}};
  EXPECT_TRUE(boxesAre(around));
}

TEST_F(Frame, PlacedBricksShowTheirSpritesLaterOnTopClippedOnlyByTheScreen) {
  place({{100, 100, 5}, {120, 110, 22}, {1000, 750, 1}});
  draw();
  const SDL_Rect first = brickSpriteRect(5), last = brickSpriteRect(1);
  EXPECT_TRUE(boxMatchesSheet(120, 110, brickSpriteRect(22), same));
  EXPECT_TRUE(boxMatchesSheet(100, 100, SDL_Rect{first.x, first.y, 40, 10}, same));
  EXPECT_TRUE(boxMatchesSheet(100, 110, SDL_Rect{first.x, Sint16(first.y + 10), 20, 10}, same));
  EXPECT_TRUE(boxMatchesSheet(1000, 750, SDL_Rect{last.x, last.y, 24, 18}, same));
}

TEST_F(Frame, BadTypesAndFarPositionsDrawNothing) {
  for (int32_t type : {0, -1, 25, 1000, INT32_MIN, INT32_MAX})
    place({{100, 100, type}});
  // Each would land on (100, 100) or nearby if its position were cut to 16 bits.
  place({{65636, 100, 3}, {100, -65436, 3}, {INT32_MIN, INT32_MIN, 3}, {INT32_MAX, 100, 3}});
  editor.currentBrickType = 31;
  pointAt(300, 300);
  draw();
  EXPECT_TRUE(levelAreaBare());
}

TEST_F(Frame, PaletteShowsOnlyTheCurrentTypeOpaque) {
  for (int32_t current : {7, 0, 24}) {
    SCOPED_TRACE(current);
    editor.currentBrickType = current;
    draw();
    for (int32_t type = 1; type <= 24; ++type) {
      const Point entry = palettePosition(type);
      EXPECT_TRUE(boxMatchesSheet(entry.x, entry.y, brickSpriteRect(type),
                                  type == current ? same : halfOverBlack))
          << "type " << type;
    }
    for (int heading = 1; heading <= 3; ++heading)
      EXPECT_TRUE(boxMatchesSheet(767 + 45 * heading, 37, digitSpriteRect(heading), same));
  }
  EXPECT_TRUE(boxMatchesSheet(890, 260, SDL_Rect{80, 150, 40, 20}, same));
}

TEST_F(Frame, PreviewOnlyWhereThePatternFitsWithATypeAndCells) {
  struct Case {
    int x, y, type;
    bool cells, shown;
  };
  const Case cases[] = {{736, 100, 3, true, true},  {737, 100, 3, true, false},
                        {24, 450, 3, true, true},   {24, 451, 3, true, false},
                        {23, 30, 3, true, false},   {300, 200, 0, true, false},
                        {300, 200, 4, false, false}};
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y << " type " << c.type);
    editor.currentBrickType = c.type;
    c.cells ? select({{0, 0}}) : select({});
    pointAt(c.x, c.y);
    draw();
    EXPECT_TRUE(c.shown ? boxMatchesSheet(c.x, c.y, brickSpriteRect(c.type), halfOverGrey)
                        : levelAreaBare());
  }
}

TEST_F(Frame, PreviewDrawsSelectedCellsAtTheirOffsetsOverBricks) {
  editor.state.spacingX = 5;
  editor.state.spacingY = 3;
  select({{4, 2}, {6, 3}});
  place({{190, 123, 10}});
  editor.currentBrickType = 12;
  pointAt(100, 100);
  draw();
  // Cell (6, 3) lies two columns of 45 and one row of 23 from cell (4, 2), over the brick.
  const SDL_Rect preview = brickSpriteRect(12), placed = brickSpriteRect(10);
  EXPECT_TRUE(boxMatchesSheet(100, 100, preview, halfOverGrey));
  for (int dy = 0; dy < 20; ++dy)
    for (int dx = 0; dx < 40; ++dx)
      ASSERT_TRUE(near(at(190 + dx, 123 + dy), halfOver(sheetAt(preview.x + dx, preview.y + dy),
                                                        sheetAt(placed.x + dx, placed.y + dy))))
          << dx << ", " << dy;
  EXPECT_TRUE(
      boxesAre({{145, 100, 40, 20, Grey}, {100, 123, 40, 20, Grey}, {190, 100, 40, 20, Grey}}));
}

TEST_F(Frame, PanelCountersStepperSignsAndButtons) {
  editor.state.spacingX = 672;
  editor.state.spacingY = 0;
  editor.state.offsetX = -7;
  editor.state.offsetY = 0;
  draw();
  const int digits[][3] = {{515, 480, 6}, {531, 480, 7}, {547, 480, 2}, {515, 500, 0},
                           {531, 500, 0}, {547, 500, 0}, {531, 540, 0}, {547, 540, 7},
                           {531, 560, 0}, {547, 560, 0}};
  for (auto [x, y, digit] : digits)
    EXPECT_TRUE(boxMatchesSheet(x, y, digitSpriteRect(digit), same)) << x << ", " << y;
  EXPECT_TRUE(boxesAre({{523, 547, 6, 2, Red}, {523, 567, 6, 2, Black}}));

  for (int top : {481, 501, 541, 561}) {
    const std::vector<Box> signs = {{476, top + 5, 14, 4, Red},
                                    {481, top, 4, 14, Red},
                                    {496, top + 5, 14, 4, Red},
                                    {476, top, 1, 1, Black},
                                    {496, top, 1, 1, Black}};
    EXPECT_TRUE(boxesAre(signs));
  }
  for (auto [label, top] :
       {std::pair{"Effacer tout !", 350}, {"Sauvegarder !", 380}, {"Ouvrir niveau", 410}}) {
    EXPECT_TRUE(textMatches(label, 810, top, Red, Grey));
    EXPECT_TRUE(boxesAre(
        {{800, top, 1, 1, Grey}, {929, top + 24, 1, 1, Grey}, {800, top + 25, 1, 1, Black}}));
  }
  EXPECT_TRUE(textMatches("Pos X :", 410, 535, Red, Black));
  EXPECT_TRUE(textMatches("H :", 440, 495, Red, Black));
}

TEST_F(Frame, ChooserAndPatternGridMarks) {
  select({{3, 4}, {17, 21}});
  editor.state.relativeX = 1;
  editor.state.relativeY = -1;
  draw();
  // Marked cells solid red; unmarked ones a red border round black; one black pixel between.
  const std::vector<Box> marks = {{24 + 63, 480 + 52, 20, 12, Red},
                                  {24 + 357, 480 + 273, 20, 12, Red},
                                  {25, 481, 18, 10, Black},
                                  {24, 480, 1, 1, Red},
                                  {43, 491, 1, 1, Red},
                                  {44, 480, 1, 1, Black},
                                  {24, 492, 1, 1, Black},
                                  {612, 540, 20, 12, Red},
                                  {592, 554, 18, 10, Black},
                                  {591, 553, 1, 1, Red}};
  EXPECT_TRUE(boxesAre(marks));
  editor.state.relativeX = editor.state.relativeY = 0;
  draw();
  EXPECT_TRUE(boxesAre({{591, 553, 20, 12, Red}, {613, 541, 18, 10, Black}}));
}

TEST_F(Frame, HelpLineKeepsLatinOneAccentsAsSingleGlyphs) {
  editor.helpText = "Cliquez pour d\xe9placer \xe0 c\xf4t\xe9";
  draw();
  EXPECT_TRUE(textMatches(editor.helpText, 10, 5, White, Black));
  // é is one glyph as wide as e, with more ink.
  int accentWidth = 0, plainWidth = 0, height = 0;
  TTF_SizeText(font, "\xe9", &accentWidth, &height);
  TTF_SizeText(font, "e", &plainWidth, &height);
  EXPECT_EQ(accentWidth, plainWidth);
  editor.helpText = "\xe9";
  draw();
  const int accentInk = countColour(10, 5, accentWidth, 20, White);
  editor.helpText = "e";
  draw();
  EXPECT_GT(accentInk, countColour(10, 5, plainWidth, 20, White));
}

TEST_F(Frame, MissingFontOrBackSurfaceDrawsAllElse) {
  editor.helpText = "Aide";
  RenderResources noFont = resources();
  noFont.font = nullptr;
  drawFrame(noFont, editor);
  EXPECT_TRUE(boxesAre({{0, 0, 700, 28, Black}, {800, 350, 130, 25, Grey}}));
  editor.state.mode = BrowsingLevels;
  editor.levelList = {"a.lvbk"};
  drawFrame(noFont, editor);
  EXPECT_TRUE(boxIs(DialogBox.x, DialogBox.y, DialogBox.w, DialogBox.h, Grey));

  editor.state.mode = EnteringLevelName;
  RenderResources noBack = resources();
  noBack.backSurface = nullptr;
  drawFrame(noBack, editor);
  EXPECT_EQ(at(30, 40), Grey);
  EXPECT_TRUE(dialogText("Saisissez le nom de votre niveau :", 275));
}

TEST_F(Frame, NameDialogsDimTheEditorAndShowPromptsAndFields) {
  editor.currentBrickType = 2;
  editor.state.mode = EnteringLevelName;
  draw();
  EXPECT_TRUE(near(at(30, 40), halfOver(Grey, Black)));
  EXPECT_TRUE(near(at(24, 480), halfOver(Red, Black)));
  EXPECT_TRUE(boxMatchesSheet(845, 60, brickSpriteRect(2), halfOverBlack));
  EXPECT_TRUE(boxesAre({{250, 270, 1, 1, Grey},
                        {749, 479, 1, 1, Grey},
                        {750, 479, 1, 1, Black},
                        {260, 295, 480, 180, Grey}}));
  EXPECT_TRUE(dialogText("Saisissez le nom de votre niveau :", 275));

  editor.levelNameField.handleKey(Key::Other, 'N');
  editor.authorField.handleKey(Key::Other, 'z');
  draw();
  EXPECT_TRUE(dialogText("N", 295));
  EXPECT_TRUE(boxIs(260, 325, 480, 150, Grey));

  editor.state.mode = EnteringAuthorName;
  draw();
  EXPECT_TRUE(near(at(30, 40), halfOver(Grey, Black)));
  EXPECT_TRUE(dialogText("Saisissez le nom de votre niveau :", 275) && dialogText("N", 295) &&
              dialogText("Saisissez votre nom :", 325) && dialogText("z", 345));
}

std::vector<std::string> names(int count) {
  std::vector<std::string> list;
  for (int index = 0; index < count; ++index)
    list.push_back("niveau" + std::to_string(index) + ".lvbk");
  return list;
}

TEST_F(Frame, BrowserShowsTenNamesFromTheScrollWithTheRowUnderThePointerRed) {
  editor.state.mode = BrowsingLevels;
  editor.levelList = names(25);
  editor.state.browserScroll = 15;
  // Rows are 20 high from y 275; the highlight ignores x and reaches up to y 255.
  for (auto [pointerY, highlighted] : {std::pair{275 + 3 * 20 + 7, 3}, {260, 0}, {254, -1}}) {
    SCOPED_TRACE(pointerY);
    pointAt(5, pointerY);
    draw();
    for (int row = 0; row < 10; ++row)
      EXPECT_TRUE(
          dialogText(editor.levelList[15 + row], 275 + 20 * row, row == highlighted ? Red : White));
    EXPECT_TRUE(boxIs(251, 475, 498, 5, Grey));
  }
}

TEST_F(Frame, BrowserNeverReadsPastTheList) {
  editor.state.mode = BrowsingLevels;
  pointAt(500, 600);
  draw();
  EXPECT_TRUE(boxIs(DialogBox.x, DialogBox.y, DialogBox.w, DialogBox.h, Grey));
  editor.levelList = names(12);
  for (int32_t scroll : {50, INT32_MAX, -3, INT32_MIN, 5}) {
    editor.state.browserScroll = scroll;
    draw();
  }
  EXPECT_TRUE(dialogText(editor.levelList[11], 395));
  EXPECT_TRUE(boxIs(251, 415, 498, 64, Grey));
}

TEST(VisibleLevelNames, WindowStaysInsideTheList) {
  const std::pair<std::size_t, int32_t> windows[][2] = {
      {{0, 0}, {0, 0}},     {{10, 7}, {0, 10}},  {{25, 15}, {15, 25}},       {{25, 20}, {20, 25}},
      {{12, 40}, {12, 12}}, {{12, -4}, {0, 10}}, {{12, INT32_MAX}, {12, 12}}};
  for (const auto &[list, window] : windows) {
    const VisibleNames shown = visibleLevelNames(list.first, list.second);
    EXPECT_TRUE(shown.first == std::size_t(window.first) && shown.end == std::size_t(window.second))
        << list.first << " names from " << list.second;
  }
}

} // namespace

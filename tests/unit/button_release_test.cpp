// Releases of the left and right buttons in the Editing mode, region by region.

#include "editor/editor_state.h"
#include "tools/button_release.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Level {
  Bricks bricks{};
  Selection selection{};
  int32_t currentBrickType = 1;
  EditorState state = initialEditorState();

  Level() { resetSelection(selection); }
  int release(int x, int y, int button) {
    return handleButtonRelease(x, y, button, selection, currentBrickType, state, bricks);
  }
  void add(int x, int y, int type) { bricks[state.brickCount++] = Brick{x, y, type}; }
};

bool sameState(const EditorState &a, const EditorState &b) {
  return std::memcmp(&a, &b, sizeof(EditorState)) == 0;
}

bool sameBricks(const Bricks &a, const Bricks &b) {
  return std::memcmp(a.data(), b.data(), sizeof(Bricks)) == 0;
}

// Releases at (x, y) with the button and expects nothing to change and ReleaseDone.
void expectNoEffect(Level &level, int x, int y, int button) {
  const Level before = level;
  EXPECT_EQ(level.release(x, y, button), ReleaseDone) << x << "," << y;
  EXPECT_TRUE(sameState(before.state, level.state)) << x << "," << y << " button " << button;
  EXPECT_TRUE(sameBricks(before.bricks, level.bricks)) << x << "," << y;
  EXPECT_EQ(before.selection, level.selection) << x << "," << y;
  EXPECT_EQ(before.currentBrickType, level.currentBrickType) << x << "," << y;
}

int selectedCount(const Selection &selection) {
  int count = 0;
  for (uint8_t cell : selection)
    count += cell != 0;
  return count;
}

} // namespace

TEST(ReleaseRetype, RightReleaseRetypesTheBrickAndKeepsEverythingElse) {
  Level level;
  level.add(100, 100, 1);
  level.add(200, 100, 2);
  level.add(300, 100, 3);
  level.currentBrickType = 5;
  EXPECT_EQ(level.release(210, 110, ButtonRight), ReleaseDone);
  EXPECT_EQ(level.bricks[1].type, 5);
  EXPECT_EQ(level.bricks[1].x, 200);
  EXPECT_EQ(level.bricks[1].y, 100);
  EXPECT_EQ(level.bricks[0].type, 1);
  EXPECT_EQ(level.bricks[2].type, 3);
  EXPECT_EQ(level.state.brickCount, 3);
}

TEST(ReleaseRetype, OnlyTheFirstBrickHitIsRetyped) {
  // Overlapping bricks can only come from a level file.
  Level level;
  level.add(100, 100, 1);
  level.add(110, 105, 2);
  level.currentBrickType = 9;
  level.release(120, 110, ButtonRight);
  EXPECT_EQ(level.bricks[0].type, 9);
  EXPECT_EQ(level.bricks[1].type, 2);
}

TEST(ReleaseRetype, HitIsStrictlyInsideTheBrick) {
  Level level;
  level.add(100, 100, 2);
  level.currentBrickType = 5;
  // Top-left pixel, left column, top row, and one past the right and bottom edges.
  expectNoEffect(level, 100, 100, ButtonRight);
  expectNoEffect(level, 100, 110, ButtonRight);
  expectNoEffect(level, 120, 100, ButtonRight);
  expectNoEffect(level, 140, 110, ButtonRight);
  expectNoEffect(level, 120, 120, ButtonRight);
  level.release(139, 119, ButtonRight);
  EXPECT_EQ(level.bricks[0].type, 5);
  level.currentBrickType = 7;
  level.release(101, 101, ButtonRight);
  EXPECT_EQ(level.bricks[0].type, 7);
}

TEST(ReleaseRetype, RegionReachesOnePixelPastTheLevelArea) {
  // A brick from a level file reaching past the level area's last column and row.
  Level level;
  level.add(760, 460, 2);
  level.currentBrickType = 6;
  expectNoEffect(level, 777, 470, ButtonRight);
  expectNoEffect(level, 776, 471, ButtonRight);
  level.release(776, 470, ButtonRight);
  EXPECT_EQ(level.bricks[0].type, 6);
}

TEST(ReleaseRetype, LeftReleaseOnABrickDoesNotRetype) {
  Level level;
  level.add(100, 100, 2);
  level.currentBrickType = 5;
  level.release(120, 110, ButtonLeft);
  EXPECT_EQ(level.bricks[0].type, 2);
}

TEST(ReleaseRetype, RightReleaseOnEmptyLevelSpaceChangesNothing) {
  Level level;
  level.add(100, 100, 2);
  level.state.painting = 1;
  expectNoEffect(level, 300, 300, ButtonRight);
}

TEST(ReleaseErase, WithNoTypeTheLastBrickTakesTheErasedSlot) {
  Level level;
  level.add(100, 100, 1);
  level.add(200, 100, 2);
  level.add(300, 100, 3);
  level.currentBrickType = 0;
  EXPECT_EQ(level.release(110, 110, ButtonRight), ReleaseDone);
  EXPECT_EQ(level.state.brickCount, 2);
  EXPECT_EQ(level.bricks[0].x, 300);
  EXPECT_EQ(level.bricks[0].type, 3);
  EXPECT_EQ(level.bricks[1].x, 200);
  EXPECT_EQ(level.currentBrickType, 0);

  // Erasing the last brick in use simply drops it.
  level.release(210, 110, ButtonRight);
  EXPECT_EQ(level.state.brickCount, 1);
  EXPECT_EQ(level.bricks[0].x, 300);
  level.release(310, 110, ButtonRight);
  EXPECT_EQ(level.state.brickCount, 0);
}

TEST(ReleaseErase, CountBeyondTheSlotsIsTreatedAsAFullLevel) {
  // A corrupt count must not make the erase read past the last slot.
  Level level;
  for (int slot = 0; slot < BrickSlots; ++slot)
    level.bricks[slot] = Brick{1000 + slot * 50, 1000, 1};
  level.bricks[0] = Brick{100, 100, 4};
  level.bricks[BrickSlots - 1] = Brick{300, 300, 8};
  level.state.brickCount = 5000;
  level.currentBrickType = 0;
  level.release(110, 110, ButtonRight);
  EXPECT_EQ(level.state.brickCount, BrickSlots - 1);
  EXPECT_EQ(level.bricks[0].type, 8);

  level.state.brickCount = -4;
  expectNoEffect(level, 310, 310, ButtonRight);
}

TEST(ReleasePatternGrid, LeftInvertsOneCellAndUpdatesTheBox) {
  Level level;
  // Cell (1, 0) spans x 45..65 from the grid's origin at x 24.
  level.release(46, 481, ButtonLeft);
  EXPECT_EQ(level.selection[cellIndex(1, 0)], 1);
  EXPECT_EQ(level.state.patternWidth, 80);
  EXPECT_EQ(level.state.patternMaxCol, 1);
  level.release(46, 481, ButtonLeft);
  EXPECT_EQ(level.selection[cellIndex(1, 0)], 0);
  EXPECT_EQ(level.state.patternWidth, 40);

  // Deselecting the only selected cell leaves the box of one cell at (0, 0).
  level.release(25, 481, ButtonLeft);
  EXPECT_EQ(selectedCount(level.selection), 0);
  EXPECT_EQ(level.state.patternWidth, 40);
  EXPECT_EQ(level.state.patternHeight, 20);
  EXPECT_EQ(level.state.patternMinCol, 0);
  EXPECT_EQ(level.state.patternMaxRow, 0);
}

TEST(ReleasePatternGrid, RightSelectsTheRectangleUpToTheClickedCell) {
  Level level;
  level.state.spacingX = 5;
  level.selection[cellIndex(10, 10)] = 1;
  // Cell (3, 2): x 24 + 63 .. , y 480 + 26 ..
  level.release(24 + 3 * 21 + 5, 480 + 2 * 13 + 5, ButtonRight);
  EXPECT_EQ(selectedCount(level.selection), 12);
  for (int i = 0; i <= 3; ++i) {
    for (int j = 0; j <= 2; ++j)
      EXPECT_EQ(level.selection[cellIndex(i, j)], 1) << i << "," << j;
  }
  EXPECT_EQ(level.state.patternWidth, 175);
  EXPECT_EQ(level.state.patternHeight, 60);
  EXPECT_EQ(level.state.patternMinCol, 0);
  EXPECT_EQ(level.state.patternMaxCol, 3);
  EXPECT_EQ(level.state.patternMinRow, 0);
  EXPECT_EQ(level.state.patternMaxRow, 2);
}

TEST(ReleasePatternGrid, BoxCountsTheEmptyColumnsBetween) {
  Level level;
  level.state.spacingX = 7;
  level.selection.fill(0);
  level.release(24 + 2 * 21 + 1, 480 + 5 * 13 + 1, ButtonLeft);
  level.release(24 + 6 * 21 + 1, 480 + 5 * 13 + 1, ButtonLeft);
  EXPECT_EQ(level.state.patternWidth, 5 * 40 + 4 * 7);
  EXPECT_EQ(level.state.patternMinCol, 2);
  EXPECT_EQ(level.state.patternMaxCol, 6);
  EXPECT_EQ(level.state.patternMinRow, 5);
  EXPECT_EQ(level.state.patternHeight, 20);
}

TEST(ReleasePatternGrid, EdgesOfTheGrid) {
  Level level;
  // Beside the first column and above the first row: nothing.
  expectNoEffect(level, 24, 490, ButtonLeft);
  expectNoEffect(level, 30, 480, ButtonLeft);
  expectNoEffect(level, 402, 600, ButtonRight);
  expectNoEffect(level, 200, 766, ButtonLeft);
  // The last pixel of the grid region is cell (17, 21).
  level.release(401, 765, ButtonLeft);
  EXPECT_EQ(level.selection[cellIndex(17, 21)], 1);
  EXPECT_EQ(level.state.patternMaxCol, 17);
  EXPECT_EQ(level.state.patternMaxRow, 21);
  level.release(401, 765, ButtonRight);
  EXPECT_EQ(selectedCount(level.selection), BrickSlots);
  EXPECT_EQ(level.state.patternWidth, 18 * 40);
  EXPECT_EQ(level.state.patternHeight, 22 * 20);
}

TEST(ReleasePalette, OrdinaryTypeTogglesToNoneAndBack) {
  Level level;
  level.currentBrickType = 7;
  // Type 7 is column 0, row 2: x 801..844, y 110..134.
  level.release(820, 120, ButtonLeft);
  EXPECT_EQ(level.currentBrickType, 0);
  level.release(820, 120, ButtonLeft);
  EXPECT_EQ(level.currentBrickType, 7);
  // The right button picks as the left one does.
  level.release(860, 120, ButtonRight);
  EXPECT_EQ(level.currentBrickType, 8);
  level.release(860, 120, ButtonRight);
  EXPECT_EQ(level.currentBrickType, 0);
}

TEST(ReleasePalette, CellEdgesGiveTheirTypes) {
  Level level;
  struct Case {
    int x, y;
    int32_t type;
  } cases[] = {{801, 61, 1},   {844, 84, 1},   {845, 61, 2},   {889, 84, 2},
               {890, 61, 3},   {934, 84, 3},   {801, 85, 4},   {801, 210, 19},
               {934, 234, 21}, {845, 234, 20}, {801, 261, 22}, {844, 284, 22},
               {845, 261, 23}, {889, 270, 23}, {890, 261, 24}, {934, 284, 24}};
  for (const Case &c : cases) {
    level.currentBrickType = 0;
    level.release(c.x, c.y, ButtonLeft);
    EXPECT_EQ(level.currentBrickType, c.type) << c.x << "," << c.y;
  }
  level.currentBrickType = 12;
  for (auto [x, y] : {std::pair{800, 100},
                      {935, 100},
                      {850, 60},
                      {850, 235},
                      {850, 250},
                      {850, 260},
                      {850, 285},
                      {800, 270},
                      {935, 270}})
    expectNoEffect(level, x, y, ButtonLeft);
}

TEST(ReleasePalette, SpecialTypeStaysChosen) {
  Level level;
  level.currentBrickType = 23;
  level.release(860, 270, ButtonLeft);
  EXPECT_EQ(level.currentBrickType, 23);
  level.release(860, 270, ButtonRight);
  EXPECT_EQ(level.currentBrickType, 23);
}

TEST(ReleaseSteppers, SpacingClampsAndUpdatesTheBox) {
  Level level;
  level.selection[cellIndex(1, 1)] = 1;
  updatePatternBox(level.selection, level.state);
  level.state.spacingX = 670;
  level.release(480, 485, ButtonRight);
  EXPECT_EQ(level.state.spacingX, 672);
  EXPECT_EQ(level.state.patternWidth, 2 * 712 - 672);
  level.release(491, 496, ButtonRight);
  EXPECT_EQ(level.state.spacingX, 672);
  level.release(475, 480, ButtonLeft);
  EXPECT_EQ(level.state.spacingX, 672);

  level.state.spacingX = 5;
  level.release(500, 490, ButtonRight);
  EXPECT_EQ(level.state.spacingX, 0);
  EXPECT_EQ(level.state.patternWidth, 80);
  level.release(511, 496, ButtonLeft);
  EXPECT_EQ(level.state.spacingX, 0);
  level.release(475, 480, ButtonLeft);
  EXPECT_EQ(level.state.spacingX, 1);
  EXPECT_EQ(level.state.patternWidth, 81);

  level.release(480, 505, ButtonLeft);
  EXPECT_EQ(level.state.spacingY, 1);
  EXPECT_EQ(level.state.patternHeight, 41);
  level.state.spacingY = 395;
  level.release(480, 516, ButtonRight);
  EXPECT_EQ(level.state.spacingY, 400);
  EXPECT_EQ(level.state.patternHeight, 440);
  level.release(495, 500, ButtonLeft);
  EXPECT_EQ(level.state.spacingY, 399);
  EXPECT_EQ(level.state.patternHeight, 439);
  level.state.spacingY = 3;
  level.release(511, 516, ButtonRight);
  EXPECT_EQ(level.state.spacingY, 0);
  EXPECT_EQ(level.state.patternHeight, 40);
}

TEST(ReleaseSteppers, OffsetsClampAndLeaveTheBoxAlone) {
  Level level;
  level.state.spacingX = 5; // the box is stale on purpose: offsets must not recompute it
  for (int i = 0; i < 6; ++i)
    level.release(480, 545, ButtonRight);
  EXPECT_EQ(level.state.offsetX, 40);
  for (int i = 0; i < 9; ++i)
    level.release(500, 545, ButtonRight);
  EXPECT_EQ(level.state.offsetX, -40);
  level.release(491, 556, ButtonLeft);
  EXPECT_EQ(level.state.offsetX, -39);
  for (int i = 0; i < 3; ++i)
    level.release(475, 560, ButtonRight);
  EXPECT_EQ(level.state.offsetY, 20);
  for (int i = 0; i < 5; ++i)
    level.release(511, 576, ButtonRight);
  EXPECT_EQ(level.state.offsetY, -20);
  level.release(495, 565, ButtonLeft);
  EXPECT_EQ(level.state.offsetY, -20);
  EXPECT_EQ(level.state.patternWidth, 40);
  EXPECT_EQ(level.state.patternHeight, 20);
}

TEST(ReleaseSteppers, GapsBetweenSteppersDoNothing) {
  Level level;
  for (auto [x, y] : {std::pair{474, 485},
                      {492, 485},
                      {493, 485},
                      {494, 485},
                      {512, 485},
                      {480, 479},
                      {480, 497},
                      {480, 517},
                      {480, 539},
                      {480, 557},
                      {480, 577}})
    expectNoEffect(level, x, y, ButtonLeft);
}

TEST(ReleaseChooser, LeftPicksTheDirectionRightDoesNothing) {
  Level level;
  level.release(580, 570, ButtonLeft);
  EXPECT_EQ(level.state.relativeX, -1);
  EXPECT_EQ(level.state.relativeY, 1);
  level.state.relativeX = level.state.relativeY = 0;
  expectNoEffect(level, 580, 570, ButtonRight);

  struct Case {
    int x, y, dx, dy;
  } cases[] = {{571, 541, -1, -1}, {590, 552, -1, -1}, {591, 553, 0, 0},  {611, 565, 0, 0},
               {612, 566, 1, 1},   {632, 578, 1, 1},   {600, 541, 0, -1}, {632, 560, 1, 0}};
  for (const Case &c : cases) {
    level.release(c.x, c.y, ButtonLeft);
    EXPECT_EQ(level.state.relativeX, c.dx) << c.x << "," << c.y;
    EXPECT_EQ(level.state.relativeY, c.dy) << c.x << "," << c.y;
  }
  level.state.relativeX = level.state.relativeY = 1;
  for (auto [x, y] : {std::pair{570, 560}, {633, 560}, {600, 540}, {600, 579}})
    expectNoEffect(level, x, y, ButtonLeft);
}

TEST(ReleaseClearAll, ResetsTheLevelAndTheSettingsButKeepsTheRest) {
  Level level;
  level.add(100, 100, 3);
  level.add(300, 200, 4);
  level.selection[cellIndex(4, 4)] = 1;
  level.state.spacingX = 12;
  level.state.spacingY = 7;
  updatePatternBox(level.selection, level.state);
  level.state.offsetX = -8;
  level.state.offsetY = 9;
  level.state.relativeX = 1;
  level.state.relativeY = -1;
  level.state.painting = 1;
  level.state.browserScroll = 6;
  level.currentBrickType = 17;

  EXPECT_EQ(level.release(850, 360, ButtonLeft), ReleaseDone);
  EditorState expected = initialEditorState();
  expected.painting = 1;
  expected.browserScroll = 6;
  EXPECT_TRUE(sameState(level.state, expected));
  Selection start{};
  resetSelection(start);
  EXPECT_EQ(level.selection, start);
  EXPECT_EQ(level.currentBrickType, 17);
  // Only the count drops: the records stay behind it.
  EXPECT_EQ(level.bricks[1].x, 300);
  EXPECT_EQ(level.bricks[1].type, 4);
}

TEST(ReleaseClearAll, OnlyALeftReleaseInsideTheClickRegionClears) {
  Level level;
  level.add(100, 100, 3);
  // The lowest rows of the drawn button, and its first row and column, do not respond.
  expectNoEffect(level, 850, 372, ButtonLeft);
  expectNoEffect(level, 850, 370, ButtonLeft);
  expectNoEffect(level, 850, 350, ButtonLeft);
  expectNoEffect(level, 800, 360, ButtonLeft);
  expectNoEffect(level, 930, 360, ButtonLeft);
  expectNoEffect(level, 850, 360, ButtonRight);
  level.release(929, 369, ButtonLeft);
  EXPECT_EQ(level.state.brickCount, 0);
  level.add(100, 100, 3);
  level.release(801, 351, ButtonLeft);
  EXPECT_EQ(level.state.brickCount, 0);
}

TEST(ReleaseSaveAndOpen, SaveEntersTheLevelName) {
  Level level;
  expectNoEffect(level, 850, 390, ButtonRight);
  EXPECT_EQ(level.release(801, 381, ButtonLeft), ReleaseDone);
  EXPECT_EQ(level.state.mode, EnteringLevelName);
  level.state.mode = Editing;
  expectNoEffect(level, 850, 405, ButtonLeft);
  level.release(929, 404, ButtonLeft);
  EXPECT_EQ(level.state.mode, EnteringLevelName);
}

TEST(ReleaseSaveAndOpen, OpenSwitchesToTheBrowserAndAsksForTheListing) {
  Level level;
  expectNoEffect(level, 850, 420, ButtonRight);
  expectNoEffect(level, 850, 410, ButtonLeft);
  expectNoEffect(level, 850, 435, ButtonLeft);
  expectNoEffect(level, 930, 420, ButtonLeft);
  EXPECT_EQ(level.release(850, 420, ButtonLeft), ReleaseOpenBrowser);
  EXPECT_EQ(level.state.mode, BrowsingLevels);
  level.state.mode = Editing;
  EXPECT_EQ(level.release(929, 434, ButtonLeft), ReleaseOpenBrowser);
  EXPECT_EQ(level.release(801, 411, ButtonLeft), ReleaseOpenBrowser);
}

TEST(ReleaseDrag, LeftReleaseInsideTheLevelAreaEndsTheDrag) {
  Level level;
  level.state.painting = 1;
  level.release(776, 300, ButtonLeft);
  level.release(300, 470, ButtonLeft);
  level.release(300, 300, ButtonRight);
  EXPECT_EQ(level.state.painting, 1);
  // On "Sauvegarder !" the drag is left on; the loop's dispatch deals with that.
  level.release(850, 390, ButtonLeft);
  EXPECT_EQ(level.state.painting, 1);
  level.state.mode = Editing;
  level.release(775, 469, ButtonLeft);
  EXPECT_EQ(level.state.painting, 0);
  level.state.painting = 1;
  level.release(24, 30, ButtonLeft);
  EXPECT_EQ(level.state.painting, 0);
}

TEST(ReleaseButtons, OtherButtonsAndEmptyPlacesDoNothing) {
  Level level;
  level.add(100, 100, 2);
  level.state.painting = 1;
  expectNoEffect(level, 120, 110, 3);
  expectNoEffect(level, 850, 420, 0);
  expectNoEffect(level, 850, 360, 4);
  expectNoEffect(level, 10, 10, ButtonLeft);
  expectNoEffect(level, 1000, 700, ButtonRight);
  expectNoEffect(level, 700, 700, ButtonLeft);
}

// Laying the pattern: the press, placement at the pointer and beside a brick, refusals.

#include "editor/editor_state.h"
#include "help/hover_help.h"
#include "tools/button_press.h"
#include "tools/place_pattern.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

struct Level {
  Bricks bricks{};
  Selection selection{};
  int32_t currentBrickType = 1;
  EditorState state = initialEditorState();
  std::string helpText = "...";

  Level() { resetSelection(selection); }
  void press(int x, int y, int button = ButtonLeft) {
    EXPECT_EQ(handleButtonPress(x, y, button, selection, currentBrickType, state, bricks), 1);
  }
  int place(int x, int y) { return placePattern(x, y, selection, currentBrickType, state, bricks); }
  void move(int x, int y) {
    handleMotion(x, y, selection, currentBrickType, state, bricks, helpText);
  }
  void add(int x, int y, int type) { bricks[state.brickCount++] = Brick{x, y, type}; }
  void select(std::initializer_list<std::pair<int, int>> cells) {
    selection.fill(0);
    for (auto [column, row] : cells)
      selection[cellIndex(column, row)] = 1;
    updatePatternBox(selection, state);
  }
};

void expectBrick(const Brick &brick, int x, int y, int type) {
  EXPECT_EQ(brick.x, x);
  EXPECT_EQ(brick.y, y);
  EXPECT_EQ(brick.type, type);
}

bool sameBricks(const Bricks &a, const Bricks &b) {
  return std::memcmp(a.data(), b.data(), sizeof(Bricks)) == 0;
}

} // namespace

TEST(PlacementAtPointer, WorkedExampleAppendsColumnsThenRows) {
  Level level;
  level.state.spacingX = 10;
  level.state.spacingY = 5;
  level.select({{0, 0}, {0, 1}, {2, 0}});
  level.currentBrickType = 4;
  EXPECT_EQ(level.place(100, 50), 1);
  ASSERT_EQ(level.state.brickCount, 3);
  expectBrick(level.bricks[0], 100, 50, 4);
  expectBrick(level.bricks[1], 100, 75, 4);
  expectBrick(level.bricks[2], 200, 50, 4);
}

TEST(PlacementAtPointer, BoxStartsAtTheFirstSelectedCell) {
  Level level;
  level.select({{3, 4}, {5, 6}});
  EXPECT_EQ(level.place(100, 100), 1);
  ASSERT_EQ(level.state.brickCount, 2);
  expectBrick(level.bricks[0], 100, 100, 1);
  expectBrick(level.bricks[1], 180, 140, 1);
}

TEST(PlacementPress, LaysTheBrickAndStartsTheDrag) {
  Level level;
  level.currentBrickType = 3;
  level.press(100, 100);
  ASSERT_EQ(level.state.brickCount, 1);
  expectBrick(level.bricks[0], 100, 100, 3);
  EXPECT_EQ(level.state.painting, 1);

  // 39 pixels apart still overlap; touching edges do not.
  level.press(139, 100);
  EXPECT_EQ(level.state.brickCount, 1);
  level.press(100, 119);
  EXPECT_EQ(level.state.brickCount, 1);
  level.press(61, 81);
  EXPECT_EQ(level.state.brickCount, 1);
  level.press(140, 100);
  EXPECT_EQ(level.state.brickCount, 2);
  level.press(100, 120);
  EXPECT_EQ(level.state.brickCount, 3);
  level.press(60, 80);
  EXPECT_EQ(level.state.brickCount, 4);
  expectBrick(level.bricks[3], 60, 80, 3);
}

TEST(PlacementPress, NoTypeLaysNothingButStartsTheDrag) {
  Level level;
  level.currentBrickType = 0;
  level.press(100, 100);
  EXPECT_EQ(level.state.brickCount, 0);
  EXPECT_EQ(level.state.painting, 1);
}

TEST(PlacementPress, RightPressChangesNothing) {
  Level level;
  level.press(100, 100, ButtonRight);
  EXPECT_EQ(level.state.brickCount, 0);
  EXPECT_EQ(level.state.painting, 0);
}

TEST(PlacementPress, PlacementAreaEdges) {
  Level level;
  // Single cell: x 24..736, y 30..450.
  for (auto [x, y] : {std::pair{737, 100}, {100, 451}, {23, 100}, {100, 29}, {800, 100}}) {
    level.press(x, y);
    EXPECT_EQ(level.state.brickCount, 0) << x << "," << y;
    EXPECT_EQ(level.state.painting, 0) << x << "," << y;
  }
  level.press(736, 450);
  level.press(24, 30);
  ASSERT_EQ(level.state.brickCount, 2);
  expectBrick(level.bricks[0], 736, 450, 1);
  expectBrick(level.bricks[1], 24, 30, 1);
  EXPECT_EQ(level.state.painting, 1);
}

TEST(PlacementPress, WidePatternShrinksThePlacementArea) {
  Level level;
  level.select({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
  ASSERT_EQ(level.state.patternWidth, 160);
  level.press(617, 100);
  EXPECT_EQ(level.state.brickCount, 0);
  EXPECT_EQ(level.state.painting, 0);
  level.press(616, 100);
  EXPECT_EQ(level.state.brickCount, 4);
  expectBrick(level.bricks[3], 736, 100, 1);
}

TEST(PlacementRefusal, OneOverlappingCellRefusesTheWholePattern) {
  Level level;
  level.add(250, 150, 9);
  // Four columns by three rows: twelve cells; only the cell at (220, 140) meets the brick.
  level.select({{0, 0}, {3, 2}});
  for (int i = 0; i <= 3; ++i) {
    for (int j = 0; j <= 2; ++j)
      level.selection[cellIndex(i, j)] = 1;
  }
  const Bricks before = level.bricks;
  EXPECT_EQ(level.place(100, 100), 0);
  EXPECT_EQ(level.state.brickCount, 1);
  EXPECT_TRUE(sameBricks(before, level.bricks));
  // Moved clear of the brick it lays all twelve.
  EXPECT_EQ(level.place(100, 200), 1);
  EXPECT_EQ(level.state.brickCount, 13);
}

TEST(PlacementRefusal, EmptyGridPlacesNothing) {
  Level level;
  level.select({});
  EXPECT_EQ(level.place(100, 100), 1);
  EXPECT_EQ(level.state.brickCount, 0);
}

TEST(PlacementRefusal, SlotOverflowIsRefusedAsAWhole) {
  // Bricks that break the rules (from a level file) can fill the slots while leaving room.
  Level level;
  for (int slot = 0; slot < BrickSlots - 2; ++slot)
    level.add(2000 + 50 * slot, 2000, 1);
  level.select({{0, 0}, {1, 0}, {2, 0}});
  const Bricks before = level.bricks;
  EXPECT_EQ(level.place(100, 100), 0);
  EXPECT_EQ(level.state.brickCount, BrickSlots - 2);
  EXPECT_TRUE(sameBricks(before, level.bricks));

  level.select({{0, 0}, {1, 0}});
  EXPECT_EQ(level.place(100, 100), 1);
  EXPECT_EQ(level.state.brickCount, BrickSlots);
  expectBrick(level.bricks[BrickSlots - 1], 140, 100, 1);
  level.select({{0, 0}});
  EXPECT_EQ(level.place(300, 300), 0);
  EXPECT_EQ(level.state.brickCount, BrickSlots);
}

TEST(PlacementRefusal, CountOutsideTheSlotsNeverIndexesPastThem) {
  Level level;
  level.state.brickCount = 100000;
  EXPECT_EQ(level.place(100, 100), 0);
  EXPECT_EQ(level.state.brickCount, 100000);
  // A negative count holds no bricks: placing starts again at slot 0.
  level.state.brickCount = -7;
  EXPECT_EQ(level.place(100, 100), 1);
  EXPECT_EQ(level.state.brickCount, 1);
  expectBrick(level.bricks[0], 100, 100, 1);
}

TEST(PlacementBesideBrick, OriginFollowsDirectionAndOffset) {
  Level level;
  level.add(200, 100, 2);
  level.state.relativeX = 1;
  level.state.offsetX = 5;
  EXPECT_EQ(level.place(210, 110), 1);
  expectBrick(level.bricks[1], 245, 100, 1);

  Level left;
  left.add(200, 100, 2);
  left.state.relativeX = -1;
  left.state.offsetX = -5;
  EXPECT_EQ(left.place(210, 110), 1);
  expectBrick(left.bricks[1], 155, 100, 1);

  Level below;
  below.add(200, 100, 2);
  below.state.relativeY = 1;
  below.state.offsetY = 3;
  below.state.offsetX = 7;
  EXPECT_EQ(below.place(230, 115), 1);
  expectBrick(below.bricks[1], 207, 123, 1);
}

TEST(PlacementBesideBrick, PatternReachingIntoTheAnchorIsRefused) {
  Level level;
  level.add(200, 100, 2);
  level.state.relativeX = -1;
  level.state.offsetX = -5;
  level.select({{0, 0}, {1, 0}});
  EXPECT_EQ(level.place(210, 110), 0);
  level.state.spacingX = 44;
  updatePatternBox(level.selection, level.state);
  EXPECT_EQ(level.place(210, 110), 0);
  level.state.spacingX = 45;
  updatePatternBox(level.selection, level.state);
  EXPECT_EQ(level.place(210, 110), 1);
  EXPECT_EQ(level.state.brickCount, 3);
  expectBrick(level.bricks[1], 155, 100, 1);
  expectBrick(level.bricks[2], 240, 100, 1);

  Level overlapping;
  overlapping.add(200, 100, 2);
  overlapping.state.relativeX = -1;
  overlapping.state.offsetX = 5;
  EXPECT_EQ(overlapping.place(210, 110), 0);
  EXPECT_EQ(overlapping.state.brickCount, 1);
}

TEST(PlacementBesideBrick, NoAnchorOrOriginOutsideTheLevelIsRefused) {
  Level level;
  level.add(30, 100, 2);
  level.state.relativeX = 1;
  // Empty level space: nothing laid, but the press still starts the drag.
  level.press(300, 300);
  EXPECT_EQ(level.state.brickCount, 1);
  EXPECT_EQ(level.state.painting, 1);
  // The anchor's top-left pixel does not hit it.
  EXPECT_EQ(level.place(30, 100), 0);

  level.state.relativeX = -1;
  EXPECT_EQ(level.place(40, 110), 0); // origin x -10
  level.state.relativeX = 0;
  level.state.relativeY = -1;
  level.add(300, 35, 2);
  EXPECT_EQ(level.place(310, 45), 0); // origin y 15
  level.state.relativeY = 1;
  level.add(300, 440, 2);
  EXPECT_EQ(level.place(310, 445), 0); // origin y 460, past y 450
  EXPECT_EQ(level.state.brickCount, 3);
  EXPECT_EQ(level.place(310, 45), 1);
  expectBrick(level.bricks[3], 300, 55, 1);
}

TEST(PlacementBesideBrick, OnlyTheFirstAnchorIsTried) {
  // Overlapping bricks from a level file: beside the first, the pattern would meet the
  // second; beside the second it would fit, but only the first brick hit is tried.
  Level level;
  level.add(100, 100, 2);
  level.add(110, 110, 3);
  level.state.relativeX = 1;
  EXPECT_EQ(level.place(120, 115), 0);
  EXPECT_EQ(level.state.brickCount, 2);
  // Swapped, the brick at (110, 110) is found first and the pattern fits beside it.
  std::swap(level.bricks[0], level.bricks[1]);
  EXPECT_EQ(level.place(120, 115), 1);
  expectBrick(level.bricks[2], 150, 110, 1);
}

TEST(PlacementBesideBrick, PressOutsideThePlacementAreaDoesNothingAtAll) {
  Level level;
  level.add(690, 100, 2);
  level.state.relativeX = -1;
  level.select({{0, 0}, {1, 0}, {2, 0}});
  ASSERT_EQ(level.state.patternWidth, 120);
  // x 700 is past 656, though the origin beside the anchor (570) would fit.
  level.press(700, 110);
  EXPECT_EQ(level.state.brickCount, 1);
  EXPECT_EQ(level.state.painting, 0);
  level.press(656, 110);
  EXPECT_EQ(level.state.painting, 1);
  EXPECT_EQ(level.state.brickCount, 1); // no brick under (656, 110)
}

TEST(PlacementDrag, OnePixelStepsLayBricksAsEachStopsOverlapping) {
  Level level;
  level.press(100, 100);
  for (int x = 101; x <= 230; ++x)
    level.move(x, 100);
  ASSERT_EQ(level.state.brickCount, 4);
  expectBrick(level.bricks[0], 100, 100, 1);
  expectBrick(level.bricks[1], 140, 100, 1);
  expectBrick(level.bricks[2], 180, 100, 1);
  expectBrick(level.bricks[3], 220, 100, 1);
}

TEST(PlacementDrag, MotionPlacesOnlyWhilePaintingAndInsideThePlacementArea) {
  Level level;
  level.move(100, 100);
  EXPECT_EQ(level.state.brickCount, 0);
  level.state.painting = 1;
  level.move(737, 100);
  level.move(100, 451);
  EXPECT_EQ(level.state.brickCount, 0);
  // In any mode, whether or not a button is held.
  level.state.mode = BrowsingLevels;
  level.move(300, 300);
  EXPECT_EQ(level.state.brickCount, 1);
  level.currentBrickType = 0;
  level.move(500, 300);
  EXPECT_EQ(level.state.brickCount, 1);
}

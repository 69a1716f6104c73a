// Laying the pattern: the press, placement at the pointer and beside a brick, refusals. The
// property test checks that no placement overlaps or leaves the level area; these check the
// bricks that must be laid, and the refusals that must change nothing.

#include "editing_fixture.h"

namespace {

struct Level : TestLevel {
  Level() : TestLevel(1) {}
  void expectRefused(int x, int y) {
    const Level before = *this;
    EXPECT_EQ(place(x, y), 0) << x << "," << y;
    EXPECT_EQ(state.brickCount, before.state.brickCount) << x << "," << y;
    EXPECT_EQ(std::memcmp(before.bricks.data(), bricks.data(), sizeof(Bricks)), 0);
  }
};

} // namespace

TEST(PlacementAtPointer, AppendsColumnsThenRowsFromTheFirstSelectedCell) {
  Level level;
  level.state.spacingX = 10;
  level.state.spacingY = 5;
  level.select({{0, 0}, {0, 1}, {2, 0}});
  level.currentBrickType = 4;
  EXPECT_EQ(level.place(100, 50), 1);
  EXPECT_EQ(level.laid(), (Laid{{100, 50, 4}, {100, 75, 4}, {200, 50, 4}}));

  level.select({{3, 4}, {5, 6}});
  EXPECT_EQ(level.place(300, 100), 1);
  EXPECT_EQ(level.laid().back(), (std::array<int32_t, 3>{400, 150, 4}));
  level.select({});
  EXPECT_EQ(level.place(500, 300), 1);
  EXPECT_EQ(level.state.brickCount, 5);
}

TEST(PlacementPress, OnlyALeftPressInThePlacementAreaLaysAndStartsTheDrag) {
  // For a single cell the placement area is x 24..736, y 30..450; for four in a row x 24..616.
  const struct {
    int x, y, button, cells;
    bool laid;
  } cases[] = {{736, 450, ButtonLeft, 1, true},   {24, 30, ButtonLeft, 1, true},
               {737, 100, ButtonLeft, 1, false},  {100, 451, ButtonLeft, 1, false},
               {100, 100, ButtonRight, 1, false}, {616, 100, ButtonLeft, 4, true},
               {617, 100, ButtonLeft, 4, false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << ", " << c.cells << " cells");
    Level level;
    level.select({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    if (c.cells == 1)
      level.select({{0, 0}});
    level.press(c.x, c.y, c.button);
    EXPECT_EQ(level.state.brickCount, c.laid ? c.cells : 0);
    EXPECT_EQ(level.state.painting, c.laid ? 1 : 0);
  }
  Level noType;
  noType.currentBrickType = 0;
  noType.press(100, 100);
  EXPECT_EQ(noType.state.brickCount, 0);
  EXPECT_EQ(noType.state.painting, 1);
}

TEST(PlacementRefusal, OneOverlappingCellRefusesTheWholePattern) {
  Level level;
  level.add(250, 150, 9);
  // Four columns by three rows; only the cell at (220, 140) meets the brick.
  for (int i = 0; i <= 3; ++i) {
    for (int j = 0; j <= 2; ++j)
      level.selection[cellIndex(i, j)] = 1;
  }
  updatePatternBox(level.selection, level.state);
  level.expectRefused(100, 100);
  EXPECT_EQ(level.place(100, 200), 1);
  EXPECT_EQ(level.state.brickCount, 13);
}

TEST(PlacementRefusal, NotEnoughFreeSlotsRefusesTheWholePattern) {
  // Bricks from a level file can fill the slots while leaving room in the level area.
  Level level;
  for (int slot = 0; slot < BrickSlots - 2; ++slot)
    level.add(2000 + 50 * slot, 2000, 1);
  level.select({{0, 0}, {1, 0}, {2, 0}});
  level.expectRefused(100, 100);
  level.select({{0, 0}, {1, 0}});
  EXPECT_EQ(level.place(100, 100), 1);
  EXPECT_EQ(level.state.brickCount, BrickSlots);
  level.state.brickCount = 100000;
  level.expectRefused(300, 300);
  // A negative count holds no bricks: placing starts again at slot 0.
  level.state.brickCount = -7;
  EXPECT_EQ(level.place(100, 100), 1);
  EXPECT_EQ(level.laid(), (Laid{{100, 100, 1}, {140, 100, 1}}));
}

TEST(PlacementBesideBrick, OriginFollowsDirectionAndOffset) {
  const struct {
    int relX, relY, offX, offY, x, y, laidX, laidY;
  } cases[] = {{1, 0, 5, 0, 210, 110, 245, 100},
               {-1, 0, -5, 0, 210, 110, 155, 100},
               {0, 1, 7, 3, 230, 115, 207, 123}};
  for (const auto &c : cases) {
    Level level;
    level.add(200, 100, 2);
    level.state.relativeX = c.relX;
    level.state.relativeY = c.relY;
    level.state.offsetX = c.offX;
    level.state.offsetY = c.offY;
    EXPECT_EQ(level.place(c.x, c.y), 1);
    EXPECT_EQ(level.laid(), (Laid{{200, 100, 2}, {c.laidX, c.laidY, 1}}));
  }
}

TEST(PlacementBesideBrick, OnlyTheFirstBrickHitStrictlyInsideIsTheAnchor) {
  // Overlapping bricks from a level file: beside the first the pattern meets the second.
  Level level;
  level.add(100, 100, 2);
  level.add(110, 110, 3);
  level.state.relativeX = 1;
  level.add(300, 200, 4);
  level.expectRefused(120, 115);
  level.expectRefused(300, 200); // a brick's top-left pixel does not hit it
  level.expectRefused(300, 300); // no brick at all
  std::swap(level.bricks[0], level.bricks[1]);
  EXPECT_EQ(level.place(120, 115), 1);
  EXPECT_EQ(level.bricks[3].x, 150);

  // The press needs the pointer, not the origin beside the anchor, in the placement area.
  Level edge;
  edge.add(690, 100, 2);
  edge.state.relativeX = -1;
  edge.select({{0, 0}, {1, 0}, {2, 0}});
  edge.press(700, 110);
  EXPECT_EQ(edge.state.painting, 0);
  edge.press(300, 300);
  EXPECT_EQ(edge.state.painting, 1);
  EXPECT_EQ(edge.state.brickCount, 1);
}

TEST(PlacementDrag, OnePixelStepsLayBricksAsEachStopsOverlapping) {
  Level level;
  handleMotion(100, 100, level.selection, level.currentBrickType, level.state, level.bricks,
               level.helpText);
  EXPECT_EQ(level.state.brickCount, 0);
  level.press(100, 100);
  level.state.mode = BrowsingLevels; // the drag goes on in every mode
  for (int x = 101; x <= 230; ++x)
    handleMotion(x, 100, level.selection, level.currentBrickType, level.state, level.bricks,
                 level.helpText);
  EXPECT_EQ(level.laid(), (Laid{{100, 100, 1}, {140, 100, 1}, {180, 100, 1}, {220, 100, 1}}));
}

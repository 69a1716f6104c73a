// Releases of the left and right buttons in the Editing mode, region by region.

#include "editing_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>
#include <vector>

namespace {

constexpr int L = ButtonLeft;
constexpr int R = ButtonRight;

struct Level : TestLevel {
  Level() : TestLevel(5) {}
};

struct Click {
  int x, y, button;
};

void expectSameState(const EditorState &a, const EditorState &b) {
  EXPECT_EQ(std::memcmp(&a, &b, sizeof(EditorState)), 0);
}

void expectNoEffect(Level &level, const Click &c) {
  SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " button " << c.button);
  const Level before = level;
  EXPECT_EQ(level.release(c.x, c.y, c.button), 1);
  expectSameState(before.state, level.state);
  EXPECT_EQ(std::memcmp(before.bricks.data(), level.bricks.data(), sizeof(Bricks)), 0);
  EXPECT_EQ(before.selection, level.selection);
  EXPECT_EQ(before.currentBrickType, level.currentBrickType);
}

} // namespace

TEST(ReleaseRegions, EverywhereBesideTheClickRegionsNothingChanges) {
  Level level;
  level.add(100, 100, 2);
  level.add(760, 460, 2); // from a level file: reaches past the level area
  level.state.painting = 1;
  // In order: not strictly inside a brick (its top-left pixel, its edges, one past them, one
  // past the retype region); borders of the pattern grid, the palette and the special row; gaps
  // around the steppers and the chooser; borders of the three buttons and the lowest rows of
  // "Effacer tout !"; left releases just outside the level area; other buttons; no region.
  const Click clicks[] = {
      {100, 100, R}, {100, 110, R},  {120, 100, R}, {140, 110, R}, {120, 120, R}, {777, 470, R},
      {776, 471, R}, {300, 300, R},  {24, 490, L},  {30, 480, L},  {402, 600, R}, {200, 766, L},
      {800, 100, L}, {935, 100, L},  {850, 60, L},  {850, 235, L}, {850, 250, L}, {850, 260, L},
      {850, 285, L}, {800, 270, L},  {935, 270, L}, {474, 485, L}, {492, 485, L}, {493, 485, L},
      {494, 485, L}, {512, 485, L},  {480, 479, L}, {480, 497, L}, {480, 517, L}, {480, 539, L},
      {480, 557, L}, {480, 577, L},  {580, 570, R}, {570, 560, L}, {633, 560, L}, {600, 540, L},
      {600, 579, L}, {850, 372, L},  {850, 370, L}, {850, 350, L}, {800, 360, L}, {930, 360, L},
      {850, 360, R}, {850, 390, R},  {850, 405, L}, {850, 420, R}, {850, 410, L}, {850, 435, L},
      {930, 420, L}, {776, 300, L},  {300, 470, L}, {120, 110, 3}, {850, 420, 0}, {850, 360, 4},
      {10, 10, L},   {1000, 700, R}, {700, 700, L}};
  for (const Click &c : clicks)
    expectNoEffect(level, c);
}

TEST(ReleaseRetype, RightReleaseRetypesOnlyTheFirstBrickHitStrictlyInside) {
  Level level;
  level.add(100, 100, 1);
  level.add(200, 100, 2);
  level.add(300, 100, 3);
  EXPECT_EQ(level.release(210, 110, R), 1);
  EXPECT_EQ(level.laid(), (Laid{{100, 100, 1}, {200, 100, 5}, {300, 100, 3}}));

  for (auto [x, y, type] : {std::tuple{101, 101, 7}, {139, 119, 8}}) {
    level.currentBrickType = type;
    level.release(x, y, R);
    EXPECT_EQ(level.bricks[0].type, type) << x << "," << y;
  }
  level.release(120, 110, L);
  EXPECT_EQ(level.bricks[0].type, 8);

  // Overlapping bricks and bricks past the level area can only come from a level file.
  level.add(110, 105, 4);
  level.add(760, 460, 2);
  level.currentBrickType = 9;
  level.release(120, 110, R);
  level.release(776, 470, R);
  EXPECT_EQ(level.laid(),
            (Laid{{100, 100, 9}, {200, 100, 5}, {300, 100, 3}, {110, 105, 4}, {760, 460, 9}}));
}

TEST(ReleaseErase, WithNoTypeTheLastBrickTakesTheErasedSlot) {
  Level level;
  level.add(100, 100, 1);
  level.add(200, 100, 2);
  level.add(300, 100, 3);
  level.currentBrickType = 0;
  EXPECT_EQ(level.release(110, 110, R), 1);
  EXPECT_EQ(level.laid(), (Laid{{300, 100, 3}, {200, 100, 2}}));
  EXPECT_EQ(level.currentBrickType, 0);
  level.release(210, 110, R);
  EXPECT_EQ(level.laid(), (Laid{{300, 100, 3}}));
  level.release(310, 110, R);
  EXPECT_EQ(level.state.brickCount, 0);

  // A count outside the slots must never make the erase read past them.
  for (int slot = 0; slot < BrickSlots; ++slot)
    level.bricks[slot] = Brick{1000 + slot * 50, 1000, 1};
  level.bricks[0] = Brick{100, 100, 4};
  level.bricks[BrickSlots - 1] = Brick{300, 300, 8};
  level.state.brickCount = 5000;
  level.currentBrickType = 0;
  level.release(110, 110, R);
  EXPECT_EQ(level.state.brickCount, BrickSlots - 1);
  EXPECT_EQ(level.bricks[0].type, 8);

  level.state.brickCount = -4;
  expectNoEffect(level, {310, 310, R});
}

TEST(ReleasePatternGrid, LeftInvertsACellRightSelectsTheRectangleUpToIt) {
  Level level;
  level.release(45, 481, L); // first pixel of cell (1, 0)
  EXPECT_EQ(level.selection[cellIndex(1, 0)], 1);
  level.release(65, 492, L);
  EXPECT_EQ(level.selection[cellIndex(1, 0)], 0);

  level.selection[cellIndex(10, 10)] = 1;
  level.release(24 + 3 * 21 + 5, 480 + 2 * 13 + 5, R); // cell (3, 2)
  EXPECT_EQ(std::count(level.selection.begin(), level.selection.end(), 1), 12);
  for (int i = 0; i <= 3; ++i) {
    for (int j = 0; j <= 2; ++j)
      EXPECT_EQ(level.selection[cellIndex(i, j)], 1) << i << "," << j;
  }
  // The grid region's last pixel is cell (17, 21).
  level.release(401, 765, L);
  EXPECT_EQ(level.selection[cellIndex(17, 21)], 1);
  level.release(401, 765, R);
  EXPECT_EQ(std::count(level.selection.begin(), level.selection.end(), 1), BrickSlots);
}

TEST(ReleasePalette, OrdinaryTypeTogglesToNoneSpecialTypeStaysEachCellGivesItsType) {
  Level level;
  level.currentBrickType = 7;
  for (auto [x, button, type] : {std::tuple{820, L, 0}, {820, L, 7}, {860, R, 8}, {860, R, 0}}) {
    level.release(x, 120, button);
    EXPECT_EQ(level.currentBrickType, type) << x << " button " << button;
  }
  level.currentBrickType = 23;
  level.release(860, 270, L);
  level.release(860, 270, R);
  EXPECT_EQ(level.currentBrickType, 23);

  const struct {
    int x, y;
    int32_t type;
  } cases[] = {{801, 61, 1},   {844, 84, 1},   {845, 61, 2},   {889, 84, 2},
               {890, 61, 3},   {934, 84, 3},   {801, 85, 4},   {801, 210, 19},
               {934, 234, 21}, {845, 234, 20}, {801, 261, 22}, {844, 284, 22},
               {845, 261, 23}, {889, 270, 23}, {890, 261, 24}, {934, 284, 24}};
  for (const auto &c : cases) {
    level.currentBrickType = 0;
    level.release(c.x, c.y, L);
    EXPECT_EQ(level.currentBrickType, c.type) << c.x << "," << c.y;
  }
}

TEST(ReleaseSteppers, EachStepsItsFieldWithinItsBounds) {
  using F = int32_t EditorState::*;
  const F sx = &EditorState::spacingX, sy = &EditorState::spacingY;
  const F ox = &EditorState::offsetX, oy = &EditorState::offsetY;
  const struct {
    int x, y, button;
    F field;
    int32_t from, to;
  } cases[] = {
      {480, 485, R, sx, 0, 10},    {480, 485, R, sx, 670, 672}, {491, 496, L, sx, 672, 672},
      {500, 490, R, sx, 5, 0},     {511, 496, L, sx, 0, 0},     {475, 480, L, sx, 0, 1},
      {480, 505, L, sy, 0, 1},     {480, 516, R, sy, 395, 400}, {495, 500, L, sy, 400, 399},
      {511, 516, R, sy, 3, 0},     {480, 545, R, ox, 0, 10},    {480, 545, R, ox, 35, 40},
      {500, 545, R, ox, -35, -40}, {491, 556, L, ox, -40, -39}, {475, 560, R, oy, 15, 20},
      {511, 576, R, oy, -15, -20}, {495, 565, L, oy, -20, -20}, {495, 565, L, oy, 0, -1}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " button " << c.button);
    Level level;
    // A stale box: the spacings must bring it up to date, the offsets must leave it.
    level.selection[cellIndex(1, 1)] = 1;
    level.state.*c.field = c.from;
    EditorState expected = level.state;
    expected.*c.field = c.to;
    if (c.field == sx || c.field == sy)
      updatePatternBox(level.selection, expected);
    EXPECT_EQ(level.release(c.x, c.y, c.button), 1);
    EXPECT_EQ(level.state.*c.field, c.to);
    expectSameState(level.state, expected);
  }
}

TEST(ReleaseClearAll, ResetsTheLevelAndTheSettingsButKeepsTheRest) {
  Level level;
  level.add(100, 100, 3);
  level.add(300, 200, 4);
  level.selection[cellIndex(4, 4)] = 1;
  // Painting, spacings, two bricks, offsets, a direction and a browser scroll.
  level.state = EditorState{1, 0, 12, 7, 0, 0, 0, 0, 0, 0, 2, -8, 9, 1, -1, 6};
  updatePatternBox(level.selection, level.state);
  level.currentBrickType = 17;

  EXPECT_EQ(level.release(929, 369, L), 1);
  EditorState expected = initialEditorState();
  expected.painting = 1;
  expected.browserScroll = 6;
  expectSameState(level.state, expected);
  Selection start{};
  resetSelection(start);
  EXPECT_EQ(level.selection, start);
  EXPECT_EQ(level.currentBrickType, 17);
  // Only the count drops: the records stay behind it.
  EXPECT_EQ(level.bricks[1].x, 300);

  level.add(100, 100, 3);
  level.release(801, 351, L);
  EXPECT_EQ(level.state.brickCount, 0);
}

TEST(ReleaseButtons, ChooserSaveOpenAndTheEndOfTheDrag) {
  const struct {
    int x, y, result;
    int32_t mode, painting, relX, relY;
  } cases[] = {{580, 570, 1, Editing, 1, -1, 1},          {571, 541, 1, Editing, 1, -1, -1},
               {590, 552, 1, Editing, 1, -1, -1},         {591, 553, 1, Editing, 1, 0, 0},
               {611, 565, 1, Editing, 1, 0, 0},           {612, 566, 1, Editing, 1, 1, 1},
               {632, 578, 1, Editing, 1, 1, 1},           {600, 541, 1, Editing, 1, 0, -1},
               {632, 560, 1, Editing, 1, 1, 0},           {801, 381, 1, EnteringLevelName, 1, 0, 0},
               {929, 404, 1, EnteringLevelName, 1, 0, 0}, {850, 420, 10, BrowsingLevels, 1, 0, 0},
               {929, 434, 10, BrowsingLevels, 1, 0, 0},   {801, 411, 10, BrowsingLevels, 1, 0, 0},
               {775, 469, 1, Editing, 0, 0, 0},           {24, 30, 1, Editing, 0, 0, 0}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    Level level;
    level.state.painting = 1;
    EXPECT_EQ(level.release(c.x, c.y, L), c.result);
    EXPECT_EQ(level.state.mode, c.mode);
    EXPECT_EQ(level.state.painting, c.painting);
    EXPECT_EQ(level.state.relativeX, c.relX);
    EXPECT_EQ(level.state.relativeY, c.relY);
  }
}

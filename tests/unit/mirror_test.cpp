// Mirror placement: twins at 760 - x, placed with the pattern all or nothing, and a level built
// only by mirrored placements stays its own mirror image.

#include "editor/control/handle_input.h"
#include "editor/screen_layout.h"
#include "tools/place_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

namespace {

using Laid = std::vector<std::tuple<int, int, int>>;

Laid laid(const Editor &editor) {
  Laid out;
  for (int32_t i = 0; i < editor.state.brickCount; ++i)
    out.emplace_back(editor.bricks[i].x, editor.bricks[i].y, editor.bricks[i].type);
  return out;
}

void select(Editor &editor, std::initializer_list<std::pair<int, int>> cells, int spacingX = 0) {
  editor.selection.fill(0);
  for (auto [column, row] : cells)
    editor.selection[cellIndex(column, row)] = 1;
  editor.state.spacingX = spacingX;
  updatePatternBox(editor.selection, editor.state);
}

int place(Editor &editor, int x, int y) {
  return placePattern(x, y, editor.selection, editor.currentBrickType, editor.state, editor.bricks,
                      true);
}

TEST(MirrorPlacement, TwinsFollowThePatternAndAreRefusedWithIt) {
  Editor editor;
  EXPECT_EQ(place(editor, 24, 30), 1);   // left edge: twin on the right edge
  EXPECT_EQ(place(editor, 380, 30), 1);  // the centre brick is its own twin, laid once
  EXPECT_EQ(place(editor, 736, 100), 1); // right edge
  EXPECT_EQ(laid(editor),
            (Laid{{24, 30, 1}, {736, 30, 1}, {380, 30, 1}, {736, 100, 1}, {24, 100, 1}}));

  // Spacing 40 from 330: the twin of 410 at 350 overlaps the pattern's own 330.
  select(editor, {{0, 0}, {1, 0}}, 40);
  EXPECT_EQ(place(editor, 330, 200), 0);
  // Spacing 0 from 360: the twins of 360 and 400 are 400 and 360, laid once each.
  select(editor, {{0, 0}, {1, 0}});
  EXPECT_EQ(place(editor, 360, 200), 1);
  EXPECT_EQ(editor.state.brickCount, 7);
  // A twin that meets an existing brick refuses the pattern with it.
  editor.bricks[editor.state.brickCount++] = Brick{100, 300, 2};
  select(editor, {{0, 0}});
  EXPECT_EQ(place(editor, 640, 300), 0);
  EXPECT_EQ(editor.state.brickCount, 8);

  // Beside a brick: right of the one at (24, 100), so at 64 with its twin at 696.
  editor.state.relativeX = 1;
  EXPECT_EQ(place(editor, 30, 105), 1);
  EXPECT_EQ(laid(editor).back(), (std::tuple{696, 100, 1}));
}

TEST(MirrorPlacement, TheSlotLimitCountsTheTwins) {
  Editor editor;
  // 395 slots used by bricks far outside the field leave room for one brick, not two.
  editor.state.brickCount = 395;
  std::fill_n(editor.bricks.begin(), 395, Brick{5000, 5000, 1});
  EXPECT_EQ(place(editor, 100, 100), 0);
  EXPECT_EQ(place(editor, 380, 100), 1);
  EXPECT_EQ(editor.state.brickCount, 396);
}

// Presses, drags and releases at random, with random patterns, spacings and directions: the
// level is always its own mirror image.
TEST(MirrorPlacement, ALevelBuiltMirroredIsSymmetric) {
  std::mt19937 random(7);
  Editor editor;
  handleInput(InputEvent{InputKind::KeyDown, 0, 0, 0, Key::M, 'm'}, editor);
  ASSERT_TRUE(editor.mirror);
  const InputKind kinds[] = {InputKind::ButtonDown, InputKind::Motion, InputKind::ButtonUp};
  for (int step = 0; step < 20000 && editor.state.brickCount < BrickSlots; ++step) {
    InputEvent event{kinds[random() % 3], static_cast<uint16_t>(random() % 800),
                     static_cast<uint16_t>(random() % 768), random() % 8 ? MouseLeft : MouseRight};
    // Right clicks stay off the field, where they would retype or erase a brick; the buttons
    // right of x 800 are left alone.
    if (event.button == MouseRight && event.y < 480)
      continue;
    handleInput(event, editor);
    Laid bricks = laid(editor), twins;
    for (auto [x, y, type] : bricks)
      twins.emplace_back(mirroredX(x), y, type);
    std::sort(bricks.begin(), bricks.end());
    std::sort(twins.begin(), twins.end());
    ASSERT_EQ(bricks, twins) << "after step " << step;
  }
  EXPECT_GT(editor.state.brickCount, 20);
}

} // namespace

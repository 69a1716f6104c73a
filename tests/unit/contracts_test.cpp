// What the handlers promise their callers beyond the editor's state: the result codes the
// dispatch acts on or may ignore, and the frame pacing across the tick counter's wrap.

#include "editor/control/handle_input.h"
#include "storage/level_browser.h"
#include "tools/button_press.h"
#include "tools/button_release.h"
#include "tools/overlap_index.h"
#include "tools/place_pattern.h"

#include <gtest/gtest.h>

namespace {

TEST(Contracts, ResultCodes) {
  Editor e;
  auto press = [&](int x, int y, int button) {
    return handleButtonPress(x, y, button, e.selection, e.currentBrickType, e.state, e.bricks);
  };
  auto release = [&](int x, int y, int button) {
    return handleButtonRelease(x, y, button, e.selection, e.currentBrickType, e.state, e.bricks);
  };
  auto place = [&](int x, int type) {
    return placePattern(x, 100, e.selection, type, e.state, e.bricks);
  };
  EXPECT_TRUE(press(100, 100, ButtonLeft) == 1 && press(900, 700, ButtonRight) == 1);
  EXPECT_TRUE(place(120, 1) == 0 && place(140, 1) == 1 && place(200, 0) == 0);
  // Mirrored, the twin meets the brick at (100, 100): the whole placement is refused.
  EXPECT_EQ(placePattern(mirroredX(100), 100, e.selection, 1, e.state, e.bricks, true), 0);
  e.selection.fill(0); // an empty grid lays nothing, which is no refusal
  EXPECT_EQ(place(400, 1), 1);
  EXPECT_EQ(release(865, 422, ButtonLeft), ReleaseOpenBrowser);
  EXPECT_TRUE(release(865, 392, ButtonLeft) == ReleaseDone &&
              release(865, 422, ButtonRight) == ReleaseDone);
  std::vector<std::string> list{"kept.lvbk"};
  EXPECT_EQ(listLevels(list, TEST_DATA_DIR "/absent/"), 0);
  EXPECT_EQ(list, std::vector<std::string>{"kept.lvbk"});
  EXPECT_EQ(listLevels(list, TEST_DATA_DIR "/sessions/window/"), 1);
  EXPECT_EQ(list.size(), 5u);
}

// No placement asks about a position outside the level area, where the index tests every
// brick in use, and those alone.
TEST(Contracts, OverlapsOutsideTheLevelArea) {
  Bricks bricks{};
  bricks[1] = Brick{-500, 900, 3};
  bricks[2] = Brick{1000, 1000, 1};
  OverlapIndex index;
  buildOverlapIndex(bricks, 2, index);
  EXPECT_TRUE(overlapsBrickInUse(index, -461, 919) && overlapsBrickInUse(index, 5, 5));
  EXPECT_FALSE(overlapsBrickInUse(index, -460, 900) || overlapsBrickInUse(index, 1010, 1010));
}

TEST(Contracts, AFrameIsDueAfterMoreThan25MillisecondsAlsoAcrossTheWrap) {
  EXPECT_FALSE(frameDue(1025, 1000));
  EXPECT_TRUE(frameDue(1026, 1000));
  EXPECT_FALSE(frameDue(9, 0xFFFFFFF0u));
  EXPECT_TRUE(frameDue(10, 0xFFFFFFF0u));
}

} // namespace

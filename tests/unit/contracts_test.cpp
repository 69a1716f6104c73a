// What the core promises where no session reaches: the overlap index away from the level area,
// and the frame pacing across the tick counter's wrap.

#include "editor/control/handle_input.h"
#include "tools/overlap_index.h"

#include <gtest/gtest.h>

namespace {

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

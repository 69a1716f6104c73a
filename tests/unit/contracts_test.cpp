// What the core promises where no session reaches: the overlap index away from the level area,
// and the loop's pacing: when a frame is due and how long the loop may sleep.

#include "editor/control/frame_pacing.h"
#include "tools/overlap_index.h"

#include <gtest/gtest.h>

namespace {

// No placement asks about a position outside the level area, where the index tests every
// brick in use, and those alone. Bricks left of the buckets, on their rows too, stay out of
// them, so that the brick in the level is still found.
TEST(Contracts, OverlapsOutsideTheLevelArea) {
  Bricks bricks{};
  bricks[0] = Brick{-56, 10, 1};
  bricks[1] = Brick{-500, 900, 3};
  bricks[2] = Brick{-5000, 30, 1};
  bricks[3] = Brick{100, 100, 1};
  bricks[4] = Brick{1000, 1000, 1};
  OverlapIndex index;
  buildOverlapIndex(bricks, 3, index);
  EXPECT_TRUE(overlapsBrickInUse(index, -461, 919) && overlapsBrickInUse(index, -50, 15) &&
              overlapsBrickInUse(index, -4961, 49));
  EXPECT_FALSE(overlapsBrickInUse(index, -460, 900) || overlapsBrickInUse(index, 1010, 1010) ||
               overlapsBrickInUse(index, 100, 100));
  buildOverlapIndex(bricks, 4, index);
  EXPECT_TRUE(overlapsBrickInUse(index, 139, 119));
}

// now, the last frame, its interval, whether a frame is wanted and a timer => the sleep.
TEST(Contracts, TheLoopSleepsUntilTheFrameItWantsOrItsTimerAndOtherwiseUntilInput) {
  const std::optional<uint32_t> none;
  const struct {
    uint32_t now, last, interval;
    bool wanted;
    std::optional<uint32_t> timer;
    int sleep;
  } rows[] = {
      {1000, 990, EditingFrameMs, true, none, 16},
      {1000, 974, EditingFrameMs, true, none, 0},
      {1000, 500, EditingFrameMs, true, none, 0},
      {1000, 990, PlayingFrameMs, true, none, 6},
      {1000, 990, EditingFrameMs, false, none, UntilInput},
      {1000, 990, EditingFrameMs, false, 3000u, 2000},
      {1000, 990, EditingFrameMs, true, 1010u, 10},
      {1000, 990, EditingFrameMs, false, 999u, 0},
      {5, 0xFFFFFFF0u, EditingFrameMs, true, none, 5},
      {0xFFFFFFF0u, 0xFFFFFFE0u, EditingFrameMs, false, 10u, 26},
  };
  for (const auto &row : rows)
    EXPECT_EQ(sleepMilliseconds(row.now, LoopDue{row.last, row.interval, row.wanted, row.timer}),
              row.sleep)
        << row.now << " " << row.last;
  EXPECT_FALSE(frameDue(1025, 1000));
  EXPECT_TRUE(frameDue(1026, 1000) && frameDue(10, 0xFFFFFFF0u));
}

} // namespace

#include "editor/screen_layout.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Min = std::numeric_limits<int32_t>::min();

// A level file may hold any 32-bit position; the tests run under UBSan in the sanitizer build.
TEST(Geometry, PositionsAtTheEndsOfTheRangeNeitherOverlapNorWrap) {
  EXPECT_FALSE(bricksOverlap(100, 100, Min, Min));
  EXPECT_FALSE(bricksOverlap(100, 100, Max, Max));
  EXPECT_FALSE(bricksOverlap(Max, 100, Min, 100));
  EXPECT_TRUE(bricksOverlap(Max, Max, Max - 39, Max - 19));
  EXPECT_FALSE(bricksOverlap(Max, Max, Max - 40, Max));

  EXPECT_FALSE(brickHit(Brick{Max - 10, 100, 1}, 500, 110));
  EXPECT_FALSE(brickHit(Brick{Min, Min, 1}, 0, 0));
  EXPECT_TRUE(brickHit(Brick{Max - 40, Max - 20, 1}, Max - 1, Max - 1));
}

TEST(Geometry, BricksTouchingEdgeToEdgeDoNotOverlap) {
  EXPECT_TRUE(bricksOverlap(100, 100, 139, 100));
  EXPECT_FALSE(bricksOverlap(100, 100, 140, 100));
  EXPECT_TRUE(bricksOverlap(100, 100, 100, 119));
  EXPECT_FALSE(bricksOverlap(100, 100, 100, 120));
  EXPECT_FALSE(bricksOverlap(100, 100, 60, 80));
}

} // namespace

// Rules the sessions reach only in part: which browser row shows which name, the frame pacing
// across the tick counter's wrap, and overlap and hit tests at the ends of the 32-bit range.

#include "editor/control/handle_input.h"
#include "editor/screen_layout.h"
#include "storage/level_browser.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(BrowserRows, EachRowShowsTheNameFromTheScrollAndNoneBeyondTheList) {
  // Rows are 20 pixels from y 275, the division truncating toward zero; row 10 shows nothing.
  const struct {
    int y;
    int32_t scroll;
    std::size_t names;
    int64_t index;
  } cases[] = {{276, 2, 12, 2},   {300, 2, 12, 3},  {474, 2, 12, 11},  {476, 2, 12, -1},
               {256, 2, 12, 2},   {255, 2, 12, -1}, {474, 0, 12, 9},   {320, 0, 3, 2},
               {336, 0, 3, -1},   {280, 0, 0, -1},  {280, 3, 5, 0},    {380, 3, 5, -1},
               {280, 40, 12, -1}, {280, -4, 12, 0}, {300, 20, 25, 21}, {460, 15, 25, 24}};
  for (const auto &c : cases)
    EXPECT_EQ(browserNameAt(c.y, c.scroll, c.names), c.index)
        << "y " << c.y << ", scroll " << c.scroll << ", " << c.names << " names";
}

TEST(BrowserRows, TheNamesShownStayInsideTheList) {
  constexpr int32_t Max = std::numeric_limits<int32_t>::max();
  const struct {
    std::size_t names;
    int32_t scroll;
    std::size_t first, end;
  } cases[] = {{0, 0, 0, 0},     {10, 7, 0, 10},  {25, 15, 15, 25}, {25, 20, 20, 25},
               {12, 40, 12, 12}, {12, -4, 0, 10}, {12, Max, 12, 12}};
  for (const auto &c : cases) {
    const VisibleNames shown = visibleLevelNames(c.names, c.scroll);
    EXPECT_TRUE(shown.first == c.first && shown.end == c.end) << c.names << " from " << c.scroll;
  }
}

TEST(FrameDue, OnlyAfterMoreThan25MillisecondsAlsoAcrossTheWrap) {
  EXPECT_FALSE(frameDue(1025, 1000));
  EXPECT_TRUE(frameDue(1026, 1000));
  EXPECT_FALSE(frameDue(9, 0xFFFFFFF0u));
  EXPECT_TRUE(frameDue(10, 0xFFFFFFF0u));
}

// A level file may hold any 32-bit position; the sanitizer build runs these under UBSan.
TEST(Geometry, PositionsAtTheEndsOfTheRangeNeitherOverlapNorWrap) {
  constexpr int32_t Max = std::numeric_limits<int32_t>::max();
  constexpr int32_t Min = std::numeric_limits<int32_t>::min();
  EXPECT_FALSE(bricksOverlap(100, 100, Min, Min));
  EXPECT_FALSE(bricksOverlap(Max, 100, Min, 100));
  EXPECT_TRUE(bricksOverlap(Max, Max, Max - 39, Max - 19));
  EXPECT_FALSE(bricksOverlap(Max, Max, Max - 40, Max));
  EXPECT_FALSE(brickHit(Brick{Max - 10, 100, 1}, 500, 110));
  EXPECT_TRUE(brickHit(Brick{Max - 40, Max - 20, 1}, Max - 1, Max - 1));
}

} // namespace

// Long random sessions of presses, releases, motions and wheel steps all over the screen:
// whatever the user does, the level stays sound.

#include "editor/editor_state.h"
#include "editor/screen_layout.h"
#include "help/hover_help.h"
#include "tools/button_press.h"
#include "tools/button_release.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

struct Session {
  Bricks bricks{};
  Selection selection{};
  int32_t currentBrickType = 1;
  EditorState state = initialEditorState();
  std::string helpText = "...";
  Session() { resetSelection(selection); }
};

// Points fall in a region a click acts on half of the time; elsewhere anywhere on screen.
const Region targets[] = {
    LevelRetypeRegion,   LevelRetypeRegion,  LevelRetypeRegion,   LevelRetypeRegion,
    PatternGridRegion,   PaletteRegion,      SpecialRowRegion,    SpacingXPlusRegion,
    SpacingXMinusRegion, SpacingYPlusRegion, SpacingYMinusRegion, OffsetXPlusRegion,
    OffsetXMinusRegion,  OffsetYPlusRegion,  OffsetYMinusRegion,  ChooserRegion,
    ChooserRegion,       ClearAllHelpRegion, SaveRegion,          OpenRegion,
};

struct Point {
  int x;
  int y;
};

Point randomPoint(std::mt19937 &random) {
  if (random() % 2 == 0) {
    return Point{static_cast<int>(random() % ScreenWidth),
                 static_cast<int>(random() % ScreenHeight)};
  }
  const Region &region = targets[random() % std::size(targets)];
  // One pixel around each region too, to reach its edges from outside.
  const int x = region.left - 1 + static_cast<int>(random() % (region.right - region.left + 3));
  const int y = region.top - 1 + static_cast<int>(random() % (region.bottom - region.top + 3));
  return Point{x, y};
}

// The wheel as the event loop steps it in the Editing mode.
void wheel(int32_t &currentBrickType, bool down) {
  if (down) {
    currentBrickType = currentBrickType + 1 > LastBrickType ? 1 : currentBrickType + 1;
  } else {
    currentBrickType = currentBrickType - 1 <= 0 ? LastBrickType : currentBrickType - 1;
  }
}

// Checks the level after an event. Returns a description of the first fault, or "".
std::string fault(const Session &session, const Bricks &checkedBricks, int32_t checkedCount) {
  const EditorState &state = session.state;
  if (state.brickCount < 0 || state.brickCount > BrickSlots)
    return "brickCount " + std::to_string(state.brickCount);
  EditorState box = state;
  updatePatternBox(session.selection, box);
  if (std::memcmp(&box, &state, sizeof(EditorState)) != 0)
    return "pattern box out of date";
  // Overlaps and bounds only need a new look when the bricks changed.
  if (checkedCount == state.brickCount &&
      std::memcmp(checkedBricks.data(), session.bricks.data(),
                  sizeof(Brick) * static_cast<size_t>(state.brickCount)) == 0)
    return "";
  for (int32_t i = 0; i < state.brickCount; ++i) {
    const Brick &brick = session.bricks[i];
    if (brick.x < LevelLeft || brick.y < LevelTop || brick.x + BrickWidth > LevelRight ||
        brick.y + BrickHeight > LevelBottom)
      return "brick " + std::to_string(i) + " outside the level area";
    if (brick.type < 1 || brick.type > LastBrickType)
      return "brick " + std::to_string(i) + " of type " + std::to_string(brick.type);
    for (int32_t j = i + 1; j < state.brickCount; ++j) {
      if (bricksOverlap(brick.x, brick.y, session.bricks[j].x, session.bricks[j].y))
        return "bricks " + std::to_string(i) + " and " + std::to_string(j) + " overlap";
    }
  }
  return "";
}

void runSession(unsigned seed, int events) {
  std::mt19937 random(seed);
  Session s;
  Bricks checkedBricks = s.bricks;
  int32_t checkedCount = 0;
  int32_t mostBricks = 0;
  for (int event = 0; event < events; ++event) {
    const Point p = randomPoint(random);
    const int kind = static_cast<int>(random() % 10);
    const int button = random() % 3 == 0 ? ButtonRight : ButtonLeft;
    if (kind < 2) {
      handleButtonPress(p.x, p.y, button, s.selection, s.currentBrickType, s.state, s.bricks);
    } else if (kind < 4) {
      handleButtonRelease(p.x, p.y, button, s.selection, s.currentBrickType, s.state, s.bricks);
      // The name dialogs and the browser lie outside these handlers.
      s.state.mode = Editing;
    } else if (kind < 9) {
      handleMotion(p.x, p.y, s.selection, s.currentBrickType, s.state, s.bricks, s.helpText);
    } else {
      wheel(s.currentBrickType, random() % 2 == 0);
    }
    const std::string problem = fault(s, checkedBricks, checkedCount);
    ASSERT_EQ(problem, "") << "seed " << seed << ", event " << event << " at " << p.x << "," << p.y
                           << " kind " << kind << " button " << button;
    checkedBricks = s.bricks;
    checkedCount = s.state.brickCount;
    mostBricks = std::max(mostBricks, checkedCount);
  }
  // The session must have really laid bricks for the checks to mean something.
  EXPECT_GT(mostBricks, 20) << "seed " << seed;
}

} // namespace

TEST(EditingProperty, RandomSessionsKeepTheLevelSound) {
  for (unsigned seed = 1; seed <= 6; ++seed)
    runSession(seed, 50000);
}

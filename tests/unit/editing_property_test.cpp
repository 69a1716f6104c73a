// Long random sessions of presses, releases, motions and wheel steps all over the screen:
// whatever the user does, the level stays sound.

#include "editor/editor_state.h"
#include "editor/screen_layout.h"
#include "help/hover_help.h"
#include "tools/button_press.h"
#include "tools/button_release.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

namespace {

// Half of the points fall anywhere, half in or just around a region a click acts on.
const Region WholeScreen{1, 1, ScreenWidth - 2, ScreenHeight - 2};
const Region targets[] = {
    LevelRetypeRegion,   LevelRetypeRegion,  LevelRetypeRegion,   LevelRetypeRegion,
    PatternGridRegion,   PaletteRegion,      SpecialRowRegion,    SpacingXPlusRegion,
    SpacingXMinusRegion, SpacingYPlusRegion, SpacingYMinusRegion, OffsetXPlusRegion,
    OffsetXMinusRegion,  OffsetYPlusRegion,  OffsetYMinusRegion,  ChooserRegion,
    ChooserRegion,       ClearAllHelpRegion, SaveRegion,          OpenRegion};

int randomIn(std::mt19937 &random, int first, int last) {
  return first + static_cast<int>(random() % static_cast<unsigned>(last - first + 1));
}

// The first fault of the level after an event, or "". Overlaps and bounds only need a new
// look when the bricks changed.
std::string fault(const EditorState &state, const Selection &selection, const Bricks &bricks,
                  bool bricksChanged) {
  if (state.brickCount < 0 || state.brickCount > BrickSlots)
    return "brickCount " + std::to_string(state.brickCount);
  EditorState box = state;
  updatePatternBox(selection, box);
  if (std::memcmp(&box, &state, sizeof(EditorState)) != 0)
    return "pattern box out of date";
  for (int32_t i = 0; bricksChanged && i < state.brickCount; ++i) {
    const Brick &b = bricks[i];
    if (b.x < LevelLeft || b.y < LevelTop || b.x + BrickWidth > LevelRight ||
        b.y + BrickHeight > LevelBottom || b.type < 1 || b.type > LastBrickType)
      return "brick " + std::to_string(i) + " outside the level area or of a bad type";
    for (int32_t j = i + 1; j < state.brickCount; ++j) {
      if (bricksOverlap(b.x, b.y, bricks[j].x, bricks[j].y))
        return "brick " + std::to_string(i) + " overlaps brick " + std::to_string(j);
    }
  }
  return "";
}

void runSession(unsigned seed, int events) {
  std::mt19937 random(seed);
  Bricks bricks{};
  Selection selection{};
  resetSelection(selection);
  int32_t type = 1;
  EditorState state = initialEditorState();
  std::string helpText;
  Bricks checked = bricks;
  int32_t checkedCount = 0, mostBricks = 0;
  for (int event = 0; event < events; ++event) {
    const Region &r = random() % 2 == 0 ? WholeScreen : targets[random() % std::size(targets)];
    const int x = randomIn(random, r.left - 1, r.right + 1);
    const int y = randomIn(random, r.top - 1, r.bottom + 1);
    const int kind = static_cast<int>(random() % 10);
    const int button = random() % 3 == 0 ? ButtonRight : ButtonLeft;
    if (kind < 2) {
      handleButtonPress(x, y, button, selection, type, state, bricks);
    } else if (kind < 4) {
      handleButtonRelease(x, y, button, selection, type, state, bricks);
      state.mode = Editing; // the dialogs and the browser lie outside these handlers
    } else if (kind < 9) {
      handleMotion(x, y, selection, type, state, bricks, helpText);
    } else { // the wheel, as the event loop steps it
      type = random() % 2 == 0 ? type % LastBrickType + 1 : (type <= 1 ? LastBrickType : type - 1);
    }
    const bool changed =
        checkedCount != state.brickCount || std::memcmp(&checked, &bricks, sizeof(Bricks)) != 0;
    ASSERT_EQ(fault(state, selection, bricks, changed), "")
        << "seed " << seed << ", event " << event << " at " << x << "," << y << " kind " << kind;
    checked = bricks;
    checkedCount = state.brickCount;
    mostBricks = std::max(mostBricks, checkedCount);
  }
  // The session must really lay bricks for the checks to mean something.
  EXPECT_GT(mostBricks, 20) << "seed " << seed;
}

} // namespace

TEST(EditingProperty, RandomSessionsKeepTheLevelSound) {
  for (unsigned seed = 1; seed <= 6; ++seed)
    runSession(seed, 50000);
}

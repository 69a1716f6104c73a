// Every click region of the screen layout, walked once from its single definition: a release
// just inside each side acts, one just outside does not, and the help line over the region
// shows its own text up to its edges. Where the regions lie on screen is pinned by the frame
// sessions, which draw from the same boxes, and by the sessions' clicks.

#include "editor/editor.h"
#include "editor/screen_layout.h"
#include "help/help_texts.h"
#include "tools/button_release.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

constexpr Region NoHelp{0, 0, -1, -1};
constexpr int Both = ButtonLeft | ButtonRight;

const struct Clickable {
  const char *name;
  Region region;
  int buttons; // ButtonLeft, ButtonRight or both
  Region help; // where the help line names it
} Regions[] = {
    {"pattern grid", PatternGridRegion, Both, PatternGridRegion},
    {"palette", PaletteRegion, Both, PaletteRegion},
    {"special row", SpecialRowRegion, Both, SpecialRowRegion},
    {"L plus", SpacingXPlusRegion, Both, SpacingXPlusRegion},
    {"L minus", SpacingXMinusRegion, Both, SpacingXMinusRegion},
    {"H plus", SpacingYPlusRegion, Both, SpacingYPlusRegion},
    {"H minus", SpacingYMinusRegion, Both, SpacingYMinusRegion},
    {"Pos X plus", OffsetXPlusRegion, Both, OffsetXPlusRegion},
    {"Pos X minus", OffsetXMinusRegion, Both, OffsetXMinusRegion},
    {"Pos Y plus", OffsetYPlusRegion, Both, OffsetYPlusRegion},
    {"Pos Y minus", OffsetYMinusRegion, Both, OffsetYMinusRegion},
    {"chooser", ChooserRegion, ButtonLeft, ChooserRegion},
    {"clear all", ClearAllClickRegion, ButtonLeft, ClearAllHelpRegion},
    {"save", SaveRegion, ButtonLeft, SaveRegion},
    {"open", OpenRegion, ButtonLeft, NoHelp},
    {"test", TestRegion, ButtonLeft, TestRegion},
    {"end of the drag", LevelAreaRegion, ButtonLeft, NoHelp},
    {"retype", LevelRetypeRegion, ButtonRight, NoHelp},
};

// The middle of each side of a region, each with the point just beyond it.
std::vector<std::pair<Point, Point>> sides(const Region &r) {
  const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  return {{{r.left, y}, {r.left - 1, y}},
          {{r.right, y}, {r.right + 1, y}},
          {{x, r.top}, {x, r.top - 1}},
          {{x, r.bottom}, {x, r.bottom + 1}}};
}

// An editor where every release in a region changes something: gaps and offsets off their
// bounds, no type, a cell besides (0,0), the drag on, and bricks straddling each side of the
// level area so that a point just beyond a side still lies strictly inside a brick.
Editor startingLevel() {
  Editor level;
  level.selection[cellIndex(5, 5)] = 1;
  level.currentBrickType = 0;
  level.state.spacingX = level.state.spacingY = level.state.offsetX = level.state.offsetY = 5;
  level.state.painting = 1;
  updatePatternBox(level.selection, level.state);
  for (const auto &[inside, outside] : sides(LevelRetypeRegion))
    level.bricks[level.state.brickCount++] = Brick{inside.x - 20, inside.y - 10, 3};
  return level;
}

// Changed the editor, or asked the caller to act.
bool changedBy(const Editor &level, Point at, int button) {
  Editor after = level;
  return handleButtonRelease(at.x, at.y, button, after.selection, after.currentBrickType,
                             after.state, after.bricks) != ReleaseDone ||
         level.state != after.state || level.currentBrickType != after.currentBrickType ||
         level.selection != after.selection || level.bricks != after.bricks;
}

TEST(Regions, AReleaseJustInsideEachSideActsAndJustOutsideDoesNotAndTheHelpLineNamesIt) {
  const Editor level = startingLevel();
  const EditorState state = initialEditorState();
  std::set<std::string> texts;
  for (const Clickable &c : Regions) {
    for (int button : {ButtonLeft, ButtonRight})
      for (const auto &[inside, outside] : sides(c.region)) {
        SCOPED_TRACE(testing::Message()
                     << c.name << ", button " << button << " at " << inside.x << "," << inside.y);
        // A button a region does not take does nothing there, but over the level area, where
        // it has a region of its own.
        const bool takes = (c.buttons & button) != 0;
        EXPECT_TRUE(changedBy(level, inside, button) == takes ||
                    (!takes && contains(LevelRetypeRegion, inside.x, inside.y)));
        EXPECT_TRUE(!takes || !changedBy(level, outside, button));
      }
    if (c.help.right < c.help.left)
      continue;
    const std::string text = helpTextAt(c.help.left, c.help.top, 1, state);
    EXPECT_FALSE(text.empty()) << c.name;
    texts.insert(text);
    for (const auto &[inside, outside] : sides(c.help)) {
      EXPECT_EQ(helpTextAt(inside.x, inside.y, 1, state), text) << c.name;
      EXPECT_NE(helpTextAt(outside.x, outside.y, 1, state), text) << c.name;
    }
  }
  EXPECT_EQ(texts.size(), std::size(Regions) - 3) << "two regions share a help text";
}

} // namespace

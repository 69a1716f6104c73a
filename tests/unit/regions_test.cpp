// Every click region of the screen layout, walked once from its single definition: a release
// just inside each side acts, one just outside does not, and the help line shows the region's
// own text up to its edges. Where the regions lie on screen is pinned by the frame tests and
// the sessions.

#include "editor/screen_layout.h"
#include "help/help_texts.h"
#include "tools/button_release.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr Region NoHelp{0, 0, -1, -1};
constexpr int Both = ButtonLeft | ButtonRight;

struct Clickable {
  const char *name;
  Region region;
  int buttons; // ButtonLeft, ButtonRight or both
  Region help; // where the help line names it
};

const Clickable Regions[] = {
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
    {"end of the drag", LevelAreaRegion, ButtonLeft, NoHelp},
    {"retype", LevelRetypeRegion, ButtonRight, NoHelp},
};

struct Side {
  Point inside, outside;
};

// The middle of each side of a region, and the point just beyond it.
std::vector<Side> sides(const Region &r) {
  const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  return {{{r.left, midY}, {r.left - 1, midY}},
          {{r.right, midY}, {r.right + 1, midY}},
          {{midX, r.top}, {midX, r.top - 1}},
          {{midX, r.bottom}, {midX, r.bottom + 1}}};
}

// A level where every release in a region changes something: gaps and offsets off their
// bounds, no type, a cell besides (0,0), the drag on, and bricks straddling each side of the
// level area so that a point just beyond a side is still strictly inside a brick.
struct Level {
  Bricks bricks{};
  Selection selection{};
  int32_t type = 0;
  EditorState state = initialEditorState();

  Level() {
    selection[cellIndex(0, 0)] = selection[cellIndex(5, 5)] = 1;
    state.spacingX = state.spacingY = state.offsetX = state.offsetY = 5;
    state.painting = 1;
    updatePatternBox(selection, state);
    for (const Side &side : sides(LevelRetypeRegion))
      bricks[state.brickCount++] = Brick{side.inside.x - 20, side.inside.y - 10, 3};
  }
  void release(Point at, int button) {
    handleButtonRelease(at.x, at.y, button, selection, type, state, bricks);
  }
  bool operator==(const Level &o) const {
    return std::memcmp(&state, &o.state, sizeof state) == 0 && type == o.type &&
           selection == o.selection &&
           std::memcmp(bricks.data(), o.bricks.data(), sizeof bricks) == 0;
  }
};

TEST(Regions, AReleaseJustInsideEachSideActsAndJustOutsideDoesNot) {
  for (const Clickable &c : Regions)
    for (int button : {ButtonLeft, ButtonRight})
      for (const Side &side : sides(c.region)) {
        SCOPED_TRACE(testing::Message() << c.name << ", button " << button << " at "
                                        << side.inside.x << "," << side.inside.y);
        const Level start;
        Level inside = start, outside = start;
        inside.release(side.inside, button);
        outside.release(side.outside, button);
        if ((c.buttons & button) != 0) {
          EXPECT_FALSE(inside == start);
          EXPECT_TRUE(outside == start);
        } else if (!contains(LevelRetypeRegion, side.inside.x, side.inside.y)) {
          // Over the level area the other button has a region of its own.
          EXPECT_TRUE(inside == start);
        }
      }
}

TEST(Regions, TheHelpLineShowsEachRegionsOwnTextUpToItsEdges) {
  const EditorState state = initialEditorState();
  std::set<std::string> texts;
  for (const Clickable &c : Regions) {
    if (c.help.right < c.help.left)
      continue;
    const std::string text =
        helpTextAt((c.help.left + c.help.right) / 2, (c.help.top + c.help.bottom) / 2, 1, state);
    EXPECT_FALSE(text.empty()) << c.name;
    texts.insert(text);
    for (const Side &side : sides(c.help)) {
      EXPECT_EQ(helpTextAt(side.inside.x, side.inside.y, 1, state), text) << c.name;
      EXPECT_NE(helpTextAt(side.outside.x, side.outside.y, 1, state), text) << c.name;
    }
  }
  EXPECT_EQ(texts.size(), std::size(Regions) - 3) << "two regions share a text";
}

} // namespace

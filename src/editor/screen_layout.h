#pragma once
// Where things are on the 1024 by 768 screen. The click handlers, the help line and the
// drawing all take their regions from here, so a click region and the help over it agree.
// Hit regions are inclusive on all four sides; several start one pixel inside the drawn box.

#include "editor/editor_state.h"

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;

// The level's playing field as drawn: x 24..775, y 30..469.
constexpr int LevelLeft = 24;
constexpr int LevelTop = 30;
constexpr int LevelWidth = 752;
constexpr int LevelHeight = 440;
constexpr int LevelRight = LevelLeft + LevelWidth;  // 776, one past the last column
constexpr int LevelBottom = LevelTop + LevelHeight; // 470, one past the last row

struct Region {
  int left;
  int top;
  int right;
  int bottom;
};

constexpr bool contains(const Region &region, int x, int y) {
  return x >= region.left && x <= region.right && y >= region.top && y <= region.bottom;
}

// The right click retypes or erases bricks over the level area and one pixel beyond it.
constexpr Region LevelRetypeRegion{24, 30, 776, 470};
// A left release here ends the placement drag.
constexpr Region LevelAreaRegion{24, 30, 775, 469};

// Pattern grid: cells 21 by 13 counted from (24, 480), drawn 20 by 12.
constexpr int PatternGridLeft = 24;
constexpr int PatternGridTop = 480;
constexpr int GridCellStepX = 21;
constexpr int GridCellStepY = 13;
constexpr Region PatternGridRegion{25, 481, 401, 765};

// Palette: cells 45 by 25 counted from (800, 60); the special row sits at y 260.
constexpr int PaletteLeft = 800;
constexpr int PaletteTop = 60;
constexpr int PaletteStepX = 45;
constexpr int PaletteStepY = 25;
constexpr int SpecialRowTop = 260;
constexpr Region PaletteRegion{801, 61, 934, 234};
constexpr Region SpecialRowRegion{801, 261, 934, 284};

// Spacing and offset steppers: the plus column, then the minus column.
constexpr Region SpacingXPlusRegion{475, 480, 491, 496};
constexpr Region SpacingXMinusRegion{495, 480, 511, 496};
constexpr Region SpacingYPlusRegion{475, 500, 491, 516};
constexpr Region SpacingYMinusRegion{495, 500, 511, 516};
constexpr Region OffsetXPlusRegion{475, 540, 491, 556};
constexpr Region OffsetXMinusRegion{495, 540, 511, 556};
constexpr Region OffsetYPlusRegion{475, 560, 491, 576};
constexpr Region OffsetYMinusRegion{495, 560, 511, 576};

// Direction chooser: 3 by 3 cells 21 by 13 counted from (570, 540).
constexpr int ChooserLeft = 570;
constexpr int ChooserTop = 540;
constexpr Region ChooserRegion{571, 541, 632, 578};

// The three buttons, drawn as 130 by 25 boxes at x 800.
constexpr int ButtonBoxLeft = 800;
constexpr int ButtonBoxWidth = 130;
constexpr int ButtonBoxHeight = 25;
constexpr int ClearAllTop = 350;
constexpr int SaveTop = 380;
constexpr int OpenTop = 410;
// The lowest five rows of "Effacer tout !" do not take clicks, though its help shows there.
constexpr Region ClearAllClickRegion{801, 351, 929, 369};
constexpr Region ClearAllHelpRegion{801, 351, 929, 374};
constexpr Region SaveRegion{801, 381, 929, 404};
constexpr Region OpenRegion{801, 411, 929, 434};

// Dialog box, drawn at (250, 270) 500 by 210; its help and the browser's picks start inside.
constexpr int DialogLeft = 250;
constexpr int DialogTop = 270;
constexpr int DialogWidth = 500;
constexpr int DialogHeight = 210;
constexpr Region DialogRegion{251, 271, 749, 479};

// Browser list: up to ten rows 20 pixels apart, the first drawn at (260, 275).
constexpr int BrowserRowsShown = 10;
constexpr int BrowserRowLeft = 260;
constexpr int BrowserRowTop = 275;
constexpr int BrowserRowStep = 20;
constexpr Region BrowserPickRegion{251, 276, 749, 479};

// Where a press or drag lays the pattern at the pointer: the whole pattern box fits the level.
constexpr bool inPlacementArea(int x, int y, const EditorState &state) {
  return x >= LevelLeft && y >= LevelTop && x <= LevelRight - state.patternWidth &&
         y <= LevelBottom - state.patternHeight;
}

// Two bricks overlap when they are less than a brick apart both across and down; touching
// bricks do not overlap.
// Computed in 64 bits: a level file may hold positions at the ends of the 32-bit range.
constexpr bool bricksOverlap(int x, int y, int otherX, int otherY) {
  const int64_t dx = int64_t{x} - otherX;
  const int64_t dy = int64_t{y} - otherY;
  return -BrickWidth < dx && dx < BrickWidth && -BrickHeight < dy && dy < BrickHeight;
}

// A brick is hit only strictly inside: its top row and left column of pixels do not count.
constexpr bool brickHit(const Brick &brick, int x, int y) {
  return brick.x < x && int64_t{x} < int64_t{brick.x} + BrickWidth && brick.y < y &&
         int64_t{y} < int64_t{brick.y} + BrickHeight;
}

// Slot of the first brick in use hit by (x, y), or -1.
int brickUnder(const Bricks &bricks, int32_t brickCount, int x, int y);

// Cell of the pattern grid under a point of PatternGridRegion: column 0..17, row 0..21.
constexpr int patternGridColumnAt(int x) {
  return (x - PatternGridLeft) / GridCellStepX;
}
constexpr int patternGridRowAt(int y) {
  return (y - PatternGridTop) / GridCellStepY;
}

// Brick type under a point of PaletteRegion (1..21) or of SpecialRowRegion (22..24).
constexpr int32_t paletteTypeAt(int x, int y) {
  return (x - PaletteLeft) / PaletteStepX + 3 * ((y - PaletteTop) / PaletteStepY) + 1;
}
constexpr int32_t specialTypeAt(int x) {
  return (x - PaletteLeft) / PaletteStepX + 22;
}

// Direction picked by a point of ChooserRegion: -1, 0 or +1 on each axis.
constexpr int chooserDirectionXAt(int x) {
  return (x - ChooserLeft) / GridCellStepX - 1;
}
constexpr int chooserDirectionYAt(int y) {
  return (y - ChooserTop) / GridCellStepY - 1;
}

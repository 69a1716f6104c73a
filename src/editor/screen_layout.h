#pragma once
// Where things are on the 1024 by 768 screen. Every region is one box or one grid of cells,
// defined here once; the click regions, the help regions and the drawing positions are all
// derived from it, so that moving a region is one edit and a click region and the help over it
// cannot drift apart. Hit regions are inclusive on all four sides.

#include "editor/editor_state.h"
#include "level/geometry.h"

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;

// A grid of equal cells counted from (left, top): cell (column, row) starts at
// (left + stepX * column, top + stepY * row). Cells are drawn a pixel smaller than their step.
struct CellGrid {
  int left;
  int top;
  int stepX;
  int stepY;
  int columns;
  int rows;

  constexpr Box bounds() const { return Box{left, top, stepX * columns, stepY * rows}; }
  // A cell as drawn: one pixel short of its step, which leaves the gap between cells.
  constexpr Box cell(int column, int row) const {
    return Box{cellX(column), cellY(row), stepX - 1, stepY - 1};
  }
  constexpr Region region() const { return clickRegion(bounds()); }
  constexpr int cellX(int column) const { return left + stepX * column; }
  constexpr int cellY(int row) const { return top + stepY * row; }
  // The cell under a point of region().
  constexpr int columnAt(int x) const { return (x - left) / stepX; }
  constexpr int rowAt(int y) const { return (y - top) / stepY; }
};

// Mirror placement reflects bricks about the field's vertical centre line, x 400: a brick at x
// covers [x, x + 40) and its twin [760 - x, 800 - x).
constexpr int LevelCentreX = LevelLeft + LevelWidth / 2;
constexpr int mirroredX(int x) {
  return 2 * LevelCentreX - BrickWidth - x;
}
// A left release here ends the placement drag.
constexpr Region LevelAreaRegion = pixelsOf(LevelBox);
// The right click retypes or erases bricks over the level area and one pixel beyond it.
constexpr Region LevelRetypeRegion{LevelLeft, LevelTop, LevelRight, LevelBottom};

// Pattern grid: cells 21 by 13, drawn 20 by 12.
constexpr CellGrid PatternGrid{24, 480, 21, 13, GridColumns, GridRows};
constexpr Region PatternGridRegion = PatternGrid.region();

// Chooser of the relative-placement direction: 3 by 3 cells like the pattern grid's; the centre
// cell is direction (0, 0).
constexpr CellGrid Chooser{570, 540, 21, 13, 3, 3};
constexpr Region ChooserRegion = Chooser.region();

// Palette: brick sprites in cells 45 by 25, types 1..21 in seven rows of three, and the three
// special types in a row of their own 25 pixels below where an eighth row would be.
constexpr CellGrid Palette{800, 60, 45, 25, 3, 7};
constexpr CellGrid SpecialRow{800, 260, 45, 25, 3, 1};
constexpr Region PaletteRegion = Palette.region();
constexpr Region SpecialRowRegion = SpecialRow.region();
// Column headings 1, 2, 3, sheet digits centred over their 40-pixel columns.
constexpr int PaletteHeadingTop = 37;
constexpr int PaletteHeadingInset = (BrickWidth - 16) / 2;

// Top-left corner of a palette entry.
constexpr Point palettePosition(int32_t type) {
  if (type > LastOrdinaryType)
    return Point{SpecialRow.cellX(type - LastOrdinaryType - 1), SpecialRow.top};
  return Point{Palette.cellX((type - 1) % Palette.columns),
               Palette.cellY((type - 1) / Palette.columns)};
}
// Brick type under a point of PaletteRegion (1..21) or of SpecialRowRegion (22..24).
constexpr int32_t paletteTypeAt(int x, int y) {
  return Palette.columnAt(x) + Palette.columns * Palette.rowAt(y) + 1;
}
constexpr int32_t specialTypeAt(int x) {
  return SpecialRow.columnAt(x) + LastOrdinaryType + 1;
}

// The three buttons, 130 by 25, labelled 10 pixels in from their left edge.
constexpr int ButtonLabelInset = 10;
constexpr Box ClearAllBox{800, 350, 130, 25};
constexpr Box SaveBox{800, 380, 130, 25};
constexpr Box OpenBox{800, 410, 130, 25};
constexpr Box TestBox{800, 440, 130, 25};
// The lowest five rows of "Effacer tout !" do not take clicks, though its help shows there.
constexpr Region ClearAllHelpRegion = clickRegion(ClearAllBox);
constexpr Region ClearAllClickRegion{ClearAllHelpRegion.left, ClearAllHelpRegion.top,
                                     ClearAllHelpRegion.right, ClearAllHelpRegion.bottom - 5};
constexpr Region SaveRegion = clickRegion(SaveBox);
constexpr Region OpenRegion = clickRegion(OpenBox);
constexpr Region TestRegion = clickRegion(TestBox);

// The spacing and offset panel: four rows, each with a label, a plus and a minus control and a
// counter. A control responds over a 17 by 17 box; its sign is drawn 14 by 14 one pixel inside.
constexpr int StepperSize = 17;
constexpr int StepperSignInset = 1;
constexpr int StepperSignSize = 14;
constexpr int StepperSignThickness = 4;
constexpr int PlusColumnLeft = 475;
constexpr int MinusColumnLeft = 495;
constexpr int CounterLeft = 515;
constexpr int SignedCounterLeft = 531;
// A signed counter's minus bar, placed from its first digit's top-left corner.
constexpr Box MinusBarFromDigit{-8, 7, 6, 2};
// Labels stand five pixels above their row.
constexpr int PanelLabelRise = 5;
struct PanelRow {
  const char *label;
  int labelX;
  int top;
};
constexpr PanelRow SpacingXRow{"L :", 440, 480};
constexpr PanelRow SpacingYRow{"H :", 440, 500};
constexpr PanelRow OffsetXRow{"Pos X :", 410, 540};
constexpr PanelRow OffsetYRow{"Pos Y :", 410, 560};
constexpr Box plusBox(const PanelRow &row) {
  return Box{PlusColumnLeft, row.top, StepperSize, StepperSize};
}
constexpr Box minusBox(const PanelRow &row) {
  return Box{MinusColumnLeft, row.top, StepperSize, StepperSize};
}
constexpr Region plusRegion(const PanelRow &row) {
  return pixelsOf(plusBox(row));
}
constexpr Region minusRegion(const PanelRow &row) {
  return pixelsOf(minusBox(row));
}
constexpr Region SpacingXPlusRegion = plusRegion(SpacingXRow);
constexpr Region SpacingXMinusRegion = minusRegion(SpacingXRow);
constexpr Region SpacingYPlusRegion = plusRegion(SpacingYRow);
constexpr Region SpacingYMinusRegion = minusRegion(SpacingYRow);
constexpr Region OffsetXPlusRegion = plusRegion(OffsetXRow);
constexpr Region OffsetXMinusRegion = minusRegion(OffsetXRow);
constexpr Region OffsetYPlusRegion = plusRegion(OffsetYRow);
constexpr Region OffsetYMinusRegion = minusRegion(OffsetYRow);

// The dialog of the name-entry and browsing modes.
constexpr Box DialogBox{250, 270, 500, 210};
constexpr Region DialogRegion = clickRegion(DialogBox);
constexpr int DialogTextLeft = DialogBox.x + 10;
constexpr int LevelNamePromptTop = 275;
constexpr int LevelNameFieldTop = 295;
constexpr int AuthorPromptTop = 325;
constexpr int AuthorFieldTop = 345;

// Browser list: up to ten rows 20 pixels apart, the first drawn at (260, 275). Picks start one
// pixel below the first row's top and reach to the dialog's last row.
constexpr int BrowserRowsShown = 10;
constexpr int BrowserRowLeft = DialogTextLeft;
constexpr int BrowserRowTop = 275;
constexpr int BrowserRowStep = 20;
constexpr Region BrowserPickRegion{DialogRegion.left, BrowserRowTop + 1, DialogRegion.right,
                                   DialogRegion.bottom};
// Row of the browser at height y, counted from the first row; the division truncates toward
// zero, so the strip just above the first row counts as row 0.
constexpr int browserRowAt(int y) {
  return (y - BrowserRowTop) / BrowserRowStep;
}

// The level under the pointer, previewed beside the names: its field at quarter scale, each
// brick a 10 by 5 miniature, against the dialog's right side with the names' margin, which
// leaves the names 292 pixels; the author and brick count go under it.
constexpr int BrowserPreviewScale = 4;
constexpr Box BrowserPreviewField{
    DialogBox.x + DialogBox.w - (DialogTextLeft - DialogBox.x) - LevelWidth / BrowserPreviewScale,
    BrowserRowTop + 5, LevelWidth / BrowserPreviewScale, LevelHeight / BrowserPreviewScale};
constexpr int BrowserPreviewCaptionTop = BrowserPreviewField.y + BrowserPreviewField.h + 5;
// The caption may use the column from the field's left edge to the dialog's right edge.
constexpr Box BrowserPreviewColumn{BrowserPreviewField.x, BrowserPreviewCaptionTop,
                                   DialogBox.x + DialogBox.w - BrowserPreviewField.x,
                                   DialogBox.y + DialogBox.h - BrowserPreviewCaptionTop};

constexpr Point HelpLinePosition{10, 5};

// Where a press or drag lays the pattern at the pointer: the whole pattern box fits the level.
constexpr bool inPlacementArea(int x, int y, const EditorState &state) {
  return x >= LevelLeft && y >= LevelTop && x <= LevelRight - state.patternWidth &&
         y <= LevelBottom - state.patternHeight;
}

// Slot of the first brick in use hit by (x, y), or -1.
int brickUnder(const Bricks &bricks, int32_t brickCount, int x, int y);

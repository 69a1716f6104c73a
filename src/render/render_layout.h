#pragma once
// Drawing-only positions: labels, counters, stepper signs, headings and texts. Regions that
// clicks share live in editor/screen_layout.h.

#include "editor/screen_layout.h"

// Palette: column headings 1, 2, 3 centred over their 40-pixel columns.
constexpr int PaletteHeadingTop = 37;
constexpr int PaletteHeadingInset = (BrickWidth - 16) / 2; // 12
constexpr int PaletteColumns = 3;

// Top-left corner of a palette entry: types 1..21 in rows of three, 22..24 in a row of their
// own 25 pixels below where an eighth row would be.
struct Point {
  int x;
  int y;
};
constexpr Point palettePosition(int32_t type) {
  if (type > LastOrdinaryType)
    return Point{PaletteLeft + PaletteStepX * (type - LastOrdinaryType - 1), SpecialRowTop};
  return Point{PaletteLeft + PaletteStepX * ((type - 1) % PaletteColumns),
               PaletteTop + PaletteStepY * ((type - 1) / PaletteColumns)};
}

// Button labels stand 10 pixels in from their box, at its top.
constexpr int ButtonLabelLeft = 810;

constexpr int HelpLineLeft = 10;
constexpr int HelpLineTop = 5;

// Panel labels and their counters.
struct PanelLabel {
  const char *text;
  int x;
  int y;
};
constexpr PanelLabel PanelLabels[] = {
    {"L :", 440, 475}, {"H :", 440, 495}, {"Pos X :", 410, 535}, {"Pos Y :", 410, 555}};
constexpr int CounterLeft = 515;
constexpr int SpacingXCounterTop = 480;
constexpr int SpacingYCounterTop = 500;
constexpr int SignedCounterLeft = 531;
constexpr int OffsetXCounterTop = 540;
constexpr int OffsetYCounterTop = 560;

// Stepper signs: a 14 by 14 plus and a 14-wide minus, 4 pixels thick, for rows whose top is
// given below.
constexpr int PlusLeft = 476;
constexpr int MinusLeft = 496;
constexpr int SignSize = 14;
constexpr int SignThickness = 4;
constexpr int SpacingStepperRows[] = {481, 501};
constexpr int OffsetStepperRows[] = {541, 561};

// Chooser cells are centred on (591, 553).
constexpr int ChooserCentreX = ChooserLeft + GridCellStepX;
constexpr int ChooserCentreY = ChooserTop + GridCellStepY;

// Dialog texts.
constexpr int DialogTextLeft = 260;
constexpr int LevelNamePromptTop = 275;
constexpr int LevelNameFieldTop = 295;
constexpr int AuthorPromptTop = 325;
constexpr int AuthorFieldTop = 345;
constexpr char LevelNamePrompt[] = "Saisissez le nom de votre niveau :";
constexpr char AuthorPrompt[] = "Saisissez votre nom :";

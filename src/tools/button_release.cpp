#include "tools/button_release.h"

#include "editor/screen_layout.h"

#include <algorithm>

namespace {

// Retypes the first brick hit strictly inside, or erases it when no type is chosen. Erasing
// moves the last brick in use into the freed slot, keeping the bricks in one run from slot 0.
bool retypeOrErase(int x, int y, int32_t currentBrickType, EditorState &state, Bricks &bricks) {
  const int32_t inUse = bricksInUse(state.brickCount);
  const int hit = brickUnder(bricks, inUse, x, y);
  if (hit < 0)
    return false;
  if (currentBrickType >= 1) {
    bricks[hit].type = currentBrickType;
  } else {
    bricks[hit] = bricks[inUse - 1];
    state.brickCount = inUse - 1;
  }
  return true;
}

// Left inverts one cell; right selects the rectangle from cell (0, 0) to the clicked cell.
void editPatternGrid(int x, int y, int button, Selection &selection, EditorState &state) {
  const int column = PatternGrid.columnAt(x);
  const int row = PatternGrid.rowAt(y);
  if (button == ButtonLeft) {
    uint8_t &cell = selection[cellIndex(column, row)];
    cell = cell == 0 ? 1 : 0;
  } else {
    selection.fill(0);
    for (int i = 0; i <= column; ++i) {
      for (int j = 0; j <= row; ++j)
        selection[cellIndex(i, j)] = 1;
    }
  }
  updatePatternBox(selection, state);
}

// Picking the ordinary type already chosen drops it (erase mode); special types never do.
void pickOrdinaryType(int x, int y, int32_t &currentBrickType) {
  const int32_t type = paletteTypeAt(x, y);
  currentBrickType = currentBrickType == type ? 0 : type;
}

// A plus or minus control of the panel: the field it steps, and the one bound its direction
// can cross. The spacings change the pattern's size; the offsets do not.
struct Stepper {
  Region region;
  int32_t EditorState::*field;
  bool upwards;
  int32_t bound;
  bool reshapesPattern;
};

constexpr Stepper Steppers[] = {
    {SpacingXPlusRegion, &EditorState::spacingX, true, MaxSpacingX, true},
    {SpacingXMinusRegion, &EditorState::spacingX, false, 0, true},
    {SpacingYPlusRegion, &EditorState::spacingY, true, MaxSpacingY, true},
    {SpacingYMinusRegion, &EditorState::spacingY, false, 0, true},
    {OffsetXPlusRegion, &EditorState::offsetX, true, MaxOffsetX, false},
    {OffsetXMinusRegion, &EditorState::offsetX, false, -MaxOffsetX, false},
    {OffsetYPlusRegion, &EditorState::offsetY, true, MaxOffsetY, false},
    {OffsetYMinusRegion, &EditorState::offsetY, false, -MaxOffsetY, false},
};

int stepOf(int button) {
  return button == ButtonLeft ? 1 : 10;
}

void clearAll(Selection &selection, EditorState &state) {
  state.spacingX = state.spacingY = 0;
  state.brickCount = 0;
  state.offsetX = state.offsetY = 0;
  state.relativeX = state.relativeY = 0;
  resetSelection(selection);
  updatePatternBox(selection, state);
}

} // namespace

int handleButtonRelease(int x, int y, int button, Selection &selection, int32_t &currentBrickType,
                        EditorState &state, Bricks &bricks) {
  if (button != ButtonLeft && button != ButtonRight)
    return ReleaseDone;
  const bool left = button == ButtonLeft;

  // A right release on a brick acts on it and nothing else; elsewhere it goes on below.
  if (!left && contains(LevelRetypeRegion, x, y) &&
      retypeOrErase(x, y, currentBrickType, state, bricks))
    return ReleaseDone;

  if (contains(PatternGridRegion, x, y))
    editPatternGrid(x, y, button, selection, state);
  if (contains(PaletteRegion, x, y))
    pickOrdinaryType(x, y, currentBrickType);
  if (contains(SpecialRowRegion, x, y))
    currentBrickType = specialTypeAt(x);
  if (left && contains(LevelAreaRegion, x, y))
    state.painting = 0;

  const int step = stepOf(button);
  for (const Stepper &stepper : Steppers) {
    if (!contains(stepper.region, x, y))
      continue;
    int32_t &value = state.*stepper.field;
    value = stepper.upwards ? std::min(value + step, stepper.bound)
                            : std::max(value - step, stepper.bound);
    if (stepper.reshapesPattern)
      updatePatternBox(selection, state);
  }

  if (!left)
    return ReleaseDone;
  if (contains(ChooserRegion, x, y)) {
    // The centre cell is direction (0, 0).
    state.relativeX = Chooser.columnAt(x) - 1;
    state.relativeY = Chooser.rowAt(y) - 1;
  }
  if (contains(ClearAllClickRegion, x, y))
    clearAll(selection, state);
  if (contains(SaveRegion, x, y))
    state.mode = EnteringLevelName;
  if (contains(OpenRegion, x, y)) {
    state.mode = BrowsingLevels;
    return ReleaseOpenBrowser;
  }
  return contains(TestRegion, x, y) ? ReleaseStartGame : ReleaseDone;
}

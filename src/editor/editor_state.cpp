#include "editor/editor_state.h"

EditorState initialEditorState() {
  EditorState state{};
  state.patternWidth = BrickWidth;
  state.patternHeight = BrickHeight;
  return state;
}

void resetSelection(Selection &selection) {
  selection.fill(0);
  selection[cellIndex(0, 0)] = 1;
}

void updatePatternBox(const Selection &selection, EditorState &state) {
  int minCol = 100, maxCol = -1, minRow = 100, maxRow = -1;
  for (int column = 0; column < GridColumns; ++column) {
    for (int row = 0; row < GridRows; ++row) {
      if (selection[cellIndex(column, row)] == 0)
        continue;
      if (column < minCol)
        minCol = column;
      if (column > maxCol)
        maxCol = column;
      if (row < minRow)
        minRow = row;
      if (row > maxRow)
        maxRow = row;
    }
  }
  if (minCol == 100) {
    state.patternWidth = BrickWidth;
    state.patternMinCol = state.patternMaxCol = 0;
    state.patternHeight = BrickHeight;
    state.patternMinRow = state.patternMaxRow = 0;
    return;
  }
  state.patternWidth = (maxCol - minCol + 1) * (state.spacingX + BrickWidth) - state.spacingX;
  state.patternMinCol = minCol;
  state.patternMaxCol = maxCol;
  state.patternHeight = (maxRow - minRow + 1) * (state.spacingY + BrickHeight) - state.spacingY;
  state.patternMinRow = minRow;
  state.patternMaxRow = maxRow;
}

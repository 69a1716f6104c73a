#include "editor/editor_state.h"

#include <gtest/gtest.h>

namespace {

Selection cells(std::initializer_list<std::pair<int, int>> selected) {
  Selection selection{};
  for (auto [column, row] : selected)
    selection[cellIndex(column, row)] = 1;
  return selection;
}

TEST(PatternBox, InitialStateIsTheBoxOfCellOrigin) {
  EditorState state = initialEditorState();
  Selection selection{};
  resetSelection(selection);
  EditorState computed = state;
  updatePatternBox(selection, computed);
  EXPECT_EQ(state.patternWidth, 40);
  EXPECT_EQ(state.patternHeight, 20);
  EXPECT_EQ(computed.patternWidth, state.patternWidth);
  EXPECT_EQ(computed.patternHeight, state.patternHeight);
  EXPECT_EQ(state.mode, Editing);
  EXPECT_EQ(state.brickCount, 0);
}

TEST(PatternBox, SpacingCountsBetweenColumnsOnly) {
  EditorState state = initialEditorState();
  state.spacingX = 5;
  updatePatternBox(cells({{0, 0}, {2, 0}}), state);
  EXPECT_EQ(state.patternWidth, 130);
  EXPECT_EQ(state.patternMinCol, 0);
  EXPECT_EQ(state.patternMaxCol, 2);
  EXPECT_EQ(state.patternHeight, 20);
}

TEST(PatternBox, EmptyGridGivesOneCellAtOrigin) {
  EditorState state = initialEditorState();
  state.spacingX = 30;
  state.patternMaxCol = 7;
  state.patternMaxRow = 9;
  updatePatternBox(Selection{}, state);
  EXPECT_EQ(state.patternWidth, 40);
  EXPECT_EQ(state.patternHeight, 20);
  EXPECT_EQ(state.patternMinCol, 0);
  EXPECT_EQ(state.patternMaxCol, 0);
  EXPECT_EQ(state.patternMinRow, 0);
  EXPECT_EQ(state.patternMaxRow, 0);
}

TEST(PatternBox, LastCellAloneIgnoresSpacing) {
  EditorState state = initialEditorState();
  state.spacingX = 300;
  state.spacingY = 200;
  updatePatternBox(cells({{17, 21}}), state);
  EXPECT_EQ(state.patternWidth, 40);
  EXPECT_EQ(state.patternHeight, 20);
  EXPECT_EQ(state.patternMinCol, 17);
  EXPECT_EQ(state.patternMaxCol, 17);
  EXPECT_EQ(state.patternMinRow, 21);
  EXPECT_EQ(state.patternMaxRow, 21);
}

TEST(PatternBox, EmptyColumnsInsideTheBoxCount) {
  EditorState state = initialEditorState();
  state.spacingX = 7;
  state.spacingY = 3;
  updatePatternBox(cells({{2, 5}, {6, 5}, {4, 8}}), state);
  EXPECT_EQ(state.patternWidth, 5 * 40 + 4 * 7);
  EXPECT_EQ(state.patternHeight, 4 * 20 + 3 * 3);
  EXPECT_EQ(state.patternMinRow, 5);
  EXPECT_EQ(state.patternMaxRow, 8);
}

} // namespace

#pragma once
// The pieces of editor state the mouse handlers work on, with one-line calls of each handler.

#include "editor/editor_state.h"
#include "help/hover_help.h"
#include "tools/button_press.h"
#include "tools/button_release.h"
#include "tools/place_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using Laid = std::vector<std::array<int32_t, 3>>;

struct TestLevel {
  Bricks bricks{};
  Selection selection{};
  int32_t currentBrickType;
  EditorState state = initialEditorState();
  std::string helpText = "...";

  explicit TestLevel(int32_t type) : currentBrickType(type) { resetSelection(selection); }

  int release(int x, int y, int button) {
    return handleButtonRelease(x, y, button, selection, currentBrickType, state, bricks);
  }
  void press(int x, int y, int button = ButtonLeft) {
    EXPECT_EQ(handleButtonPress(x, y, button, selection, currentBrickType, state, bricks), 1);
  }
  int place(int x, int y) { return placePattern(x, y, selection, currentBrickType, state, bricks); }
  // The help line after a motion to (x, y).
  std::string at(int x, int y) {
    EXPECT_EQ(handleMotion(x, y, selection, currentBrickType, state, bricks, helpText), 1);
    return helpText;
  }
  void add(int x, int y, int type) { bricks[state.brickCount++] = Brick{x, y, type}; }
  void select(std::initializer_list<std::pair<int, int>> cells) {
    selection.fill(0);
    for (auto [column, row] : cells)
      selection[cellIndex(column, row)] = 1;
    updatePatternBox(selection, state);
  }
  Laid laid() const {
    Laid out;
    for (int32_t i = 0; i < std::clamp(state.brickCount, 0, BrickSlots); ++i)
      out.push_back({bricks[i].x, bricks[i].y, bricks[i].type});
    return out;
  }
};

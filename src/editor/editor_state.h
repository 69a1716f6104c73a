#pragma once
// The editor's working state: plain records owned by main and lent to the handlers.

#include "level/brick.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One byte per cell of the pattern grid; non-zero marks the cell selected.
using Selection = std::array<uint8_t, BrickSlots>;

constexpr int cellIndex(int column, int row) {
  return column * GridRows + row;
}

enum EditorMode : int32_t {
  Editing = 0,
  EnteringLevelName = 1,
  EnteringAuthorName = 2,
  BrowsingLevels = 3,
};

// Sixteen signed 32-bit fields in a fixed order.
struct EditorState {
  int32_t painting;
  int32_t mode;
  int32_t spacingX;
  int32_t spacingY;
  int32_t patternWidth;
  int32_t patternHeight;
  int32_t patternMinCol;
  int32_t patternMaxCol;
  int32_t patternMinRow;
  int32_t patternMaxRow;
  int32_t brickCount;
  int32_t offsetX;
  int32_t offsetY;
  int32_t relativeX;
  int32_t relativeY;
  int32_t browserScroll;
};

constexpr bool operator==(const EditorState &a, const EditorState &b) {
  return a.painting == b.painting && a.mode == b.mode && a.spacingX == b.spacingX &&
         a.spacingY == b.spacingY && a.patternWidth == b.patternWidth &&
         a.patternHeight == b.patternHeight && a.patternMinCol == b.patternMinCol &&
         a.patternMaxCol == b.patternMaxCol && a.patternMinRow == b.patternMinRow &&
         a.patternMaxRow == b.patternMaxRow && a.brickCount == b.brickCount &&
         a.offsetX == b.offsetX && a.offsetY == b.offsetY && a.relativeX == b.relativeX &&
         a.relativeY == b.relativeY && a.browserScroll == b.browserScroll;
}
constexpr bool operator!=(const EditorState &a, const EditorState &b) {
  return !(a == b);
}

// Bounds kept by the steppers.
constexpr int32_t MaxSpacingX = 672;
constexpr int32_t MaxSpacingY = 400;
constexpr int32_t MaxOffsetX = 40;
constexpr int32_t MaxOffsetY = 20;

// Button codes handed to the press and release handlers.
constexpr int ButtonLeft = 1;
constexpr int ButtonRight = 2;

// Results of the release handler.
constexpr int ReleaseDone = 1;
constexpr int ReleaseOpenBrowser = 10;
constexpr int ReleaseStartGame = 20;

// All fields zero but the pattern box of the single cell (0, 0): 40 by 20.
EditorState initialEditorState();

// Clears every cell, then selects cell (0, 0): the pattern at start and after "clear all".
void resetSelection(Selection &selection);

// Recomputes patternWidth, patternHeight and the four bounds from the selected cells and the
// spacings. With no cell selected the box is one cell at (0, 0): 40 by 20, bounds 0.
void updatePatternBox(const Selection &selection, EditorState &state);

#pragma once
// The level browser: lists the level files of niv/, scrolls them, finds the name at a point.

#include "editor/editor_state.h"
#include "storage/level_format.h"

#include <cstddef>
#include <string>
#include <vector>

// Rebuilds levelList from the entries of levelDirectory ending in ".lvbk". Returns 1, or 0
// after printing "error opendir" (list kept) or "error closedir" (names found kept).
int listLevels(std::vector<std::string> &levelList,
               const std::string &levelDirectory = LevelDirectory);

// The slice of levelList the browser shows: names [first, end). With ten names or fewer all
// of them whatever browserScroll holds; otherwise ten from browserScroll, cut at the list's
// end. A scroll left out of range (a list rebuilt shorter, a negative value) never reaches
// past either end.
struct VisibleNames {
  std::size_t first;
  std::size_t end;
};
VisibleNames visibleLevelNames(std::size_t count, int32_t browserScroll);

// Index in levelList of the name shown in the row at height y (browserRowAt), or -1 when that
// row shows none. The pick and the pointer's highlight both go through it, so the name a click
// opens is the one the pointer highlights and drawn there.
int64_t browserNameAt(int y, int32_t browserScroll, std::size_t count);

// Index of the name a left release at (x, y) opens: the shown name under a point of the pick
// area, or -1.
int64_t browserNameUnder(int x, int y, int32_t browserScroll, std::size_t count);

// Brings browserScroll back into range after the list changed: 0 with ten names or fewer, at
// most the count less ten otherwise.
void clampBrowserScroll(EditorState &state, std::size_t levelCount);

// Wheel steps in the browser: down while the last name is not shown, up while above 0.
void scrollBrowserDown(EditorState &state, std::size_t levelCount);
void scrollBrowserUp(EditorState &state);

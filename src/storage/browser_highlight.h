#pragma once
// The name the browser highlights: the one drawn red, previewed beside the list and opened by
// Return. The pointer chooses it by its height, the arrow and page keys from the keyboard.

#include "editor/editor.h"
#include "storage/level_format.h"

#include <cstdint>
#include <string>

// Index in levelList of the highlighted name, or -1: none, or the browser is not open. The
// frame, the preview and Return all read it here, so that what is red is what is previewed and
// what Return opens.
int64_t highlightedLevel(const Editor &editor);

// Opens the browser on the level files of levelDirectory (listLevels), the scroll brought back
// into range, with the name under (mouseX, mouseY) highlighted when the pointer is over the pick
// area, else none.
void openBrowser(Editor &editor, const std::string &levelDirectory = LevelDirectory);

// A motion to height y: highlights the name in the row there (browserNameAt), ending a
// highlight the keys chose.
void highlightNameAt(Editor &editor, int y);

// Moves the highlight step names down (up when negative), stopping at the first and last
// names, and scrolls the list so that it stays in view. With none highlighted, a move down
// starts just before the first name and a move up just after the last.
void moveHighlight(Editor &editor, int step);

// A wheel notch down (or up): the list scrolls as the wheel scrolls it, and the highlight keeps
// its row, as it does under a pointer that stays where it is.
void wheelBrowser(Editor &editor, bool down);

// Opens levelList[index], as a click on its name does: read with the author's word echoed,
// back to Editing, and named in the title. A file that cannot be read leaves the browser open;
// an index that is no name does nothing. Returns whether a level was opened.
bool openListedLevel(Editor &editor, int64_t index,
                     const std::string &levelDirectory = LevelDirectory);

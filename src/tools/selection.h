#pragma once
// What can be done to the selected bricks together: picking them out, moving, retyping, erasing,
// copying and pasting them. A move or a paste is all or nothing: every brick lands wholly inside
// the level area, overlapping no brick that stays where it is, or nothing changes.

#include "editor/brick_selection.h"
#include "editor/screen_layout.h"

// The bricks marked.
int32_t selectedCount(const BrickSelection &selection);

// A press in the level area while one of these holds acts on the selection or the paste, and
// the pattern preview gives way to it.
inline bool selectionBusy(const BrickSelection &selection) {
  return selection.gesture != SelectionGesture::None || selection.pasting;
}

// Takes every mark off; a gesture under way, the paste and the copied bricks stay.
void endSelection(BrickSelection &selection);

// Marks every brick in use.
void selectAll(BrickSelection &selection, int32_t brickCount);

// The rectangle from the gesture's press to (x, y), both corners included.
Region frameTo(const BrickSelection &selection, int x, int y);

// Marks the bricks in use whose boxes lie wholly inside frame, and only those.
void selectInside(BrickSelection &selection, const Bricks &bricks, int32_t brickCount,
                  const Region &frame);

// Marks the brick under (x, y) (brickUnder), or takes its mark off.
void toggleUnder(BrickSelection &selection, const Bricks &bricks, int32_t brickCount, int x, int y);

// Whether the brick under (x, y) (brickUnder) is selected.
bool selectedUnder(const BrickSelection &selection, const Bricks &bricks, int32_t brickCount, int x,
                   int y);

// Moves every selected brick by (dx, dy), or none of them when one would leave the level area
// or overlap a brick that is not selected. Selected bricks that overlap one another (only a
// level file puts them so) move together all the same.
void moveSelected(const BrickSelection &selection, Bricks &bricks, int32_t brickCount, int dx,
                  int dy);

// Gives every selected brick the type.
void retypeSelected(const BrickSelection &selection, Bricks &bricks, int32_t brickCount,
                    int32_t type);

// Erases every selected brick, one at a time from the lowest slot, each as a right click erases
// one: the last brick in use moves into the freed slot, its mark with it.
void eraseSelected(BrickSelection &selection, Bricks &bricks, EditorState &state);

// Keeps a copy of the selected bricks, replacing the one before.
void copySelected(BrickSelection &selection, const Bricks &bricks, int32_t brickCount);

// Lays the copied bricks after those in use, the top-left corner of their bounding box at
// (x, y), when every one lies wholly inside the level area, overlaps no brick (nor another
// copied one) and finds a free slot. They become the selection and the paste ends. Otherwise
// nothing changes and the paste goes on.
void pasteAt(BrickSelection &selection, Bricks &bricks, EditorState &state, int x, int y);

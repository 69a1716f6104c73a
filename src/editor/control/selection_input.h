#pragma once
// The selection's share of the dispatch in the Editing mode: what keys, left presses and
// releases, right releases and motion do to the selected bricks and the paste, before or
// instead of what they do without them.

#include "editor/control/input_event.h"
#include "editor/editor.h"

// Escape ends a selection or a paste, and then is spent. Undo and redo end the selection and go
// on. Ctrl+A selects every brick, Ctrl+C copies the selection, Ctrl+X cuts it, Ctrl+V starts
// the paste; Delete and BackSpace erase the selection, the arrows move it by a pixel, by a brick
// with Shift. Returns whether the key is spent.
bool selectionKey(const InputEvent &event, Editor &editor);

// A left press in the level area lays the paste, starts a frame with Shift held or a move on a
// selected brick, and is then spent; any other ends the selection and goes on to the placement.
// Returns whether the press is spent.
bool selectionPress(const InputEvent &event, Editor &editor);

// A left release ends the frame or the move its press started, and is then spent. A release on
// "Effacer tout !" ends the selection, as the bricks go. Returns whether the release is spent.
bool selectionRelease(const InputEvent &event, Editor &editor);

// A right release drops the paste, or retypes or erases the whole selection when on a selected
// brick; otherwise it does what it always did, the marks following the bricks.
void selectionRightRelease(const InputEvent &event, Editor &editor);

// Over the level area, the help line counts the selected bricks and names their keys.
void selectionMotion(const InputEvent &event, Editor &editor);

#pragma once
// The keys that stand for a button or a click: saving again, opening a level and the list of
// keys in the Editing mode; moving through the names and opening one in the browser.

#include "editor/control/input_event.h"
#include "editor/editor.h"

#include <string>

// In the Editing mode: Ctrl+S saves the level again under the name and author it was last saved
// or opened with, or opens the save dialog when it has none; Ctrl+O opens the browser; F1 shows
// the list of keys. Returns whether the key was one of them.
bool handleEditingShortcut(const InputEvent &event, Editor &editor,
                           const std::string &levelDirectory);

// In the browser: Up and Down move the highlight by one name, Page Up and Page Down by ten, and
// Return opens the highlighted level, an undo step as a click's opening is. Other keys do
// nothing.
void handleBrowserKey(const InputEvent &event, Editor &editor, const std::string &levelDirectory);

#pragma once
// Everything the event loop owns for the whole run, in one place so that one event can be
// handed to the right handler by a plain function.

#include "editor/brick_selection.h"
#include "editor/browser_preview.h"
#include "editor/editor_state.h"
#include "editor/history.h"
#include "editor/play.h"
#include "editor/saved_level.h"
#include "editor/text_field.h"

#include <optional>
#include <string>
#include <vector>

struct Editor {
  Editor();

  Bricks bricks{};
  Selection selection{};
  // The bricks selected in the level, what is being done to them and what was copied.
  BrickSelection brickSelection;
  int32_t currentBrickType = 1;
  EditorState state = initialEditorState();
  TextField levelNameField;
  TextField authorField;
  std::vector<std::string> levelList;
  std::string helpText = "...";
  // Mirror placement: every placement also lays the pattern's mirror image. Off at start; the
  // M key switches it in the Editing mode.
  bool mirror = false;
  // The steps that undo and redo walk, and the level as last saved or opened.
  History history;
  SavedLevel saved;
  // The level under the pointer in the browser, kept between frames so it is read once.
  BrowserPreview browserPreview;
  // The game being played on the level, if any: while it runs, input goes to it.
  std::optional<Play> play;
  uint32_t playsStarted = 0;
  // The name the browser highlights, an index in levelList, -1 for none: set when the browser
  // opens, then moved by the keys and by the pointer (storage/browser_highlight.h).
  int64_t browserHighlight = -1;
  // The list of every key (F1), shown over the editor until the next key or press. The release
  // of the button whose press closed it does nothing either (0 when none is awaited).
  bool keyListShown = false;
  int keyListButton = 0;

  // Position of the latest mouse event handled. No preview until the mouse first moves.
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  // The pointer as it stood at the start of the current pass; frames are drawn from it.
  int32_t pointerX = 0;
  int32_t pointerY = 0;
  bool quitRequested = false;
};

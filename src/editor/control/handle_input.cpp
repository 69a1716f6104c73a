#include "editor/control/handle_input.h"

#include "editor/control/selection_input.h"
#include "editor/screen_layout.h"
#include "help/hover_help.h"
#include "storage/level_browser.h"
#include "storage/level_file.h"
#include "storage/level_format.h"
#include "tools/button_press.h"
#include "tools/button_release.h"
#include "tools/selection.h"

namespace {

constexpr int FrameThresholdMs = 25;

// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo. Returns whether the key was one of them.
bool handleHistoryKey(const InputEvent &event, Editor &editor) {
  if (!event.ctrl)
    return false;
  if (event.key == Key::Z && !event.shift)
    undoStep(editor);
  else if (event.key == Key::Y || event.key == Key::Z)
    redoStep(editor);
  else
    return false;
  return true;
}

// Only a level that is on disk counts as saved; a failed save has printed why.
void saveAndMark(Editor &editor, const std::string &levelDirectory) {
  const std::string &name = editor.levelNameField.text();
  const std::string &author = editor.authorField.text();
  if (saveLevel(editor.state, editor.bricks, name, author, levelDirectory) == 1)
    markSaved(editor, name, author);
}

// Only Return completes a name; the keypad's Enter does not.
void handleKeyDown(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  // An Escape that ends a selection or a paste ends nothing else.
  if (editor.state.mode == Editing && selectionKey(event, editor))
    return;
  // Escape ends the run from every mode, and the key still goes on to the field below.
  if (event.key == Key::Escape)
    editor.quitRequested = true;

  EditorState &state = editor.state;
  // The browser ignores them; in the name dialogs they go to the field like any key.
  if (state.mode == Editing && handleHistoryKey(event, editor))
    return;
  if (state.mode == Editing && event.key == Key::M && !event.ctrl)
    editor.mirror = !editor.mirror;
  const bool completes = event.key == Key::Return;
  if (state.mode == EnteringLevelName) {
    if (!editor.levelNameField.text().empty() && completes)
      state.mode = EnteringAuthorName;
    else
      editor.levelNameField.handleKey(event.key, event.character);
  } else if (state.mode == EnteringAuthorName) {
    if (!editor.authorField.text().empty() && completes) {
      saveAndMark(editor, levelDirectory);
      // Back to editing whatever the save did; a failed save has printed why.
      state.mode = Editing;
    } else {
      editor.authorField.handleKey(event.key, event.character);
    }
  }
}

void handleButtonDown(const InputEvent &event, Editor &editor) {
  if (editor.state.mode != Editing)
    return;
  int code = 0;
  if (event.button == MouseLeft)
    code = ButtonLeft;
  else if (event.button == MouseRight)
    code = ButtonRight;
  else
    return;
  // A left press opens the step that its drag trail joins until the left release. A right
  // press changes nothing.
  if (code == ButtonLeft)
    openStep(editor);
  if (selectionPress(event, editor))
    return;
  handleButtonPress(event.x, event.y, code, editor.selection, editor.currentBrickType, editor.state,
                    editor.bricks, editor.mirror);
}

void stepBrickType(int32_t &type, int step) {
  type += step;
  if (type > LastBrickType)
    type = 1;
  else if (type <= 0)
    type = LastBrickType;
}

// loadLevel, then the opened level's name for the title: the file name without ".lvbk".
void openPickedLevel(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  EditorState &state = editor.state;
  const int64_t picked =
      browserNameUnder(event.x, event.y, state.browserScroll, editor.levelList.size());
  std::string author;
  loadLevel(event.x, event.y, editor.bricks, state, editor.levelList, levelDirectory, &author);
  if (picked < 0 || state.mode != Editing)
    return;
  endSelection(editor.brickSelection);
  const std::string &file = editor.levelList[static_cast<std::size_t>(picked)];
  markSaved(editor, file.substr(0, file.size() - LevelExtensionLength), author);
}

void handleButtonUp(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  EditorState &state = editor.state;
  switch (event.button) {
  case MouseRight:
    if (state.mode == Editing) {
      openStep(editor);
      selectionRightRelease(event, editor);
      closeStep(editor);
    }
    break;
  case MouseLeft:
    // The release ends the drag's step; what the release itself does is a step of its own.
    openStep(editor);
    if (state.mode == Editing && !selectionRelease(event, editor)) {
      const int result = handleButtonRelease(event.x, event.y, ButtonLeft, editor.selection,
                                             editor.currentBrickType, state, editor.bricks);
      if (result == ReleaseOpenBrowser) {
        listLevels(editor.levelList, levelDirectory);
        // The list may have shrunk since the browser was last open.
        clampBrowserScroll(state, editor.levelList.size());
      }
    }
    // A separate test: the release that just opened the browser lies on the "open" button,
    // outside the list, so it picks nothing.
    if (state.mode == BrowsingLevels)
      openPickedLevel(event, editor, levelDirectory);
    // A left release ends the placement drag wherever it happens, so a drag cannot outlive
    // the button being held (say, released over the palette or in a dialog).
    state.painting = 0;
    // "Effacer tout !" is a step even when it reset only the settings.
    closeStep(editor, contains(ClearAllClickRegion, event.x, event.y));
    break;
  case WheelDown:
    if (state.mode == Editing)
      stepBrickType(editor.currentBrickType, 1);
    else if (state.mode == BrowsingLevels)
      scrollBrowserDown(state, editor.levelList.size());
    break;
  case WheelUp:
    if (state.mode == Editing)
      stepBrickType(editor.currentBrickType, -1);
    else if (state.mode == BrowsingLevels)
      scrollBrowserUp(state);
    break;
  default:
    break;
  }
}

void notePointer(const InputEvent &event, Editor &editor) {
  editor.mouseX = event.x;
  editor.mouseY = event.y;
}

} // namespace

bool frameDue(uint32_t now, uint32_t lastFrameTicks) {
  return now - lastFrameTicks > FrameThresholdMs;
}

void handleInput(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  switch (event.kind) {
  case InputKind::KeyDown:
    handleKeyDown(event, editor, levelDirectory);
    break;
  case InputKind::Motion:
    notePointer(event, editor);
    // Bricks laid by a drag belong to a step even when no press opened it.
    if (editor.state.painting != 0 && !editor.history.stepOpen)
      openStep(editor);
    handleMotion(event.x, event.y, editor.selection, editor.currentBrickType, editor.state,
                 editor.bricks, editor.helpText, editor.mirror);
    selectionMotion(event, editor);
    break;
  case InputKind::ButtonDown:
    notePointer(event, editor);
    handleButtonDown(event, editor);
    break;
  case InputKind::ButtonUp:
    notePointer(event, editor);
    handleButtonUp(event, editor, levelDirectory);
    break;
  case InputKind::Quit:
    editor.quitRequested = true;
    break;
  case InputKind::None:
    break;
  }
}

#include "editor/control/handle_input.h"

#include "editor/control/key_list_input.h"
#include "editor/control/play_input.h"
#include "editor/control/save_dialog.h"
#include "editor/control/selection_input.h"
#include "editor/control/shortcut_keys.h"
#include "editor/screen_layout.h"
#include "help/hover_help.h"
#include "storage/browser_highlight.h"
#include "storage/level_browser.h"
#include "tools/button_press.h"
#include "tools/button_release.h"
#include "tools/selection.h"

namespace {

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

// Only Return completes a name; the keypad's Enter does not.
void handleKeyDown(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  // An Escape that ends a selection or a paste ends nothing else.
  if (editor.state.mode == Editing && selectionKey(event, editor))
    return;
  // Escape ends the run from every mode, and the key still goes on to the field below.
  if (event.key == Key::Escape)
    editor.quitRequested = true;

  EditorState &state = editor.state;
  // Undo, redo and the shortcuts act in the Editing mode alone: in the name dialogs they go to
  // the field like any key, and the browser has keys of its own.
  if (state.mode == Editing &&
      (handleHistoryKey(event, editor) || handleEditingShortcut(event, editor, levelDirectory)))
    return;
  if (state.mode == Editing && event.key == Key::M && !event.ctrl)
    editor.mirror = !editor.mirror;
  if (state.mode == Editing && event.key == Key::T && !event.ctrl)
    startPlay(editor);
  if (state.mode == BrowsingLevels)
    handleBrowserKey(event, editor, levelDirectory);
  const bool completes = event.key == Key::Return;
  if (state.mode == EnteringLevelName) {
    if (!editor.levelNameField.text().empty() && completes)
      state.mode = EnteringAuthorName;
    else
      editor.levelNameField.handleKey(event.key, event.character);
  } else if (state.mode == EnteringAuthorName) {
    if (!editor.authorField.text().empty() && completes) {
      saveAndReport(editor, editor.levelNameField.text(), editor.authorField.text(),
                    levelDirectory);
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

// A left or right release outside the dialog's box as drawn leaves the dialog for the Editing
// mode and does nothing else; the fields keep what was typed. The release that opened the
// dialog came in the Editing mode, so it never closes it.
bool leavesDialog(const InputEvent &event, const Editor &editor) {
  return editor.state.mode != Editing &&
         (event.button == MouseLeft || event.button == MouseRight) &&
         !contains(pixelsOf(DialogBox), event.x, event.y);
}

void handleButtonUp(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  EditorState &state = editor.state;
  if (leavesDialog(event, editor)) {
    state.mode = Editing;
    return;
  }
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
      if (result == ReleaseOpenBrowser)
        openBrowser(editor, levelDirectory);
      else if (state.mode == EnteringLevelName)
        openSaveDialog(editor);
      else if (result == ReleaseStartGame)
        startPlay(editor);
    }
    // A separate test: the release that just opened the browser lies on the "open" button,
    // outside the list, so it picks nothing. Opening a level ends the selection, whose bricks
    // it replaces.
    if (state.mode == BrowsingLevels &&
        openListedLevel(
            editor,
            browserNameUnder(event.x, event.y, state.browserScroll, editor.levelList.size()),
            levelDirectory))
      endSelection(editor.brickSelection);
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
      wheelBrowser(editor, true);
    break;
  case WheelUp:
    if (state.mode == Editing)
      stepBrickType(editor.currentBrickType, -1);
    else if (state.mode == BrowsingLevels)
      wheelBrowser(editor, false);
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

void handleInput(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  if (editor.play) {
    handlePlayInput(event, editor);
    return;
  }
  switch (event.kind) {
  case InputKind::KeyDown:
    if (!keyListTakes(event, editor))
      handleKeyDown(event, editor, levelDirectory);
    break;
  case InputKind::Motion:
    notePointer(event, editor);
    if (editor.state.mode == BrowsingLevels)
      highlightNameAt(editor, event.y);
    // Bricks laid by a drag belong to a step even when no press opened it.
    if (editor.state.painting != 0 && !editor.history.stepOpen)
      openStep(editor);
    handleMotion(event.x, event.y, editor.selection, editor.currentBrickType, editor.state,
                 editor.bricks, editor.helpText, editor.mirror);
    selectionMotion(event, editor);
    break;
  case InputKind::ButtonDown:
    notePointer(event, editor);
    if (!keyListTakes(event, editor))
      handleButtonDown(event, editor);
    break;
  case InputKind::ButtonUp:
    notePointer(event, editor);
    if (!keyListTakes(event, editor))
      handleButtonUp(event, editor, levelDirectory);
    break;
  case InputKind::Quit:
    editor.quitRequested = true;
    break;
  case InputKind::None:
    break;
  }
}

#include "editor/control/handle_input.h"

#include "help/hover_help.h"
#include "storage/level_browser.h"
#include "storage/level_file.h"
#include "tools/button_press.h"
#include "tools/button_release.h"

namespace {

constexpr int FrameThresholdMs = 25;

// Only Return completes a name; the keypad's Enter does not.
void handleKeyDown(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  // Escape ends the run from every mode, and the key still goes on to the field below.
  if (event.key == Key::Escape)
    editor.quitRequested = true;

  EditorState &state = editor.state;
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
      saveLevel(state, editor.bricks, editor.levelNameField.text(), editor.authorField.text(),
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

void handleButtonUp(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  EditorState &state = editor.state;
  switch (event.button) {
  case MouseRight:
    if (state.mode == Editing)
      handleButtonRelease(event.x, event.y, ButtonRight, editor.selection, editor.currentBrickType,
                          state, editor.bricks);
    break;
  case MouseLeft:
    if (state.mode == Editing) {
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
      loadLevel(event.x, event.y, editor.bricks, state, editor.levelList, levelDirectory);
    // A left release ends the placement drag wherever it happens, so a drag cannot outlive
    // the button being held (say, released over the palette or in a dialog).
    state.painting = 0;
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
    handleMotion(event.x, event.y, editor.selection, editor.currentBrickType, editor.state,
                 editor.bricks, editor.helpText, editor.mirror);
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

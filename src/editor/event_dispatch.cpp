#include "editor/event_dispatch.h"

#include "help/hover_help.h"
#include "storage/level_browser.h"
#include "storage/level_file.h"
#include "tools/button_press.h"
#include "tools/button_release.h"

namespace {

constexpr SDL_Color White{255, 255, 255, 0};
constexpr int FrameThresholdMs = 25;

// Only Return completes a name; the keypad's Enter does not.
void handleKeyDown(const SDL_Event &event, Editor &editor, TTF_Font *font) {
  const SDLKey symbol = event.key.keysym.sym;
  // Escape ends the run from every mode, and the key still goes on to the field below.
  if (symbol == SDLK_ESCAPE)
    editor.quitRequested = true;

  EditorState &state = editor.state;
  if (state.mode == EnteringLevelName) {
    if (!editor.levelNameField.text().empty() && symbol == SDLK_RETURN)
      state.mode = EnteringAuthorName;
    else
      editor.levelNameField.handleKey(event, font, White);
  } else if (state.mode == EnteringAuthorName) {
    if (!editor.authorField.text().empty() && symbol == SDLK_RETURN) {
      const std::string levelName = editor.levelNameField.text();
      const std::string authorName = editor.authorField.text();
      saveLevel(state, editor.bricks, levelName, authorName);
      // Back to editing whatever the save did; a failed save has printed why.
      state.mode = Editing;
    } else {
      editor.authorField.handleKey(event, font, White);
    }
  }
}

void handleButtonDown(const SDL_MouseButtonEvent &button, Editor &editor) {
  if (editor.state.mode != Editing)
    return;
  int code = 0;
  if (button.button == SDL_BUTTON_LEFT)
    code = ButtonLeft;
  else if (button.button == SDL_BUTTON_RIGHT)
    code = ButtonRight;
  else
    return;
  handleButtonPress(button.x, button.y, code, editor.selection, editor.currentBrickType,
                    editor.state, editor.bricks);
}

void stepBrickType(int32_t &type, int step) {
  type += step;
  if (type > LastBrickType)
    type = 1;
  else if (type <= 0)
    type = LastBrickType;
}

void handleButtonUp(const SDL_MouseButtonEvent &button, Editor &editor) {
  EditorState &state = editor.state;
  switch (button.button) {
  case SDL_BUTTON_RIGHT:
    if (state.mode == Editing)
      handleButtonRelease(button.x, button.y, ButtonRight, editor.selection,
                          editor.currentBrickType, state, editor.bricks);
    break;
  case SDL_BUTTON_LEFT:
    if (state.mode == Editing) {
      const int result = handleButtonRelease(button.x, button.y, ButtonLeft, editor.selection,
                                             editor.currentBrickType, state, editor.bricks);
      if (result == ReleaseOpenBrowser) {
        listLevels(editor.levelList);
        // The list may have shrunk since the browser was last open.
        clampBrowserScroll(state, editor.levelList.size());
      }
    }
    // A separate test: the release that just opened the browser lies on the "open" button,
    // outside the list, so it picks nothing.
    if (state.mode == BrowsingLevels)
      loadLevel(button.x, button.y, editor.bricks, state, editor.levelList);
    // A left release ends the placement drag wherever it happens, so a drag cannot outlive
    // the button being held (say, released over the palette or in a dialog).
    state.painting = 0;
    break;
  case SDL_BUTTON_WHEELDOWN:
    if (state.mode == Editing)
      stepBrickType(editor.currentBrickType, 1);
    else if (state.mode == BrowsingLevels)
      scrollBrowserDown(state, editor.levelList.size());
    break;
  case SDL_BUTTON_WHEELUP:
    if (state.mode == Editing)
      stepBrickType(editor.currentBrickType, -1);
    else if (state.mode == BrowsingLevels)
      scrollBrowserUp(state);
    break;
  default:
    break;
  }
}

} // namespace

bool frameDue(uint32_t now, uint32_t lastFrameTicks) {
  return now - lastFrameTicks > FrameThresholdMs;
}

void dispatchEvent(const SDL_Event &event, Editor &editor, TTF_Font *font) {
  switch (event.type) {
  case SDL_KEYDOWN:
    handleKeyDown(event, editor, font);
    break;
  case SDL_MOUSEMOTION:
    editor.mouseX = event.motion.x;
    editor.mouseY = event.motion.y;
    handleMotion(event.motion.x, event.motion.y, editor.selection, editor.currentBrickType,
                 editor.state, editor.bricks, editor.helpText);
    break;
  case SDL_MOUSEBUTTONDOWN:
    editor.mouseX = event.button.x;
    editor.mouseY = event.button.y;
    handleButtonDown(event.button, editor);
    break;
  case SDL_MOUSEBUTTONUP:
    editor.mouseX = event.button.x;
    editor.mouseY = event.button.y;
    handleButtonUp(event.button, editor);
    break;
  case SDL_QUIT:
    editor.quitRequested = true;
    break;
  default:
    break;
  }
}

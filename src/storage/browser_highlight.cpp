#include "storage/browser_highlight.h"

#include "editor/saved_level.h"
#include "editor/screen_layout.h"
#include "storage/level_browser.h"
#include "storage/level_file.h"

#include <algorithm>

int64_t highlightedLevel(const Editor &editor) {
  // The list changes only when the browser opens, which resets the highlight; the bound is
  // kept all the same, so that no index can read past it.
  const bool shown = editor.state.mode == BrowsingLevels && editor.browserHighlight >= 0 &&
                     editor.browserHighlight < static_cast<int64_t>(editor.levelList.size());
  return shown ? editor.browserHighlight : -1;
}

void openBrowser(Editor &editor, const std::string &levelDirectory) {
  EditorState &state = editor.state;
  state.mode = BrowsingLevels;
  // A key may open the browser in the middle of a drag: the pattern must not go on being laid
  // under the dialog.
  state.painting = 0;
  listLevels(editor.levelList, levelDirectory);
  // The list may have shrunk since the browser was last open.
  clampBrowserScroll(state, editor.levelList.size());
  editor.browserHighlight =
      browserNameUnder(editor.mouseX, editor.mouseY, state.browserScroll, editor.levelList.size());
}

void highlightNameAt(Editor &editor, int y) {
  editor.browserHighlight = browserNameAt(y, editor.state.browserScroll, editor.levelList.size());
}

void moveHighlight(Editor &editor, int step) {
  const int64_t count = static_cast<int64_t>(editor.levelList.size());
  if (count == 0)
    return;
  const int64_t from = editor.browserHighlight >= 0 ? editor.browserHighlight
                       : step > 0                   ? -1
                                                    : count;
  const int64_t to = std::clamp<int64_t>(from + step, 0, count - 1);
  editor.browserHighlight = to;
  int32_t &scroll = editor.state.browserScroll;
  if (to < scroll)
    scroll = static_cast<int32_t>(to);
  else if (to >= scroll + BrowserRowsShown)
    scroll = static_cast<int32_t>(to - BrowserRowsShown + 1);
}

void wheelBrowser(Editor &editor, bool down) {
  EditorState &state = editor.state;
  const int32_t before = state.browserScroll;
  if (down)
    scrollBrowserDown(state, editor.levelList.size());
  else
    scrollBrowserUp(state);
  if (editor.browserHighlight >= 0)
    editor.browserHighlight += state.browserScroll - before;
}

bool openListedLevel(Editor &editor, int64_t index, const std::string &levelDirectory) {
  if (index < 0 || index >= static_cast<int64_t>(editor.levelList.size()))
    return false;
  const std::string &file = editor.levelList[static_cast<std::size_t>(index)];
  std::string author;
  if (!readLevelFile(levelDirectory + file, editor.bricks, editor.state, &author))
    return false;
  editor.state.mode = Editing;
  // The title names the level by its file name without ".lvbk".
  markSaved(editor, file.substr(0, file.size() - LevelExtensionLength), author);
  return true;
}

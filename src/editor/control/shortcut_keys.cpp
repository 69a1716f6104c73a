#include "editor/control/shortcut_keys.h"

#include "editor/control/key_list_input.h"
#include "editor/control/save_dialog.h"
#include "editor/screen_layout.h"
#include "storage/browser_highlight.h"
#include "tools/selection.h"

namespace {

// The names a page key moves by: as many as the list shows at once.
constexpr int PageStep = BrowserRowsShown;

} // namespace

bool handleEditingShortcut(const InputEvent &event, Editor &editor,
                           const std::string &levelDirectory) {
  if (event.key == Key::F1)
    showKeyList(editor);
  else if (!event.ctrl)
    return false;
  else if (event.key == Key::O)
    openBrowser(editor, levelDirectory);
  else if (event.key == Key::S && editor.saved.name.empty())
    openSaveDialog(editor);
  else if (event.key == Key::S)
    saveAndReport(editor, editor.saved.name, editor.saved.author, levelDirectory);
  else
    return false;
  return true;
}

void handleBrowserKey(const InputEvent &event, Editor &editor, const std::string &levelDirectory) {
  switch (event.key) {
  case Key::Up:
    moveHighlight(editor, -1);
    break;
  case Key::Down:
    moveHighlight(editor, 1);
    break;
  case Key::PageUp:
    moveHighlight(editor, -PageStep);
    break;
  case Key::PageDown:
    moveHighlight(editor, PageStep);
    break;
  case Key::Return:
    openStep(editor);
    if (openListedLevel(editor, highlightedLevel(editor), levelDirectory))
      endSelection(editor.brickSelection);
    closeStep(editor);
    break;
  default:
    break;
  }
}

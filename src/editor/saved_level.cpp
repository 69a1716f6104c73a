#include "editor/saved_level.h"

#include "editor/editor.h"

#include <algorithm>

void markSaved(Editor &editor, const std::string &name, const std::string &author) {
  SavedLevel &saved = editor.saved;
  saved.name = name;
  saved.author = author;
  const auto first = editor.bricks.begin();
  saved.bricks.assign(first, first + bricksInUse(editor.state.brickCount));
  saved.selection = editor.selection;
}

bool bricksInUseAre(const Editor &editor, const std::vector<Brick> &bricks) {
  const auto first = editor.bricks.begin();
  return std::equal(bricks.begin(), bricks.end(), first,
                    first + bricksInUse(editor.state.brickCount));
}

bool hasUnsavedWork(const Editor &editor) {
  return !bricksInUseAre(editor, editor.saved.bricks);
}

bool differsFromSaved(const Editor &editor) {
  return hasUnsavedWork(editor) || editor.selection != editor.saved.selection;
}

std::string windowTitle(const Editor &editor) {
  std::string title = "BrickEdit";
  if (!editor.saved.name.empty())
    title += " - " + editor.saved.name;
  if (differsFromSaved(editor))
    title += " *";
  return title;
}

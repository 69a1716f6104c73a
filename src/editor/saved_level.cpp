#include "editor/saved_level.h"

#include "editor/editor.h"

#include <algorithm>

namespace {

// brickCount within the slots, whatever a level file made of it.
int32_t slotsInUse(int32_t brickCount) {
  return std::clamp<int32_t>(brickCount, 0, BrickSlots);
}

bool sameBrick(const Brick &a, const Brick &b) {
  return a.x == b.x && a.y == b.y && a.type == b.type;
}

} // namespace

void markSaved(Editor &editor, const std::string &name) {
  SavedLevel &saved = editor.saved;
  saved.name = name;
  const auto first = editor.bricks.begin();
  saved.bricks.assign(first, first + slotsInUse(editor.state.brickCount));
  saved.selection = editor.selection;
}

bool hasUnsavedWork(const Editor &editor) {
  const std::vector<Brick> &saved = editor.saved.bricks;
  const auto first = editor.bricks.begin();
  return !std::equal(saved.begin(), saved.end(), first, first + slotsInUse(editor.state.brickCount),
                     sameBrick);
}

std::string windowTitle(const Editor &editor) {
  std::string title = "BrickEdit";
  if (!editor.saved.name.empty())
    title += " - " + editor.saved.name;
  if (hasUnsavedWork(editor) || editor.selection != editor.saved.selection)
    title += " *";
  return title;
}

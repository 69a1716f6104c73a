#include "editor/control/selection_input.h"

#include "editor/history.h"
#include "help/selection_help.h"
#include "tools/button_release.h"
#include "tools/selection.h"

#include <utility>

namespace {

// The arrows move the selection by a pixel, or by a brick's size with Shift held.
struct Nudge {
  Key key;
  int dx;
  int dy;
};
constexpr Nudge Nudges[] = {
    {Key::Left, -1, 0}, {Key::Right, 1, 0}, {Key::Up, 0, -1}, {Key::Down, 0, 1}};

// Each change of the selected bricks is one undo step.
template <typename Change> void asStep(Editor &editor, Change change) {
  openStep(editor);
  change();
  closeStep(editor);
}

} // namespace

bool selectionKey(const InputEvent &event, Editor &editor) {
  BrickSelection &selection = editor.brickSelection;
  const Key key = event.key;
  const bool any = selectedCount(selection) > 0;
  if (key == Key::Escape && (any || selection.pasting)) {
    endSelection(selection);
    selection.pasting = false;
    return true;
  }
  if (event.ctrl && (key == Key::Z || key == Key::Y))
    endSelection(selection);
  if (event.ctrl && key == Key::A)
    selectAll(selection, editor.state.brickCount);
  if (event.ctrl && key == Key::V)
    selection.pasting = !selection.copied.empty();
  if (!any)
    return false;
  if (event.ctrl && (key == Key::C || key == Key::X))
    copySelected(selection, editor.bricks, editor.state.brickCount);
  if ((event.ctrl && key == Key::X) || key == Key::Delete || key == Key::Backspace)
    asStep(editor, [&] { eraseSelected(selection, editor.bricks, editor.state); });
  const int stepX = event.shift ? BrickWidth : 1;
  const int stepY = event.shift ? BrickHeight : 1;
  for (const Nudge &nudge : Nudges) {
    if (key == nudge.key)
      asStep(editor, [&] {
        moveSelected(selection, editor.bricks, editor.state.brickCount, nudge.dx * stepX,
                     nudge.dy * stepY);
      });
  }
  return false;
}

bool selectionPress(const InputEvent &event, Editor &editor) {
  BrickSelection &selection = editor.brickSelection;
  const bool inField = event.button == MouseLeft && contains(LevelAreaRegion, event.x, event.y);
  if (inField && selection.pasting) {
    pasteAt(selection, editor.bricks, editor.state, event.x, event.y);
    return true;
  }
  if (inField && (event.shift || selectedUnder(selection, editor.bricks, editor.state.brickCount,
                                               event.x, event.y))) {
    selection.gesture = event.shift ? SelectionGesture::Framing : SelectionGesture::Moving;
    selection.pressX = event.x;
    selection.pressY = event.y;
    return true;
  }
  if (inField)
    endSelection(selection);
  return false;
}

bool selectionRelease(const InputEvent &event, Editor &editor) {
  BrickSelection &selection = editor.brickSelection;
  const SelectionGesture gesture = std::exchange(selection.gesture, SelectionGesture::None);
  const int32_t count = editor.state.brickCount;
  const bool still = event.x == selection.pressX && event.y == selection.pressY;
  if (gesture == SelectionGesture::Moving)
    moveSelected(selection, editor.bricks, count, event.x - selection.pressX,
                 event.y - selection.pressY);
  else if (gesture == SelectionGesture::Framing && still)
    toggleUnder(selection, editor.bricks, count, event.x, event.y);
  else if (gesture == SelectionGesture::Framing)
    selectInside(selection, editor.bricks, count, frameTo(selection, event.x, event.y));
  else if (contains(ClearAllClickRegion, event.x, event.y))
    endSelection(selection);
  return gesture != SelectionGesture::None;
}

void selectionRightRelease(const InputEvent &event, Editor &editor) {
  BrickSelection &selection = editor.brickSelection;
  if (std::exchange(selection.pasting, false))
    return;
  const int32_t inUse = bricksInUse(editor.state.brickCount);
  if (selectedUnder(selection, editor.bricks, inUse, event.x, event.y)) {
    if (editor.currentBrickType >= 1)
      retypeSelected(selection, editor.bricks, inUse, editor.currentBrickType);
    else
      eraseSelected(selection, editor.bricks, editor.state);
    return;
  }
  const int hit = brickUnder(editor.bricks, inUse, event.x, event.y);
  handleButtonRelease(event.x, event.y, ButtonRight, editor.selection, editor.currentBrickType,
                      editor.state, editor.bricks);
  // The brick erased was unselected; the last brick, moved into its slot, keeps its mark.
  if (editor.state.brickCount < inUse) {
    selection.marked[hit] = selection.marked[inUse - 1];
    selection.marked[inUse - 1] = false;
  }
}

void selectionMotion(const InputEvent &event, Editor &editor) {
  const int32_t count = selectedCount(editor.brickSelection);
  if (editor.state.mode == Editing && count > 0 && contains(LevelAreaRegion, event.x, event.y))
    editor.helpText = selectionHelp(count);
}

#include "editor/history.h"

#include "editor/editor.h"

#include <iterator>
#include <utility>

namespace {

// The settings "Effacer tout !" resets, besides the pattern box, which follows from the grid
// and the spacings.
constexpr int32_t EditorState::*Settings[] = {
    &EditorState::spacingX, &EditorState::spacingY,  &EditorState::offsetX,
    &EditorState::offsetY,  &EditorState::relativeX, &EditorState::relativeY,
};

Step difference(const Work &before, const Editor &editor) {
  Step step{before.state.brickCount, editor.state.brickCount, {}, {}, {}};
  for (int slot = 0; slot < BrickSlots; ++slot) {
    if (before.bricks[slot] != editor.bricks[slot])
      step.slots.push_back({static_cast<int16_t>(slot), before.bricks[slot]});
  }
  for (int cell = 0; cell < BrickSlots; ++cell) {
    if (before.selection[cell] != editor.selection[cell])
      step.cells.push_back({static_cast<int16_t>(cell), before.selection[cell]});
  }
  for (uint8_t setting = 0; setting < std::size(Settings); ++setting) {
    const int32_t was = before.state.*Settings[setting];
    const int32_t is = editor.state.*Settings[setting];
    if (was != is)
      step.settings.push_back({setting, was, is});
  }
  // Kept for up to a thousand steps: no spare room.
  step.slots.shrink_to_fit();
  step.cells.shrink_to_fit();
  return step;
}

// Undo and redo alike: each stored slot and cell trades places with the editor's.
void apply(Step &step, Editor &editor, bool undo) {
  for (SlotSwap &swap : step.slots)
    std::swap(swap.brick, editor.bricks[swap.slot]);
  for (CellSwap &swap : step.cells)
    std::swap(swap.flag, editor.selection[swap.cell]);
  for (const SettingChange &change : step.settings)
    editor.state.*Settings[change.setting] = undo ? change.before : change.after;
  editor.state.brickCount = undo ? step.countBefore : step.countAfter;
  if (!step.cells.empty() || !step.settings.empty())
    updatePatternBox(editor.selection, editor.state);
}

} // namespace

void openStep(Editor &editor) {
  closeStep(editor);
  History &history = editor.history;
  history.before.bricks = editor.bricks;
  history.before.selection = editor.selection;
  history.before.state = editor.state;
  history.stepOpen = true;
}

void closeStep(Editor &editor, bool settingsMakeAStep) {
  History &history = editor.history;
  if (!history.stepOpen)
    return;
  history.stepOpen = false;
  Step step = difference(history.before, editor);
  const bool workChanged =
      step.countBefore != step.countAfter || !step.slots.empty() || !step.cells.empty();
  if (!workChanged && !(settingsMakeAStep && !step.settings.empty()))
    return;
  history.steps.erase(history.steps.begin() + history.done, history.steps.end());
  history.steps.push_back(std::move(step));
  if (history.steps.size() > HistoryLimit)
    history.steps.pop_front();
  history.done = history.steps.size();
}

void undoStep(Editor &editor) {
  closeStep(editor);
  History &history = editor.history;
  if (history.done > 0)
    apply(history.steps[--history.done], editor, true);
}

void redoStep(Editor &editor) {
  closeStep(editor);
  History &history = editor.history;
  if (history.done < history.steps.size())
    apply(history.steps[history.done++], editor, false);
}

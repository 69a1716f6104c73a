#pragma once
// Undo and redo. One step is one user action that changed the work: the bricks, the pattern
// grid and, for "Effacer tout !", the pattern settings it resets. The dispatch opens a step
// before an action and closes it after; the handlers know nothing of it.
//
// A step keeps only what its action changed, so that undoing it takes back exactly that and
// nothing done since by other means (a spacing changed after a grid edit stays as it is):
// - the brick slots that differ, over all 396 slots, unused ones included, so that brick order
//   and even the slots behind brickCount come back as they were;
// - brickCount before and after;
// - the pattern cells that differ;
// - the spacings, offsets and direction that differ, before and after.
// Bricks and cells change only through steps, so a step stores each changed slot or cell once
// and undo and redo swap it with what the editor holds. Settings also change outside steps, so
// undo sets them to their value before and redo to their value after.

#include "editor/editor_state.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

struct Editor;

// The steps kept; the oldest goes first.
constexpr std::size_t HistoryLimit = 1000;

struct SlotSwap {
  int16_t slot;
  Brick brick;
};
struct CellSwap {
  int16_t cell;
  uint8_t flag;
};
struct SettingChange {
  uint8_t setting;
  int32_t before;
  int32_t after;
};

struct Step {
  int32_t countBefore;
  int32_t countAfter;
  std::vector<SlotSwap> slots;
  std::vector<CellSwap> cells;
  std::vector<SettingChange> settings;
};

// Everything a step can change, as it stood when the step opened.
struct Work {
  Bricks bricks;
  Selection selection;
  EditorState state;
};
inline bool operator==(const Work &a, const Work &b) {
  return a.bricks == b.bricks && a.selection == b.selection && a.state == b.state;
}

struct History {
  std::deque<Step> steps;
  // steps[0, done) can be undone, steps[done, size) redone.
  std::size_t done = 0;
  bool stepOpen = false;
  Work before{};
};

// Takes the work as it stands before an action. A step still open (a drag) is closed first.
void openStep(Editor &editor);

// Ends the open step, if any. It is kept when the bricks or the pattern grid changed, and when
// settingsMakeAStep (for "Effacer tout !") also when only the settings changed; nothing is kept
// otherwise. A kept step drops every step that could have been redone.
void closeStep(Editor &editor, bool settingsMakeAStep = false);

// Close any open step, then take back or do again one step; with none to take, the editor is
// unchanged.
void undoStep(Editor &editor);
void redoStep(Editor &editor);
